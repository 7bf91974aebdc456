# Files of the references layer
target_sources(qvtrnsfr PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ReferenceEvents.cpp
)
