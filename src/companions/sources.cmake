# Files of the companions layer (paths relative to this folder)
target_sources(qvtrnsfr PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DefaultFactory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GLLedgerService.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LedgerVoucher.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LookupListDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LookupQuery.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NativeSettingsStore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProfileLocationRights.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SqlLookupDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StockMoveInventory.cpp
)
