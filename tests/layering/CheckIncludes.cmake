# Fails when a layer includes one above it or a program beside it: the product (tweak/, prefs/)
# never reaches into the simulator, the tests or the benchmarks, and the platform never reaches
# into the product or the simulator. The repository root is on every include path, so the compiler
# would not stop such an include. Inside the tweak, a folder includes only itself and the folders
# below it, in the order of tweak/CMakeLists.txt. Run as `cmake -DROOT=<tree> -P CheckIncludes.cmake`.
if(NOT ROOT)
  message(FATAL_ERROR "ROOT names the tree to check")
endif()

set(forbidden_tweak sim tests bench)
set(forbidden_prefs sim tests bench)
set(forbidden_platform tweak prefs sim)

set(crossings "")
# Adds to `crossings` each include in `files` of a path that begins with one of `prefixes`.
function(find_crossings files prefixes)
  list(JOIN prefixes "|" above)
  foreach(file IN LISTS files)
    file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](${above})/")
    foreach(line IN LISTS lines)
      file(RELATIVE_PATH name "${ROOT}" "${file}")
      string(STRIP "${line}" line)
      list(APPEND crossings "${name}: ${line}")
    endforeach()
  endforeach()
  set(crossings "${crossings}" PARENT_SCOPE)
endfunction()

foreach(layer tweak prefs platform)
  file(GLOB_RECURSE files "${ROOT}/${layer}/*.h" "${ROOT}/${layer}/*.cpp" "${ROOT}/${layer}/*.mm")
  find_crossings("${files}" "${forbidden_${layer}}")
endforeach()

# Bottom first; keep in step with tweak/CMakeLists.txt.
set(tweak_folders core support panel engine mediacontrols inspection wiring)
list(LENGTH tweak_folders count)
foreach(folder IN LISTS tweak_folders)
  list(FIND tweak_folders ${folder} rank)
  math(EXPR first_above "${rank} + 1")
  if(first_above EQUAL count)
    break()
  endif()
  list(SUBLIST tweak_folders ${first_above} -1 above_folders)
  list(TRANSFORM above_folders PREPEND "tweak/")
  file(GLOB files "${ROOT}/tweak/${folder}/*.h" "${ROOT}/tweak/${folder}/*.cpp")
  find_crossings("${files}" "${above_folders}")
endforeach()

if(crossings)
  list(JOIN crossings "\n  " listed)
  message(FATAL_ERROR "includes that cross the layers:\n  ${listed}")
endif()
