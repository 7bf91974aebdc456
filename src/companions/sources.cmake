# Files of the companions layer (paths relative to this folder). The components that work on the
# database alone are a library of their own without widgets, as the core's tests use them; the
# pick list's window, the ledger's printed voucher and the factory go into the product library.
add_library(qvt_companions OBJECT
    ${CMAKE_CURRENT_LIST_DIR}/LookupQuery.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NativeSettingsStore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PickList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProfileLocationRights.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StockMoveInventory.cpp
)
set_target_properties(qvt_companions PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_include_directories(qvt_companions PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src>)
target_link_libraries(qvt_companions PUBLIC Qt6::Core Qt6::Sql qvt_platform PRIVATE qvt_warnings)
target_sources(qvtrnsfr PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DefaultFactory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DocumentOutput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GLLedgerService.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LedgerVoucher.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LookupListDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SqlLookupDialog.cpp
)
