qvt_add_core_test(test_schema ${CMAKE_CURRENT_LIST_DIR}/TestSchema.cpp)
qvt_add_core_test(test_indexuse ${CMAKE_CURRENT_LIST_DIR}/TestIndexUse.cpp)
