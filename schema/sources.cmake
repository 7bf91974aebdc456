# The host schema: DDL files (embedded as resources) and createHostSchema
target_sources(qvtrnsfr PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/HostSchema.cpp
    ${CMAKE_CURRENT_LIST_DIR}/schema.qrc
)
