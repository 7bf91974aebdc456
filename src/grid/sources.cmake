# Files of the grid layer (paths relative to this folder): the line table and the line grid widget
target_sources(qvtrnsfr PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/LineArray.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LineDelegate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LineGrid.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LineGridKeys.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LineModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RowGuardSelectionModel.cpp
)
