# The hardening Debian builds its packages with (what `dpkg-buildflags` gives on this release):
# fortified libc calls, a stack protector, format checks, position-independent executables and
# read-only relocations bound at start. Fortify needs an optimised build; the sanitizer builds
# bring their own checks.
option(ORVO_HARDENING "Build with Debian's hardening flags" ON)
if(ORVO_HARDENING AND NOT ORVO_SANITIZE AND NOT ORVO_TSAN AND NOT ORVO_BUILD_FUZZ)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    include(CheckPIESupported)
    check_pie_supported()
    add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security
        -fstack-clash-protection -fcf-protection)
    if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
        add_compile_definitions(_FORTIFY_SOURCE=2)
    endif()
    add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
