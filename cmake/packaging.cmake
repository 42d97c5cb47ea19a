# What a release ships, and the CPack settings that pack it (cpack --preset deb or windows-zip, run by
# make package): on Linux a Debian package of the installed program, on Windows a zip of the portable program.
# Every version shown comes from PROJECT_VERSION.
if(NOT TARGET hopwick)
    return() # a build without a front end (the fuzz targets) ships nothing
endif()

set(HOPWICK_RELEASE_DATE 2026-12-07)
set(HOPWICK_RELEASE_DATE_RFC2822 "Mon, 07 Dec 2026 12:00:00 +0000")
set(HOPWICK_HOMEPAGE https://hopwick.example/)
set(HOPWICK_APPSTREAM_ID example.hopwick.hopwick)
set(HOPWICK_PACKAGE_DATA ${PROJECT_SOURCE_DIR}/data/package)

set(CPACK_PACKAGE_NAME hopwick)
set(CPACK_PACKAGE_VENDOR "The Hopwick developers")
set(CPACK_PACKAGE_CONTACT "The Hopwick developers <support@hopwick.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL ${HOPWICK_HOMEPAGE})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/windows_zip.cmake)
else()
    include(${CMAKE_CURRENT_LIST_DIR}/debian_package.cmake)
endif()

include(CPack)
