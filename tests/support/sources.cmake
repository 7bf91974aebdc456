target_sources(qvt_testdb PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TestDatabase.cpp
)
target_sources(qvt_testsupport PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ControlHost.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Doubles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EventGuard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MessageCatcher.cpp
)
