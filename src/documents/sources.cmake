# Files of the documents layer
target_sources(qvtrnsfr PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DocumentEvents.cpp
)
