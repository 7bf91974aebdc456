# Vouchers through the form: the fields bound to the voucher, and saving, recalling, deleting and
# printing as the form shows them.
qvt_add_test(test_documents ${CMAKE_CURRENT_LIST_DIR}/TestDocuments.cpp)
