# Files of the platform layer (paths relative to this folder)
target_sources(qvtrnsfr PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Db.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DbUrl.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LeaveValidator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Numeric.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Ui.cpp
)
