# Run by CPack on the staged files before the Debian package is made: Debian
# keeps games' programs in /usr/games, where its PATH finds them. The programs
# find their data the same way from there (../share/tiko).
file(GLOB staged_roots ${CPACK_TEMPORARY_INSTALL_DIRECTORY}
     ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*)
foreach(root ${staged_roots})
  if(IS_DIRECTORY ${root}/usr/bin)
    file(RENAME ${root}/usr/bin ${root}/usr/games)
  endif()
endforeach()
