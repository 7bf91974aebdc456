# Line entry in the grid: item resolution, units, keys, pick lists, line checks, keyboard entry.
qvt_add_test(test_lineentry ${CMAKE_CURRENT_LIST_DIR}/tst_lineentry.cpp)
