# cmake -DIN=<description> -DOUT=<file> -DPICTURES=<folder> [-DLANGDATA=<binary map>]
#       -P MakeForm.cmake
# Writes the window description with its language controller's property map and its button
# pictures (@PICTURE:name.png@) put in as hex.
file(READ "${IN}" text)
string(REGEX MATCHALL "@PICTURE:[A-Za-z0-9_.-]+@" pictures "${text}")
list(REMOVE_DUPLICATES pictures)
foreach(tag IN LISTS pictures)
    string(REGEX REPLACE "@PICTURE:(.*)@" "\\1" name "${tag}")
    file(READ "${PICTURES}/${name}" hex HEX)
    string(REPLACE "${tag}" "{${hex}}" text "${text}")
endforeach()
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
