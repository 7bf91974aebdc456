qvt_add_test(test_control ${CMAKE_CURRENT_LIST_DIR}/TestControl.cpp)
