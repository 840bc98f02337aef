# Packs what the install rules put in a folder into OUTPUT, a zip whose
# bytes depend on the files' contents alone: every entry has the same time
# (the last commit's, or a fixed one without git) and the same permissions,
# entries come in sorted order, and no owner or extra times are stored.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DNAME=... -DOUTPUT=... -DZIP=... -P ZipPackage.cmake
foreach(var BUILD_DIR SOURCE_DIR NAME OUTPUT)
  if(NOT ${var})
    message(FATAL_ERROR "ZipPackage.cmake needs -D${var}=...")
  endif()
endforeach()
if(NOT ZIP)
  message(FATAL_ERROR "The package needs Info-ZIP's zip (Debian package zip; tools/install-deps.sh installs it).")
endif()

set(stage ${BUILD_DIR}/package-stage)
file(REMOVE_RECURSE ${stage})
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${stage}/${NAME}
  OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Installing into ${stage} failed")
endif()

set(epoch 946684800)  # 2000-01-01 00:00 UTC
find_program(GIT git)
if(GIT)
  execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} log -1 --format=%ct
    OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE result)
  if(result EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
    set(epoch ${commit_time})
  endif()
endif()

# Sorted (file(GLOB) sorts), each folder before what it holds.
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${stage} ${stage}/*)
foreach(entry ${entries})
  if(IS_DIRECTORY ${stage}/${entry})
    file(CHMOD ${stage}/${entry} DIRECTORY_PERMISSIONS
      OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  else()
    file(CHMOD ${stage}/${entry} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  endif()
endforeach()
execute_process(COMMAND touch -h -d @${epoch} ${entries} WORKING_DIRECTORY ${stage} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Setting the entries' times failed")
endif()
# -X: no owner, no extra times; the DOS times zip stores are local times,
# so the zone is fixed too.
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -X -q ${OUTPUT} ${entries}
  WORKING_DIRECTORY ${stage} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "zip failed")
endif()
file(REMOVE_RECURSE ${stage})
