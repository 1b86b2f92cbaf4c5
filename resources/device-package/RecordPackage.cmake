# Writes the staged device's package records for the device package, as dpkg writes them when it
# installs the package: its control record in the status database, and the list of its paths.
#   cmake -DSTAGE=<device root> -DCONTROL=<control file> -P RecordPackage.cmake
# Everything staged outside /var belongs to the package; /var is the device's own.
file(READ "${CONTROL}" control)
string(STRIP "${control}" control)
file(MAKE_DIRECTORY "${STAGE}/var/lib/dpkg/info")
# dpkg keeps the package's state right after its name.
string(REGEX REPLACE "^(Package: [^\n]*\n)" "\\1Status: install ok installed\n" record "${control}")
file(WRITE "${STAGE}/var/lib/dpkg/status" "${record}\n\n")

file(GLOB_RECURSE paths LIST_DIRECTORIES true RELATIVE "${STAGE}" "${STAGE}/*")
list(FILTER paths EXCLUDE REGEX "^var(/|$)")
list(SORT paths)
# dpkg lists the root first, then every directory and file it unpacked.
set(listing "/.\n")
foreach(path IN LISTS paths)
  string(APPEND listing "/${path}\n")
endforeach()
file(WRITE "${STAGE}/var/lib/dpkg/info/com.corvane.lunadoze.list" "${listing}")
