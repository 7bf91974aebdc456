# Transfer vouchers: loading, the header checks, saving, deleting and ledger voucher printing.
set(_qvt_documents_fixture ${CMAKE_CURRENT_LIST_DIR}/DocumentFixture.cpp ${CMAKE_CURRENT_LIST_DIR}/DocumentFixture.h)
qvt_add_test(test_savedocument ${CMAKE_CURRENT_LIST_DIR}/TestSaveDocument.cpp ${_qvt_documents_fixture})
qvt_add_test(test_savefailures ${CMAKE_CURRENT_LIST_DIR}/TestSaveFailures.cpp ${_qvt_documents_fixture})
qvt_add_test(test_loaddocument ${CMAKE_CURRENT_LIST_DIR}/TestLoadDocument.cpp ${_qvt_documents_fixture})
qvt_add_test(test_deletedocument ${CMAKE_CURRENT_LIST_DIR}/TestDeleteDocument.cpp ${_qvt_documents_fixture})
