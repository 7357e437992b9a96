# Run by cpack before it packs: the programs, stripped already, lose the
# compilers' notes in .comment too, which strip leaves and dh_strip does not.
file(GLOB programs ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/*)
foreach(program IN LISTS programs)
  execute_process(COMMAND ${CPACK_NIMBREL_OBJCOPY} --remove-section=.comment ${program} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
