# Cross-compiles for 64-bit Windows with Debian's mingw-w64 g++ (posix threads, which std::thread and
# Qt's QThread need). Libraries and headers come only from the mingw sysroot and the Qt prefix, never
# from the build machine; programs (moc, rcc, uic) come from the build machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VELMORA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VELMORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELMORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VELMORA_MINGW_TRIPLE}-windres)

list(APPEND CMAKE_FIND_ROOT_PATH /usr/${VELMORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The Qt for Windows (scripts/windows/toolchain.sh --print-prefix), given as VELMORA_WINDOWS_QT in the cache
# or the environment; its build tools are the host's own Qt tools of the same version.
if(NOT VELMORA_WINDOWS_QT AND DEFINED ENV{VELMORA_WINDOWS_QT})
    set(VELMORA_WINDOWS_QT "$ENV{VELMORA_WINDOWS_QT}")
endif()
if(VELMORA_WINDOWS_QT)
    list(APPEND CMAKE_FIND_ROOT_PATH "${VELMORA_WINDOWS_QT}")
    list(APPEND CMAKE_PREFIX_PATH "${VELMORA_WINDOWS_QT}")
    set(QT_HOST_PATH /usr)
    # Debian keeps the host Qt's CMake files in the multiarch folder of the build machine.
    file(GLOB velmora_host_info LIST_DIRECTORIES true /usr/lib/*/cmake/Qt6HostInfo)
    if(velmora_host_info)
        list(GET velmora_host_info 0 velmora_host_info)
        get_filename_component(QT_HOST_PATH_CMAKE_DIR "${velmora_host_info}" DIRECTORY)
    endif()
endif()
