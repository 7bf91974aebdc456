# The line grid widget and the LineArray behind it, offscreen in a shown window.
qvt_add_test(test_linegrid ${CMAKE_CURRENT_LIST_DIR}/tst_linegrid.cpp)
