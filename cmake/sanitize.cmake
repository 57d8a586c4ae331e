# VELMORA_SANITIZE: build everything of ours with AddressSanitizer and UndefinedBehaviorSanitizer (the
# `sanitize` preset turns it on). Any finding stops the program that made it, so the test fails.
include_guard(GLOBAL)

option(VELMORA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(VELMORA_SANITIZE)
    if(MSVC)
        message(FATAL_ERROR "VELMORA_SANITIZE needs gcc or clang")
    endif()
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
