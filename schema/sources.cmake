# The host schema: DDL files (embedded as resources) and createHostSchema. A library of its own,
# without widgets, that the product library and the core's tests take in.
add_library(qvt_schema OBJECT
    ${CMAKE_CURRENT_LIST_DIR}/HostSchema.cpp
    ${CMAKE_CURRENT_LIST_DIR}/schema.qrc
)
set_target_properties(qvt_schema PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_include_directories(qvt_schema PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
target_link_libraries(qvt_schema PUBLIC Qt6::Core Qt6::Sql PRIVATE qvt_warnings)
