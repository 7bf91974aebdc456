qvt_add_core_test(test_voucher ${CMAKE_CURRENT_LIST_DIR}/TestVoucher.cpp)
