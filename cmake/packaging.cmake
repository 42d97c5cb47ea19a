# What a release ships, and the CPack settings that pack it (cpack --preset deb or windows-zip, run by
# make package): on Linux a Debian package of the installed program, on Windows a zip of the portable program
# and a per-user installer. Every version shown comes from PROJECT_VERSION.
if(NOT TARGET hopwick)
    return() # a build without a front end (the fuzz targets) ships nothing
endif()

set(HOPWICK_RELEASE_DATE 2026-12-07)
set(HOPWICK_RELEASE_DATE_RFC2822 "Mon, 07 Dec 2026 12:00:00 +0000")
set(HOPWICK_HOMEPAGE https://hopwick.example/)
set(HOPWICK_APPSTREAM_ID example.hopwick.hopwick)
set(HOPWICK_PACKAGE_DATA ${PROJECT_SOURCE_DIR}/data/package)
# Where make package gathers the release files (the package presets' packageDirectory).
set(HOPWICK_DIST_DIR ${PROJECT_SOURCE_DIR}/dist)

set(CPACK_PACKAGE_NAME hopwick)
set(CPACK_PACKAGE_VENDOR "The Hopwick developers")
set(HOPWICK_SUPPORT_ADDRESS support@hopwick.example)
set(CPACK_PACKAGE_CONTACT "The Hopwick developers <${HOPWICK_SUPPORT_ADDRESS}>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL ${HOPWICK_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compact application launcher with a Japanese user interface")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The archives' entry times are the build's SOURCE_DATE_EPOCH (cmake/reproducible.cmake).
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/CPackReproducible.cmake
     CONTENT "set(ENV{SOURCE_DATE_EPOCH} @HOPWICK_SOURCE_DATE_EPOCH@)\n" @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackReproducible.cmake)

if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/windows_zip.cmake)
    include(${CMAKE_CURRENT_LIST_DIR}/windows_msi.cmake)
else()
    include(${CMAKE_CURRENT_LIST_DIR}/debian_package.cmake)
endif()

include(CPack)
