# The compiler warnings every target of ours is built with, as one interface target: link
# velmora_warnings (PRIVATE) to take them. With VELMORA_WERROR on, any warning fails the build.
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
