# Line entry in the grid: item resolution and units, line checks, the grid's notifications
set(_qvt_lineentry_fixture ${CMAKE_CURRENT_LIST_DIR}/LineEntryFixture.cpp)
qvt_add_test(test_itemresolution ${CMAKE_CURRENT_LIST_DIR}/tst_itemresolution.cpp ${_qvt_lineentry_fixture})
qvt_add_test(test_linevalidation ${CMAKE_CURRENT_LIST_DIR}/tst_linevalidation.cpp ${_qvt_lineentry_fixture})
qvt_add_test(test_gridevents ${CMAKE_CURRENT_LIST_DIR}/tst_gridevents.cpp ${_qvt_lineentry_fixture})
qvt_add_test(test_keyboardentry ${CMAKE_CURRENT_LIST_DIR}/tst_keyboardentry.cpp ${_qvt_lineentry_fixture})
