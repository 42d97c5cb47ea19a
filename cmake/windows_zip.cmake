# The portable Windows program: hopwick.exe with the README and the license as Windows text files (CR LF), in
# one folder that unpacks anywhere; the program keeps its store beside itself.
install(TARGETS hopwick RUNTIME DESTINATION .)
foreach(text IN ITEMS README.md LICENSE)
    file(READ ${PROJECT_SOURCE_DIR}/${text} content)
    string(REPLACE "\n" "\r\n" content "${content}")
    get_filename_component(stem ${text} NAME_WE)
    file(WRITE ${CMAKE_BINARY_DIR}/package/${stem}.txt "${content}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${text})
    install(FILES ${CMAKE_BINARY_DIR}/package/${stem}.txt DESTINATION .)
endforeach()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME hopwick-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
