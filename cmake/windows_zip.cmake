# The portable Windows program: hopwick.exe with a short README for its users and the license as Windows text
# files, in one folder that unpacks anywhere; the program keeps its store beside itself. The MSI
# (windows_msi.cmake) installs the same files.
set(package_data ${CMAKE_BINARY_DIR}/package)
set(release_program ${package_data}/hopwick.exe)

# The release's program: the build's, signed when a certificate is given (cmake/sign_file.cmake says how). It is
# made at every build, as the certificate comes from the environment.
find_program(OSSLSIGNCODE osslsigncode)
set(HOPWICK_SIGN_COMMAND ${CMAKE_COMMAND} -DOSSLSIGNCODE=${OSSLSIGNCODE}
    -DSIGNING_TIME=${HOPWICK_SOURCE_DATE_EPOCH} -DDESCRIPTION=Hopwick -DURL=${HOPWICK_HOMEPAGE})
set(HOPWICK_SIGN_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/sign_file.cmake)
add_custom_target(hopwick_release_program ALL
    COMMAND ${HOPWICK_SIGN_COMMAND} -DINPUT=$<TARGET_FILE:hopwick> -DOUTPUT=${release_program} -P ${HOPWICK_SIGN_SCRIPT}
    COMMENT "The release's hopwick.exe"
    VERBATIM)
add_dependencies(hopwick_release_program hopwick)
install(PROGRAMS ${release_program} DESTINATION .)

# Windows text: CR LF, and the README with a byte order mark, without which Notepad before Windows 10 1903 reads
# UTF-8 as the ANSI code page.
function(windows_text source target)
    file(READ ${source} content)
    string(REPLACE "\n" "\r\n" content "${content}")
    if(ARGV2 STREQUAL "BOM")
        string(ASCII 239 187 191 bom)
        string(PREPEND content "${bom}")
    endif()
    file(WRITE ${target} "${content}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()
configure_file(${PROJECT_SOURCE_DIR}/data/windows/README.txt.in ${package_data}/README.unix.txt @ONLY)
windows_text(${package_data}/README.unix.txt ${package_data}/README.txt BOM)
windows_text(${PROJECT_SOURCE_DIR}/LICENSE ${package_data}/LICENSE.txt)
install(FILES ${package_data}/README.txt ${package_data}/LICENSE.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME hopwick-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# The program is linked stripped; stripping it again would break its signature.
set(CPACK_STRIP_FILES OFF)
