qvt_add_test(test_demodata ${CMAKE_CURRENT_LIST_DIR}/TestDemoData.cpp)
target_link_libraries(test_demodata PRIVATE qvt_demodata)
# The demo host starts on a fresh database, recalls a saved voucher as a user would and saves a
# picture of its window.
add_test(NAME test_qvtdemo_screenshot COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
    --unset=QT_QPA_PLATFORM $<TARGET_FILE:qvtdemo> --screenshot ${CMAKE_CURRENT_BINARY_DIR}/qvtdemo-screenshot.png
    --recall 1/1 --db sqlite:${CMAKE_CURRENT_BINARY_DIR}/qvtdemo-screenshot.sqlite)
set_tests_properties(test_qvtdemo_screenshot PROPERTIES TIMEOUT 600 ENVIRONMENT
    "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/../lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
