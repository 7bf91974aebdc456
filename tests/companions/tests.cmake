qvt_add_test(test_companions ${CMAKE_CURRENT_LIST_DIR}/TestCompanions.cpp)
target_link_libraries(test_companions PRIVATE Qt6::PrintSupport)
qvt_add_test(test_lookupdialog ${CMAKE_CURRENT_LIST_DIR}/TestLookupDialog.cpp)
