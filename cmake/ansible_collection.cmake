# The Ansible module as the collection q6config.printers, where ansible-core looks for collections
# without being told (/usr/share/ansible/collections), its module printer a relative link to the
# compiled module, which stays beside the window program: a compiled file has no place under share.
# The short name q6config_printer, which earlier playbooks use, stays a link in
# /usr/share/ansible/plugins/modules, with a link to the same documentation beside it.
#
# The build tree holds the same layout with links to the module just built (ansible/ in the build
# folder), for the tests and for trying a playbook:
#   ANSIBLE_COLLECTIONS_PATH=build/ansible ANSIBLE_LIBRARY=build/ansible/modules
set(Q6CONFIG_COLLECTION_NAMESPACE q6config)
set(Q6CONFIG_COLLECTION_NAME printers)
set(Q6CONFIG_COLLECTION_MODULE printer)

set(Q6CONFIG_COLLECTION_SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/resources/ansible)
set(Q6CONFIG_COLLECTION_PATH
    ansible_collections/${Q6CONFIG_COLLECTION_NAMESPACE}/${Q6CONFIG_COLLECTION_NAME})
set(Q6CONFIG_ANSIBLE_BUILD ${CMAKE_CURRENT_BINARY_DIR}/ansible)
set(Q6CONFIG_COLLECTION_BUILD ${Q6CONFIG_ANSIBLE_BUILD}/${Q6CONFIG_COLLECTION_PATH})
set(Q6CONFIG_MODULE_DOC plugins/modules/${Q6CONFIG_COLLECTION_MODULE}.yml)

configure_file(${Q6CONFIG_COLLECTION_SOURCE}/galaxy.yml.in ${Q6CONFIG_COLLECTION_BUILD}/galaxy.yml
               @ONLY)
foreach(file IN ITEMS meta/runtime.yml ${Q6CONFIG_MODULE_DOC})
  configure_file(${Q6CONFIG_COLLECTION_SOURCE}/${file} ${Q6CONFIG_COLLECTION_BUILD}/${file} COPYONLY)
endforeach()

# The collection's readme is the fleet guide, whose Ansible section it needs; shipped once, in the
# package's documents.
file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/docs/fleet.md ${Q6CONFIG_COLLECTION_BUILD}/README.md
     SYMBOLIC)

# The links of the build tree, made each time the module is linked.
file(MAKE_DIRECTORY ${Q6CONFIG_ANSIBLE_BUILD}/modules)
add_custom_command(TARGET q6config_printer POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E create_symlink $<TARGET_FILE:q6config_printer>
            ${Q6CONFIG_COLLECTION_BUILD}/plugins/modules/${Q6CONFIG_COLLECTION_MODULE}
    COMMAND ${CMAKE_COMMAND} -E create_symlink $<TARGET_FILE:q6config_printer>
            ${Q6CONFIG_ANSIBLE_BUILD}/modules/q6config_printer
    COMMAND ${CMAKE_COMMAND} -E create_symlink ${Q6CONFIG_COLLECTION_BUILD}/${Q6CONFIG_MODULE_DOC}
            ${Q6CONFIG_ANSIBLE_BUILD}/modules/q6config_printer.yml
    VERBATIM)

# Installed: the same files, and relative links to what the package puts elsewhere.
install(TARGETS q6config_printer RUNTIME DESTINATION ${Q6CONFIG_INSTALL_PROGRAMDIR})
set(Q6CONFIG_ANSIBLE_SHARE ${CMAKE_INSTALL_DATADIR}/ansible)
set(Q6CONFIG_COLLECTION_DEST ${Q6CONFIG_ANSIBLE_SHARE}/collections/${Q6CONFIG_COLLECTION_PATH})
set(Q6CONFIG_ANSIBLE_LINKS ${CMAKE_CURRENT_BINARY_DIR}/packaging/ansible)
file(MAKE_DIRECTORY ${Q6CONFIG_ANSIBLE_LINKS}/collection ${Q6CONFIG_ANSIBLE_LINKS}/modules)
# A link named NAME in the folder LINK_FOLDER (under the prefix) to TARGET (under the prefix), made
# in STAGE and installed there.
function(q6config_install_link stage link_folder name target)
  file(RELATIVE_PATH relative /prefix/${link_folder} /prefix/${target})
  file(CREATE_LINK ${relative} ${stage}/${name} SYMBOLIC)
  install(FILES ${stage}/${name} DESTINATION ${link_folder})
endfunction()

install(FILES ${Q6CONFIG_COLLECTION_BUILD}/galaxy.yml DESTINATION ${Q6CONFIG_COLLECTION_DEST})
install(FILES ${Q6CONFIG_COLLECTION_BUILD}/meta/runtime.yml DESTINATION ${Q6CONFIG_COLLECTION_DEST}/meta)
install(FILES ${Q6CONFIG_COLLECTION_BUILD}/${Q6CONFIG_MODULE_DOC}
        DESTINATION ${Q6CONFIG_COLLECTION_DEST}/plugins/modules)
# The package's copyright file is the collection's licence, and its fleet guide the readme.
q6config_install_link(${Q6CONFIG_ANSIBLE_LINKS}/collection ${Q6CONFIG_COLLECTION_DEST} LICENSE
                      ${CMAKE_INSTALL_DATADIR}/doc/q6config/copyright)
q6config_install_link(${Q6CONFIG_ANSIBLE_LINKS}/collection ${Q6CONFIG_COLLECTION_DEST} README.md
                      ${CMAKE_INSTALL_DATADIR}/doc/q6config/fleet.md)
q6config_install_link(${Q6CONFIG_ANSIBLE_LINKS}/collection ${Q6CONFIG_COLLECTION_DEST}/plugins/modules
                      ${Q6CONFIG_COLLECTION_MODULE} ${Q6CONFIG_INSTALL_PROGRAMDIR}/q6config_printer)
q6config_install_link(${Q6CONFIG_ANSIBLE_LINKS}/modules ${Q6CONFIG_ANSIBLE_SHARE}/plugins/modules
                      q6config_printer ${Q6CONFIG_INSTALL_PROGRAMDIR}/q6config_printer)
q6config_install_link(${Q6CONFIG_ANSIBLE_LINKS}/modules ${Q6CONFIG_ANSIBLE_SHARE}/plugins/modules
                      q6config_printer.yml ${Q6CONFIG_COLLECTION_DEST}/${Q6CONFIG_MODULE_DOC})
