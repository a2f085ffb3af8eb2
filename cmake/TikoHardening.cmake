# Debian's hardening, as dpkg-buildflags gives it, for the builds that are
# released and packaged: stack protector, fortified C library calls, format
# string checks, and read-only relocations bound at start. Debug, sanitizer
# and fuzzing builds go without: fortified calls need optimisation and hide
# what the sanitizers would report.
if(CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$"
   AND NOT TIKO_SANITIZE AND NOT TIKO_TSAN AND NOT TIKO_FUZZ)
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
  add_compile_definitions(_FORTIFY_SOURCE=2)
  add_link_options(-Wl,-z,relro,-z,now)
endif()
