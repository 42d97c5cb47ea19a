# The Debian package: the installed program with its desktop entry, icons, AppStream metadata, manual page,
# copyright and changelog. The data files are made at build time, so that the package needs only the build.
include(GNUInstallDirs)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(GZIP gzip REQUIRED)
set(package_data ${CMAKE_BINARY_DIR}/package)
set(doc_folder ${CMAKE_INSTALL_DATADIR}/doc/hopwick)

# The icon at the sizes desktops ask for, each drawn from the scalable one.
set(icon_files)
foreach(size IN ITEMS 16 24 32 48 64 128 256)
    set(icon ${package_data}/icons/${size}x${size}/hopwick.png)
    add_custom_command(OUTPUT ${icon}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${package_data}/icons/${size}x${size}
        COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${icon} ${PROJECT_SOURCE_DIR}/data/icons/hopwick.svg
        DEPENDS ${PROJECT_SOURCE_DIR}/data/icons/hopwick.svg
        VERBATIM)
    list(APPEND icon_files ${icon})
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Debian keeps manual pages and changelogs compressed, reproducibly (-n: no name or time inside).
set(compressed_files)
foreach(page IN ITEMS hopwick.1 changelog)
    configure_file(${HOPWICK_PACKAGE_DATA}/${page}.in ${package_data}/${page} @ONLY)
    add_custom_command(OUTPUT ${package_data}/${page}.gz
        COMMAND ${GZIP} -9 -n -f -k ${package_data}/${page}
        DEPENDS ${package_data}/${page}
        VERBATIM)
    list(APPEND compressed_files ${package_data}/${page}.gz)
endforeach()
add_custom_target(hopwick_package_data ALL DEPENDS ${icon_files} ${compressed_files})

set(metainfo ${package_data}/${HOPWICK_APPSTREAM_ID}.metainfo.xml)
configure_file(${HOPWICK_PACKAGE_DATA}/metainfo.xml.in ${metainfo} @ONLY)

install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${package_data}/hopwick.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${package_data}/changelog.gz ${HOPWICK_PACKAGE_DATA}/copyright DESTINATION ${doc_folder})
install(FILES ${HOPWICK_PACKAGE_DATA}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME hopwick)

set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
# xz, as dpkg-deb does by default; a gzip header would hold the packing time.
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries from the binary itself; the Japanese fonts and the opener of paths are used only at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, xdg-utils")
# Qt's Wayland platform plugin, so that the program runs as a native client in a Wayland session; without it Qt
# falls back to XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Hopwick is one small window with a list of launch items: the names of 15
built-in tools or the paths of programs, documents and folders. One click on
an item starts it. In setup mode items are added, deleted, moved or reset to
the defaults, and a background picture is chosen; files dropped on the
window are offered for adding.
.
The list is kept in one small file that moves unchanged between Hopwick on
Linux and on Windows.")
