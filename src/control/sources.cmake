# Files of the control layer: ctlTransfer, its state and form, and the routines that bind the form
# to the voucher core
target_sources(qvt_widgets PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ctlTransfer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Drafts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormEvents.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormFit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormIcons.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormTexts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormVoucher.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Lifecycle.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LineEntry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Locations.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Modes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Requisitions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Totals.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TransferControl.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TransferForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TransferSlip.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Translations.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Vouchers.cpp
)
