# Cross-compiles for 64-bit Windows with Debian's mingw-w64 g++ (posix threads, which std::thread and
# Qt's QThread need). Libraries and headers come only from the mingw sysroot and the Qt prefix, never
# from the build machine; programs (moc, rcc, uic) come from the build machine.
#
# The one place that knows the toolchain: the compilers' names, the folders of the compiler's own DLLs,
# where the host's Qt keeps its CMake files, and how the build runs a Windows program under Wine. The
# Windows Qt (scripts/windows/toolchain.sh) is built with this same file, and the packages
# (packaging/windows.cmake) take the compiler's DLLs from VELMORA_MINGW_DLL_DIRS.
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

# The C++ runtime, libgcc and winpthread DLLs that every program of this compiler loads: Debian keeps them
# in the compiler's own folders, not in the sysroot.
set(VELMORA_MINGW_DLL_DIRS)
foreach(dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE velmora_dll OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(velmora_dll_dir "${velmora_dll}" DIRECTORY)
    list(APPEND VELMORA_MINGW_DLL_DIRS "${velmora_dll_dir}")
endforeach()
list(REMOVE_DUPLICATES VELMORA_MINGW_DLL_DIRS)

# Qt's build tools are the host's own Qt tools of the same version; Debian keeps the host Qt's CMake files
# in the multiarch folder of the build machine.
set(QT_HOST_PATH /usr)
file(GLOB velmora_host_info LIST_DIRECTORIES true /usr/lib/*/cmake/Qt6HostInfo)
if(velmora_host_info)
    list(GET velmora_host_info 0 velmora_host_info)
    get_filename_component(QT_HOST_PATH_CMAKE_DIR "${velmora_host_info}" DIRECTORY)
endif()

# The Qt for Windows (scripts/windows/toolchain.sh --print-prefix), given as VELMORA_WINDOWS_QT in the cache
# or the environment.
if(NOT VELMORA_WINDOWS_QT AND DEFINED ENV{VELMORA_WINDOWS_QT})
    set(VELMORA_WINDOWS_QT "$ENV{VELMORA_WINDOWS_QT}")
endif()
if(VELMORA_WINDOWS_QT)
    list(APPEND CMAKE_FIND_ROOT_PATH "${VELMORA_WINDOWS_QT}")
    list(APPEND CMAKE_PREFIX_PATH "${VELMORA_WINDOWS_QT}")
endif()

# How the build runs its Windows programs, the tests among them: through scripts/windows/wine-run.sh in the
# Wine prefix VELMORA_WINE_PREFIX, with the DLLs of the Qt prefix and the compiler's folders on Wine's path
# (VELMORA_WINE_DLL_PATH, kept in the cache for the scripts that run a program of the build in a prefix of
# their own).
if(VELMORA_WINE_PREFIX AND VELMORA_WINDOWS_QT)
    get_filename_component(VELMORA_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../scripts/windows/wine-run.sh ABSOLUTE)
    list(JOIN VELMORA_MINGW_DLL_DIRS ":" velmora_dll_path)
    set(VELMORA_WINE_DLL_PATH "${VELMORA_WINDOWS_QT}:${velmora_dll_path}" CACHE INTERNAL "")
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VELMORA_WINE_RUN} ${VELMORA_WINE_PREFIX} ${VELMORA_WINE_DLL_PATH})
endif()
