# Files of the voucher core (paths relative to this folder): values, rules and the store.
target_sources(qvt_voucher PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Catalog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Gs1.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HeaderRules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LineArray.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LineImport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LineRules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Locations.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Requisitions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SaveChecks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Voucher.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VoucherSave.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VoucherSql.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VoucherStore.cpp
)
