# Run by CPack on the staged files before the Debian package is made: Debian
# keeps games' programs in /usr/games, where its PATH finds them. The programs
# find their data the same way from there (../share/tiko). As dh_strip does,
# the compilers' .comment and .note sections go too.
find_program(tiko_strip NAMES strip REQUIRED)
file(GLOB staged_roots ${CPACK_TEMPORARY_INSTALL_DIRECTORY}
     ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*)
foreach(root ${staged_roots})
  if(IS_DIRECTORY ${root}/usr/bin)
    file(RENAME ${root}/usr/bin ${root}/usr/games)
  endif()
  if(IS_DIRECTORY ${root}/usr/games)
    file(GLOB programs ${root}/usr/games/*)
    foreach(program ${programs})
      execute_process(COMMAND ${tiko_strip} --remove-section=.comment --remove-section=.note
                              ${program} COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()
endforeach()
