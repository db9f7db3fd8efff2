# The installed program as a user meets it: its layout, the desktop files (checked by Debian's
# validators), how it starts with and without a display, and the Ansible collection as ansible-core
# finds it.
add_test(NAME packaging.installed_layout
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check_install.sh ${CMAKE_BINARY_DIR}
                 ${CMAKE_SOURCE_DIR} ${PROJECT_VERSION})
set_tests_properties(packaging.installed_layout PROPERTIES TIMEOUT 120)
add_test(NAME packaging.scripts
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check_scripts.sh ${CMAKE_SOURCE_DIR})

# The Debian package made from this build, checked by lintian (skipped when lintian is missing).
add_test(NAME packaging.debian_package
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check_deb.sh ${CMAKE_BINARY_DIR})
set_tests_properties(packaging.debian_package PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)
# The bash completion of q6config-cli, run in bash.
add_test(NAME packaging.bash_completion
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check_completion.sh
                 ${CMAKE_BINARY_DIR}/packaging/completions/q6config-cli $<TARGET_FILE:q6config-cli>)
# The zsh completion, made from the same data, loaded in a bare zsh.
add_test(NAME packaging.zsh_completion
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check_zsh_completion.sh
                 ${CMAKE_BINARY_DIR}/packaging/completions/_q6config-cli $<TARGET_FILE:q6config-cli>)
set_tests_properties(packaging.zsh_completion PROPERTIES SKIP_RETURN_CODE 77)
