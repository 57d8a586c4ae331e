# The compiler warnings every target of ours is built with, as one interface target: link
# velmora_warnings (PRIVATE) to take them. With VELMORA_WERROR on, any warning fails the build: the test
# presets (dev, sanitize, windows) and so CI turn it on. It stays off by default and in the release preset
# that scripts/run.sh and the README's package commands use, so a newer compiler or Qt that finds
# something new never stops someone building Velmora to use or to package it.
include_guard(GLOBAL)

option(VELMORA_WERROR "Treat compiler warnings as errors" OFF)

add_library(velmora_warnings INTERFACE)
if(MSVC)
    target_compile_options(velmora_warnings INTERFACE /W4 /permissive- $<$<BOOL:${VELMORA_WERROR}>:/WX>)
else()
    target_compile_options(velmora_warnings INTERFACE
        -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wnon-virtual-dtor -Wold-style-cast
        -Woverloaded-virtual $<$<BOOL:${VELMORA_WERROR}>:-Werror>)
endif()
