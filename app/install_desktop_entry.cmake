# Run by `cmake --install`: writes the menu entry with the installed program's path as its
# Exec line and installs it into share/applications (so the manifest lists it).
set(program "${CMAKE_INSTALL_PREFIX}/${ZANTOR_BINDIR}/zantor5editor")
# One quoted Exec argument: \ " ` $ take a backslash, and every backslash is doubled once
# more by the entry's string escapes; % is doubled for the field codes.
string(REPLACE "\\" "\\\\\\\\" program "${program}")
string(REGEX REPLACE "([\"`$])" "\\\\\\\\\\1" program "${program}")
string(REPLACE "%" "%%" program "${program}")
set(ZANTOR_EXEC "\"${program}\"")
configure_file("${ZANTOR_DESKTOP_TEMPLATE}" "${ZANTOR_DESKTOP_BUILT}" @ONLY)
file(INSTALL "${ZANTOR_DESKTOP_BUILT}"
     DESTINATION "${CMAKE_INSTALL_PREFIX}/${ZANTOR_DATADIR}/applications")
