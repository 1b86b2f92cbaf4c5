# Fails when a layer includes one above it or a program beside it: the product (tweak/, prefs/)
# never reaches into the simulator, the tests or the benchmarks, and the platform never reaches
# into the product or the simulator. The repository root is on every include path, so the compiler
# would not stop such an include. Run as `cmake -DROOT=<tree> -P CheckIncludes.cmake`.
if(NOT ROOT)
  message(FATAL_ERROR "ROOT names the tree to check")
endif()

set(forbidden_tweak sim tests bench)
set(forbidden_prefs sim tests bench)
set(forbidden_platform tweak prefs sim)

set(crossings "")
foreach(layer tweak prefs platform)
  file(GLOB_RECURSE files "${ROOT}/${layer}/*.h" "${ROOT}/${layer}/*.cpp" "${ROOT}/${layer}/*.mm")
  list(JOIN forbidden_${layer} "|" above)
  foreach(file IN LISTS files)
    file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](${above})/")
    foreach(line IN LISTS lines)
      file(RELATIVE_PATH name "${ROOT}" "${file}")
      string(STRIP "${line}" line)
      list(APPEND crossings "${name}: ${line}")
    endforeach()
  endforeach()
endforeach()

if(crossings)
  list(JOIN crossings "\n  " listed)
  message(FATAL_ERROR "includes that cross the layers:\n  ${listed}")
endif()
