# The Designer plugin, loaded as Designer loads it. The test links the shared library the plugin
# links, so that both see one ctlTransfer class.
if(TARGET qvtrnsfr_designer)
    add_executable(test_designer ${CMAKE_CURRENT_LIST_DIR}/TestDesignerPlugin.cpp)
    target_link_libraries(test_designer PRIVATE qvtrnsfr Qt6::Test Qt6::UiPlugin qvt_warnings)
    target_compile_definitions(test_designer PRIVATE QVT_DESIGNER_PLUGIN="$<TARGET_FILE:qvtrnsfr_designer>")
    add_dependencies(test_designer qvtrnsfr_designer)
    add_test(NAME test_designer COMMAND test_designer)
    qvt_test_environment(test_designer)
endif()
