# Debian's default hardening (dpkg-buildflags with hardening=+all) for everything built here: the program reads
# a file that any of the user's programs may write and names that other programs hand it. On Windows the
# stack protector with mingw-w64's libssp, linked statically like the rest of the runtime; the linker's defaults
# already give ASLR, high-entropy addresses and NX there. The sanitizer presets turn it off: their checks cover
# more, and fortified calls hide accesses from them.
option(HOPWICK_HARDENING "Build with Debian's default hardening flags" ON)
if(NOT HOPWICK_HARDENING)
    return()
endif()

add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
if(WIN32)
    add_link_options(-fstack-protector-strong)
else()
    add_compile_options(-fstack-clash-protection -fcf-protection)
    # Fortified calls need the optimiser; a Debug build would only warn.
    add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
