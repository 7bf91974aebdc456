qvt_add_test(test_numeric ${CMAKE_CURRENT_LIST_DIR}/TestNumeric.cpp)
qvt_add_test(test_db ${CMAKE_CURRENT_LIST_DIR}/TestDb.cpp)
qvt_add_test(test_leavevalidator ${CMAKE_CURRENT_LIST_DIR}/TestLeaveValidator.cpp)
