# Runs at install time: writes the menu entry for the prefix being installed to.
# In: DESKTOP_TEMPLATE, DESKTOP_OUTPUT, BIN_DIR, DATA_DIR, CMAKE_INSTALL_PREFIX.

# Relative directories are taken under the prefix, as install() does.
function(under_prefix directory result)
  if(IS_ABSOLUTE "${directory}")
    set(${result} "${directory}" PARENT_SCOPE)
  else()
    set(${result} "${CMAKE_INSTALL_PREFIX}/${directory}" PARENT_SCOPE)
  endif()
endfunction()

# A value of type string: a backslash is written as two.
function(desktop_string text result)
  string(REPLACE "\\" "\\\\" text "${text}")
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

# The program as an Exec argument: in double quotes, where " ` $ and \ take a
# backslash and % is doubled; then escaped once more as a string value.
function(desktop_exec_argument text result)
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" text "${text}")
  string(REPLACE "%" "%%" text "${text}")
  desktop_string("\"${text}\"" text)
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

if(CMAKE_INSTALL_PREFIX MATCHES "[\n\r]")
  message(FATAL_ERROR "A menu entry cannot name a prefix with a line break: ${CMAKE_INSTALL_PREFIX}")
endif()
under_prefix("${BIN_DIR}" bin)
under_prefix("${DATA_DIR}" data)
desktop_exec_argument("${bin}/tonvisor" DESKTOP_EXEC)
desktop_string("${data}/tonvisor" DESKTOP_PATH)
configure_file("${DESKTOP_TEMPLATE}" "${DESKTOP_OUTPUT}" @ONLY)
