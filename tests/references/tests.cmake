# Header references: the location fields and the requisition import.
set(_qvt_references_fixture ${CMAKE_CURRENT_LIST_DIR}/ReferenceFixture.cpp ${CMAKE_CURRENT_LIST_DIR}/ReferenceFixture.h)
qvt_add_test(test_locations ${CMAKE_CURRENT_LIST_DIR}/TestLocations.cpp ${_qvt_references_fixture})
qvt_add_test(test_requisition ${CMAKE_CURRENT_LIST_DIR}/TestRequisition.cpp ${_qvt_references_fixture})
