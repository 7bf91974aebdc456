# The randomized input run: a seeded script of keys, clicks and answers played on the real form,
# each run in a process of its own so that a sanitizer report can be caught and the script cut
# down to the shortest tail that still fails.
qvt_add_test(test_monkey ${CMAKE_CURRENT_LIST_DIR}/tst_monkey.cpp ${CMAKE_CURRENT_LIST_DIR}/MonkeyScript.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MonkeyPlayer.cpp)
target_include_directories(test_monkey PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(test_monkey PRIVATE qvt_demodata)
set_tests_properties(test_monkey PROPERTIES TIMEOUT 1500)
