qvt_add_test(test_control ${CMAKE_CURRENT_LIST_DIR}/TestControl.cpp)
# Names for screen readers and texts that show whole, at the scale factors 1, 1.5 and 2.
qvt_add_test(test_formaccess ${CMAKE_CURRENT_LIST_DIR}/TestFormAccess.cpp)
set_property(TEST test_formaccess APPEND PROPERTY ENVIRONMENT QT_SCALE_FACTOR=1)
foreach(scale 1.5 2)
    add_test(NAME test_formaccess_scale${scale} COMMAND test_formaccess)
    qvt_test_environment(test_formaccess_scale${scale})
    set_property(TEST test_formaccess_scale${scale} APPEND PROPERTY ENVIRONMENT QT_SCALE_FACTOR=${scale})
endforeach()
