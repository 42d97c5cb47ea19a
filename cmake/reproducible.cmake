# The same commit builds to the same bytes, wherever and whenever it is built. Every time that would go into a
# release file is SOURCE_DATE_EPOCH: the caller's, or else the time of the last commit (so that two clones agree).
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(HOPWICK_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    find_package(Git QUIET)
    if(GIT_FOUND)
        execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                        OUTPUT_VARIABLE HOPWICK_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                        RESULT_VARIABLE git_status ERROR_QUIET)
    endif()
    if(NOT GIT_FOUND OR NOT git_status EQUAL 0 OR HOPWICK_SOURCE_DATE_EPOCH STREQUAL "")
        # A source tree without its history: a fixed time still gives the same bytes twice.
        set(HOPWICK_SOURCE_DATE_EPOCH 0)
    endif()
endif()
if(NOT HOPWICK_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH must be seconds since 1970: ${HOPWICK_SOURCE_DATE_EPOCH}")
endif()

# The tools that stamp their output read it from the environment: Qt's resource compiler (the file times it
# embeds) and the PE linker (the header's time stamp). A new time relinks and reruns them.
set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM
             "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${HOPWICK_SOURCE_DATE_EPOCH}")
set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${HOPWICK_SOURCE_DATE_EPOCH}")

# The build folder's path stays out of the objects (debug information, which the GNU build ID hashes, and
# __FILE__): the tree is named "." and a build folder outside it "build".
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)
cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${PROJECT_BINARY_DIR} NORMALIZE binary_inside_source)
if(NOT binary_inside_source)
    add_compile_options(-ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
endif()
