cmake_minimum_required(VERSION 3.25)
# The program's icon holds an image for every size Windows asks for at 100%,
# 125%, 150% and 200% (16, 20, 24, 32, 40, 48, 64) and the large 256, so that
# it never shrinks a larger one into a blur.
file(READ "${ICON}" bytes HEX)
string(SUBSTRING "${bytes}" 4 4 type)
string(SUBSTRING "${bytes}" 8 4 count)
if(NOT type STREQUAL "0100")
    message(FATAL_ERROR "${ICON} is no icon file")
endif()
math(EXPR count "0x${count}" OUTPUT_FORMAT DECIMAL) # little-endian, under 256
math(EXPR count "(${count} >> 8) | ((${count} & 255) << 8)")
set(found "")
math(EXPR last "${count} - 1")
foreach(k RANGE ${last})
    math(EXPR at "(6 + 16 * ${k}) * 2") # each entry: width, height, ...
    string(SUBSTRING "${bytes}" ${at} 2 width)
    math(EXPR width "0x${width}")
    if(width EQUAL 0)
        set(width 256)
    endif()
    list(APPEND found ${width})
endforeach()
foreach(size 16 20 24 32 40 48 64 256)
    if(NOT size IN_LIST found)
        message(FATAL_ERROR "${ICON} has no ${size} pixel image (it has: ${found})")
    endif()
endforeach()
