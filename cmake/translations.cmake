# The window's translations: the Linguist sources (translations/*.ts) are compiled by lrelease at
# build time and built into the window library as resources under :/translations, so the program
# needs no file beside it and loads a translation straight from its own memory. lupdate is run by
# hand (scripts/update-translations.sh) when texts change; the build never rewrites a source.
set(Q6CONFIG_LANGUAGES de fr es it pt_BR)

find_program(Q6CONFIG_LRELEASE NAMES lrelease-qt6 lrelease
             HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}" /usr/lib/qt6/bin
             NO_DEFAULT_PATH)
if(NOT Q6CONFIG_LRELEASE)
  find_program(Q6CONFIG_LRELEASE NAMES lrelease-qt6 lrelease REQUIRED)
endif()

set(Q6CONFIG_QM_FILES)
foreach(language IN LISTS Q6CONFIG_LANGUAGES)
  set(ts ${CMAKE_CURRENT_SOURCE_DIR}/translations/q6config_${language}.ts)
  set(qm ${CMAKE_CURRENT_BINARY_DIR}/translations/q6config_${language}.qm)
  # An unfinished entry would show English in the middle of the language: lrelease leaves them out
  # (-nounfinished), and a test refuses them in the sources.
  add_custom_command(OUTPUT ${qm}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/translations
                     COMMAND ${Q6CONFIG_LRELEASE} -silent -nounfinished -removeidentical ${ts} -qm ${qm}
                     DEPENDS ${ts}
                     COMMENT "lrelease q6config_${language}"
                     VERBATIM)
  list(APPEND Q6CONFIG_QM_FILES ${qm})
endforeach()
set_source_files_properties(${Q6CONFIG_QM_FILES} PROPERTIES GENERATED TRUE)
qt_add_resources(q6config_lib q6config_translations
                 PREFIX /translations
                 BASE ${CMAKE_CURRENT_BINARY_DIR}/translations
                 FILES ${Q6CONFIG_QM_FILES})
