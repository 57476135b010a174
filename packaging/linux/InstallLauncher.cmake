# Writes velunor.desktop with the absolute path of the installed program (run by `cmake --install`).
if(IS_ABSOLUTE "${VELUNOR_PROGRAM_DIR}")
    set(program "${VELUNOR_PROGRAM_DIR}/velunor")
else()
    set(program "${CMAKE_INSTALL_PREFIX}/${VELUNOR_PROGRAM_DIR}/velunor")
endif()
if(IS_ABSOLUTE "${VELUNOR_APPLICATIONS_DIR}")
    set(applications "${VELUNOR_APPLICATIONS_DIR}")
else()
    set(applications "${CMAKE_INSTALL_PREFIX}/${VELUNOR_APPLICATIONS_DIR}")
endif()

# Exec holds a quoted argument: inside the quotes ", `, $ and \ take a backslash; then the entry's
# own string escapes double every backslash, and "%" is doubled so it is no field code.
string(REPLACE "\\" "\\\\" quoted "${program}")
foreach(special "\"" "`" "$")
    string(REPLACE "${special}" "\\${special}" quoted "${quoted}")
endforeach()
string(REPLACE "\\" "\\\\" exec "\"${quoted}\"")
string(REPLACE "%" "%%" VELUNOR_EXEC "${exec}")
string(REPLACE "\\" "\\\\" VELUNOR_TRY_EXEC "${program}")

configure_file("${VELUNOR_LAUNCHER_TEMPLATE}" "${VELUNOR_LAUNCHER_WORK}/velunor.desktop" @ONLY)
file(INSTALL "${VELUNOR_LAUNCHER_WORK}/velunor.desktop" DESTINATION "${applications}")
