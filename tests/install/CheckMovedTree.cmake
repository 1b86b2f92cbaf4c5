# Installs the build into a prefix, copies that prefix elsewhere and removes the original, then
# runs the copy's programs. Anything that still points at the build tree or the first prefix (a
# compiled-in path, an absolute run path) fails here.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DVERSION=... -DSCENARIO=script.sim -P CheckMovedTree.cmake
set(installed ${WORK_DIR}/installed)
set(moved ${WORK_DIR}/moved)
file(REMOVE_RECURSE ${WORK_DIR})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}: exit ${status}\n${output}${errors}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${installed} --strip)
file(COPY ${installed}/ DESTINATION ${moved})
file(REMOVE_RECURSE ${installed})

foreach(program IN ITEMS lunadoze-sim lunadoze-settings)
  set(binary ${moved}/bin/${program})
  run(${binary} --version)
  if(NOT output STREQUAL "${program} ${VERSION}\n")
    message(FATAL_ERROR "${program} --version printed \"${output}\"")
  endif()
  if(NOT EXISTS ${moved}/share/man/man1/${program}.1)
    message(FATAL_ERROR "no man page for ${program}")
  endif()
  # The platform library is the moved tree's own.
  run(ldd ${binary})
  if(NOT output MATCHES "libLunadozePlatform\\.so => ${moved}/(bin/\\.\\./)?lib/")
    message(FATAL_ERROR "${program} does not load the platform library of its own tree:\n${output}")
  endif()
  file(STRINGS ${binary} build_paths REGEX "${BUILD_DIR}")
  if(build_paths)
    message(FATAL_ERROR "${program} names the build tree: ${build_paths}")
  endif()
endforeach()

if(NOT EXISTS ${moved}/share/doc/lunadoze/simulator-commands.md)
  message(FATAL_ERROR "no reference page of the simulator's commands")
endif()

# The simulator stages devices from the moved device package and starts the moved Settings app.
run(${moved}/bin/lunadoze-sim demo)
run(${moved}/bin/lunadoze-sim ${SCENARIO})
message(STATUS "the moved tree runs the demo and ${SCENARIO}")
