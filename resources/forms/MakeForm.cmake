# cmake -DIN=<description> -DOUT=<file> [-DLANGDATA=<binary map>] -P MakeForm.cmake
# Writes the window description with its language controller's property map put in as hex.
file(READ "${IN}" text)
if(LANGDATA AND EXISTS "${LANGDATA}")
    file(READ "${LANGDATA}" hex HEX)
    # 64 hex digits (32 bytes) a line.
    string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f])"
           "\\1\n      " hex "${hex}")
    string(REPLACE "@FORM1_LANGDATA@" "{${hex}}" text "${text}")
else()
    # No map yet: the controller starts empty.
    string(REGEX REPLACE "[^\n]*@FORM1_LANGDATA@[^\n]*\n" "" text "${text}")
endif()
file(WRITE "${OUT}" "${text}")
