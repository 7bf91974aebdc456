# Files of the grid layer (paths relative to this folder): the line grid widget and its users'
# column widths
target_sources(qvt_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ColumnWidths.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LineDelegate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LineGrid.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LineGridKeys.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LineModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RowGuardSelectionModel.cpp
)
