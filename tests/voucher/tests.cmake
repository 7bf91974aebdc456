qvt_add_core_test(test_voucher ${CMAKE_CURRENT_LIST_DIR}/TestVoucher.cpp)
qvt_add_core_test(test_largevouchers ${CMAKE_CURRENT_LIST_DIR}/TestLargeVouchers.cpp)
