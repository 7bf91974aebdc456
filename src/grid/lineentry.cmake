# Line entry: item resolution, units, line checks and the grid's notification handlers
target_sources(qvtrnsfr PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CellLookups.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ItemResolution.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LineEntryEvents.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LineValidation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Units.cpp
)
