# The installed program as a user meets it: its layout, the desktop files (checked by Debian's
# validators), and how it starts with and without a display.
add_test(NAME packaging.installed_layout
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check_install.sh ${CMAKE_BINARY_DIR}
                 ${CMAKE_SOURCE_DIR})
set_tests_properties(packaging.installed_layout PROPERTIES TIMEOUT 120)
add_test(NAME packaging.scripts
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check_scripts.sh ${CMAKE_SOURCE_DIR})
