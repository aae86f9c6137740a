# The Windows zip's folder, installed by the Windows build: tonvisor.exe with
# the help document's folder beside it, where "Help" looks when the program
# is started from that folder, and a README.txt in Windows line ends.
install(TARGETS tonvisor DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/document/ DESTINATION document)
configure_file(README.txt.in README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)
