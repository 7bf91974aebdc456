# The Qt Designer plugin, loaded from the build tree as Designer loads it.
if(TARGET qvtrnsfr_designer)
    qvt_add_test(test_designer ${CMAKE_CURRENT_LIST_DIR}/TestDesignerPlugin.cpp)
    target_link_libraries(test_designer PRIVATE Qt6::UiPlugin)
    target_compile_definitions(test_designer PRIVATE QVT_DESIGNER_PLUGIN="$<TARGET_FILE:qvtrnsfr_designer>")
    add_dependencies(test_designer qvtrnsfr_designer)
endif()
