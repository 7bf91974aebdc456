# Header references: the location fields and the requisition import.
qvt_add_test(test_references ${CMAKE_CURRENT_LIST_DIR}/TestReferences.cpp)
