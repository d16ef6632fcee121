# Run at install time: writes the desktop entry with the installed binary's
# full path (the games folder is not on every PATH: not on root's, nor
# ~/.local/games) and installs it. Expects TEMPLATE, OUTPUT, BINDIR and
# DESTINATION; CMAKE_INSTALL_PREFIX is the prefix of this install.
if(IS_ABSOLUTE "${BINDIR}")
  set(binary "${BINDIR}/carrowmoor")
else()
  set(binary "${CMAKE_INSTALL_PREFIX}/${BINDIR}/carrowmoor")
endif()
if(binary MATCHES "[\"`$\\\\\n]")
  message(FATAL_ERROR "The desktop entry cannot name a binary at ${binary}")
endif()
# Quoted for folders with blanks; a per cent sign is doubled in Exec.
string(REPLACE "%" "%%" binary "${binary}")
set(GAME_BINARY "\"${binary}\"")
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${DESTINATION}" TYPE FILE FILES "${OUTPUT}")
