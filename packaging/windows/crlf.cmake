# Writes a copy of a text file with Windows line endings: cmake -DIN=FILE -DOUT=FILE -P crlf.cmake
file(READ "${IN}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}" "${text}")
