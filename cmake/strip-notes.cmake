# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the staged files before the package is made: every ELF
# file loses the sections Debian's own stripping removes too, the compiler's notes (.comment) and
# .note, which a package has no use for.
find_program(Q6CONFIG_OBJCOPY NAMES objcopy REQUIRED)
set(staging "${CPACK_TEMPORARY_DIRECTORY}")
if(NOT IS_DIRECTORY "${staging}")
  message(FATAL_ERROR "strip-notes: no staging folder (CPACK_TEMPORARY_DIRECTORY)")
endif()
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${staging}/*")
foreach(path IN LISTS staged)
  if(IS_SYMLINK "${path}")
    continue()
  endif()
  file(READ "${path}" magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    execute_process(COMMAND "${Q6CONFIG_OBJCOPY}" --remove-section=.comment --remove-section=.note
                            "${path}"
                    RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "strip-notes: objcopy failed on ${path}")
    endif()
  endif()
endforeach()
