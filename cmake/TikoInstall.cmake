# What `cmake --install` puts where (GNU layout): the two programs, the data
# folder they read, and the desktop's view of the game: its entry, icons,
# AppStream metadata and manual pages. Tests and tools stay in the build.
set(TIKO_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/tiko)

if(TARGET tiko-script)
  install(TARGETS tiko-script RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${TIKO_BIN_DIR}/Readme.txt ${TIKO_BIN_DIR}/Whatsnew.txt
        DESTINATION ${TIKO_DATA_INSTALL_DIR})
install(DIRECTORY ${TIKO_BIN_DIR}/Sound DESTINATION ${TIKO_DATA_INSTALL_DIR})

# Manual pages and Debian's changelog compressed as Debian wants them, with
# reproducible gzip headers; the copyright beside the changelog.
set(tiko_packaging ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/changelog.in ${tiko_packaging}/changelog @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/man/tiko.6.in ${tiko_packaging}/tiko.6 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/man/tiko-script.6.in ${tiko_packaging}/tiko-script.6 @ONLY)
find_program(TIKO_GZIP gzip REQUIRED)
set(tiko_gzipped)
foreach(name tiko.6 tiko-script.6 changelog)
  add_custom_command(
    OUTPUT ${tiko_packaging}/${name}.gz
    COMMAND ${TIKO_GZIP} -9nc ${tiko_packaging}/${name} > ${tiko_packaging}/${name}.gz
    DEPENDS ${tiko_packaging}/${name})
  list(APPEND tiko_gzipped ${tiko_packaging}/${name}.gz)
endforeach()
add_custom_target(tiko_packaging_files ALL DEPENDS ${tiko_gzipped})
install(FILES ${tiko_packaging}/tiko-script.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/debian/copyright ${tiko_packaging}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

if(TARGET tiko)
  install(TARGETS tiko RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${TIKO_BIN_DIR}/Config.ini DESTINATION ${TIKO_DATA_INSTALL_DIR})
  install(DIRECTORY ${TIKO_BIN_DIR}/Graphics DESTINATION ${TIKO_DATA_INSTALL_DIR})
  install(FILES ${tiko_packaging}/tiko.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endif()
