# The library as hosts get it: its exported symbols, and an installation that README's example
# and a pkg-config host build against. The second reuses the built tree: it installs it into a
# temporary prefix and builds only the two small hosts.
add_test(NAME exported_symbols COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/exported-symbols.sh $<TARGET_FILE:qvtrnsfr>)
if(QVT_SANITIZE)
    set(_qvt_consumer_flags "${QVT_SANITIZER_FLAGS}")
endif()
add_test(NAME package_consumers COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/consumers.sh ${PROJECT_BINARY_DIR}
    ${PROJECT_SOURCE_DIR} "${_qvt_consumer_flags}")
qvt_test_environment(package_consumers)
