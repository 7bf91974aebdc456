# Files of the platform layer (paths relative to this folder): the database and number helpers,
# which know no widget, and the user-interface helpers.
target_sources(qvt_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Db.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DbUrl.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Numeric.cpp
)
target_sources(qvt_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/LeaveValidator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Ui.cpp
)
