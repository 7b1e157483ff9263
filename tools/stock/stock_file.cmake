# Writes one stock file into the program directory (cmake -P): IN=<text file> OUT=<path>.
# The game reads DOS text, so the copy gets CRLF line ends whatever the checkout did to them.
file(READ "${IN}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}.part" "${text}")
file(RENAME "${OUT}.part" "${OUT}")
