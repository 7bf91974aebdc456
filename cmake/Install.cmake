# Installation: the shared library (component Runtime), and for building hosts (component
# Development) the public headers under include/qvtrnsfr, the CMake package (find_package(Qvtrnsfr)
# -> Qvtrnsfr::qvtrnsfr) and the pkg-config file qvtrnsfr.pc. No internal header is installed.
include(CMakePackageConfigHelpers)

install(TARGETS qvtrnsfr EXPORT QvtrnsfrTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime NAMELINK_COMPONENT Development
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)

set(_qvt_include ${CMAKE_INSTALL_INCLUDEDIR}/qvtrnsfr)
install(FILES ${PROJECT_SOURCE_DIR}/src/control/ctlTransfer.h
    ${QVT_GENERATED_INCLUDE}/qvtrnsfr/qvtrnsfr_export.h
    ${QVT_GENERATED_INCLUDE}/qvtrnsfr/qvtrnsfr_version.h
    DESTINATION ${_qvt_include} COMPONENT Development)
install(FILES ${PROJECT_SOURCE_DIR}/src/companions/Companions.h
    ${PROJECT_SOURCE_DIR}/src/companions/DefaultFactory.h
    DESTINATION ${_qvt_include}/companions COMPONENT Development)
install(FILES ${PROJECT_SOURCE_DIR}/schema/HostSchema.h
    DESTINATION ${_qvt_include}/schema COMPONENT Development)

set(_qvt_cmake ${CMAKE_INSTALL_LIBDIR}/cmake/Qvtrnsfr)
install(EXPORT QvtrnsfrTargets NAMESPACE Qvtrnsfr:: DESTINATION ${_qvt_cmake} COMPONENT Development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/QvtrnsfrConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/QvtrnsfrConfig.cmake
    INSTALL_DESTINATION ${_qvt_cmake})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/QvtrnsfrConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/QvtrnsfrConfig.cmake
    ${CMAKE_CURRENT_BINARY_DIR}/QvtrnsfrConfigVersion.cmake
    DESTINATION ${_qvt_cmake} COMPONENT Development)

# The pkg-config file finds its prefix from its own place, so that an installation can be moved
# (a temporary prefix, a package's staging folder).
set(_qvt_pkgconfig ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH QVT_PC_TO_PREFIX /${_qvt_pkgconfig} /)
string(REGEX REPLACE "/$" "" QVT_PC_TO_PREFIX "${QVT_PC_TO_PREFIX}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/qvtrnsfr.pc.in ${CMAKE_CURRENT_BINARY_DIR}/qvtrnsfr.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/qvtrnsfr.pc DESTINATION ${_qvt_pkgconfig} COMPONENT Development)
