# Files of the control layer
target_sources(qvtrnsfr PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ctlTransfer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormIcons.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Lifecycle.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Modes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TransferControl.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TransferForm.cpp
)
