# Writes one file of the demo game directory (cmake -P).
#   KIND=crlf IN=<text file> OUT=<path>: the text with CRLF line ends.
#   KIND=save SLOT=<digit> DESC=<upper-case description> OUT=<path>: a placeholder saved game
#   whose description starts at byte 26 and ends at the first lower-case letter or digit.
#   KIND=map OUT=<path>: a placeholder user map.
if(KIND STREQUAL "crlf")
  file(READ "${IN}" text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE "${OUT}.part" "${text}")
  file(RENAME "${OUT}.part" "${OUT}")
elseif(KIND STREQUAL "save")
  set(header "Zentrel demo saved game ${SLOT}")
  string(LENGTH "${header}" len)
  while(len LESS 26)
    string(APPEND header ".")
    math(EXPR len "${len} + 1")
  endwhile()
  file(WRITE "${OUT}.part" "${header}${DESC}0 placeholder only, not a real saved game\r\n")
  file(RENAME "${OUT}.part" "${OUT}")
elseif(KIND STREQUAL "map")
  get_filename_component(dir "${OUT}" DIRECTORY)
  file(MAKE_DIRECTORY "${dir}")
  file(WRITE "${OUT}.part" "Zentrel demo user map: a placeholder only, not a real map\r\n")
  file(RENAME "${OUT}.part" "${OUT}")
else()
  message(FATAL_ERROR "demo_file.cmake: unknown KIND '${KIND}'")
endif()
