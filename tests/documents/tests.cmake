# Transfer vouchers: saving, the header checks, loading, deleting and ledger voucher printing.
qvt_add_test(test_documents ${CMAKE_CURRENT_LIST_DIR}/TestDocuments.cpp ${CMAKE_CURRENT_LIST_DIR}/Vouchers.h)
