# Run by CPack before it zips the staged files: every file and folder gets the
# time of SOURCE_DATE_EPOCH (the last commit, set by scripts/release.sh), and a
# mode that does not follow the builder's umask (readable by all, writable by
# the owner), so that two builds of the same commit give the same zip.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  message(FATAL_ERROR "SOURCE_DATE_EPOCH is not set: build the release with scripts/release.sh")
endif()
file(GLOB_RECURSE entries LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
execute_process(COMMAND chmod go=u,go-w ${entries} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND touch -h -d @$ENV{SOURCE_DATE_EPOCH} ${entries} COMMAND_ERROR_IS_FATAL ANY)
