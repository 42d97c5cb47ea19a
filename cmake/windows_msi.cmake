# The per-user installer, made by wixl (Debian's msitools) from data/windows/hopwick.wxs.in with the zip's files,
# the installed-copy marker and the icon, and signed like the program: cmake --build --preset windows --target
# hopwick_msi (make package) writes it into dist/. wixl takes no absolute paths: it runs in the folder that holds
# them all.
find_program(WIXL wixl REQUIRED)
configure_file(${PROJECT_SOURCE_DIR}/data/windows/hopwick.wxs.in ${package_data}/hopwick.wxs @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/installed ${package_data}/hopwick.installed COPYONLY)

add_custom_target(hopwick_msi
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_BINARY_DIR}/src/platform/win32/hopwick.ico hopwick.ico
    COMMAND ${WIXL} --arch x64 --define Version=${PROJECT_VERSION} --output hopwick.msi hopwick.wxs
    COMMAND ${HOPWICK_SIGN_COMMAND} -DINPUT=hopwick.msi
            -DOUTPUT=${HOPWICK_DIST_DIR}/hopwick-${PROJECT_VERSION}-win64.msi -P ${HOPWICK_SIGN_SCRIPT}
    WORKING_DIRECTORY ${package_data}
    COMMENT "The installer, hopwick-${PROJECT_VERSION}-win64.msi"
    VERBATIM)
add_dependencies(hopwick_msi hopwick_release_program)
