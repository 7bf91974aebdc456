# Line entry: item resolution, units, line checks and the grid's notification handlers
target_sources(qvtrnsfr PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/LineEntryEvents.cpp
)
