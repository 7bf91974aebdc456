# Debian packages, made with `cpack -G DEB` in a build folder (a release build: a sanitized
# build's library would depend on the sanitizers' runtimes):
#   libqvtrnsfr0     the shared library (component Runtime); its dependencies on the Qt libraries
#                    and the C++ runtime are read from the library by dpkg-shlibdeps
#   libqvtrnsfr-dev  the public headers, the CMake package and qvtrnsfr.pc (component Development)
set(CPACK_PACKAGE_NAME qvtrnsfr)
set(CPACK_PACKAGE_VENDOR "Quorvane")
set(CPACK_PACKAGE_CONTACT "Quorvane <support@quorvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_COMPONENTS_ALL Runtime Development)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(_qvt_runtime_package libqvtrnsfr${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${_qvt_runtime_package})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
# The control works on the host's SQLite or PostgreSQL connection through Qt's drivers.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS "libqt6sql6-sqlite | libqt6sql6-psql")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libqvtrnsfr-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "${_qvt_runtime_package} (= ${PROJECT_VERSION}), qt6-base-dev (>= 6.4)")
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "Velta Transfers: the inventory transfer voucher control (library)")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
    "Velta Transfers: the inventory transfer voucher control (headers, CMake and pkg-config files)")
include(CPack)
