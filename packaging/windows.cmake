# What a Windows user gets: velmora.exe with every DLL and plug-in it needs, as a portable ZIP and as an
# installer (NSIS) with a Start-menu entry and an uninstaller. Debian's Qt has no windeployqt, so the DLLs
# are found the way Windows finds them: by reading the imports of the program and its plug-ins at install
# time and looking them up in the Qt and compiler folders. A DLL found in neither must be one that Windows
# itself provides (Wine's own copies of the system DLLs stand for those), or the install fails.

# Qt looks for its plug-ins in these folders next to the program.
set(velmora_plugins
    platforms Qt6::QWindowsIntegrationPlugin
    styles Qt6::QWindowsVistaStylePlugin
    imageformats Qt6::QICOPlugin)
set(velmora_plugin_files)
while(velmora_plugins)
    list(POP_FRONT velmora_plugins folder plugin)
    install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${CMAKE_INSTALL_BINDIR}/${folder})
    list(APPEND velmora_plugin_files $<TARGET_FILE:${plugin}>)
endwhile()

execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE velmora_runtime_dll OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE velmora_pthread_dll OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(velmora_runtime_dir ${velmora_runtime_dll} DIRECTORY)
get_filename_component(velmora_pthread_dir ${velmora_pthread_dll} DIRECTORY)
find_program(VELMORA_OBJDUMP NAMES ${CMAKE_CXX_COMPILER_TARGET}-objdump x86_64-w64-mingw32-objdump REQUIRED)
set(VELMORA_WINE_SYSTEM_DLLS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows
    CACHE PATH "Wine's copies of the DLLs Windows provides, to tell them from ones missing")

install(CODE "
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND \"${VELMORA_OBJDUMP}\")
    # CMake reads the imported names in lower case and looks them up as such; on a case-sensitive disk
    # Qt6Core.dll would be missed, so the lookup goes through lower-case links to the real files.
    set(names \"${CMAKE_BINARY_DIR}/dll-names\")
    file(REMOVE_RECURSE \"\${names}\")
    file(MAKE_DIRECTORY \"\${names}\")
    foreach(dir \"$<TARGET_FILE_DIR:Qt6::Core>\" \"${velmora_runtime_dir}\" \"${velmora_pthread_dir}\")
        file(GLOB dlls \"\${dir}/*.dll\")
        foreach(dll IN LISTS dlls)
            get_filename_component(name \"\${dll}\" NAME)
            string(TOLOWER \"\${name}\" name)
            file(CREATE_LINK \"\${dll}\" \"\${names}/\${name}\" SYMBOLIC)
        endforeach()
    endforeach()
    file(GET_RUNTIME_DEPENDENCIES
         EXECUTABLES \"$<TARGET_FILE:velmora>\"
         MODULES ${velmora_plugin_files}
         DIRECTORIES \"\${names}\"
         RESOLVED_DEPENDENCIES_VAR links
         UNRESOLVED_DEPENDENCIES_VAR system)
    set(found)
    foreach(link IN LISTS links)
        file(REAL_PATH \"\${link}\" real)
        list(APPEND found \"\${real}\")
    endforeach()
    foreach(dll IN LISTS system)
        if(NOT EXISTS \"${VELMORA_WINE_SYSTEM_DLLS}/\${dll}\")
            string(TOLOWER \"\${dll}\" lower)
            if(NOT EXISTS \"${VELMORA_WINE_SYSTEM_DLLS}/\${lower}\" AND NOT lower MATCHES \"^(api|ext)-ms-\")
                message(FATAL_ERROR \"velmora needs \${dll}, which is neither built here nor part of Windows\")
            endif()
        endif()
    endforeach()
    file(INSTALL \${found} DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
")

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_FILE_NAME velmora-${PROJECT_VERSION}-windows-x64)
# A 64-bit installer for the 64-bit program; the wrapper is a shell script, for a cross build's makensis.
if(CMAKE_HOST_UNIX)
    set(CPACK_NSIS_EXECUTABLE ${CMAKE_CURRENT_LIST_DIR}/makensis-amd64.sh)
endif()
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "Ostrel Velmora")
set(CPACK_NSIS_DISPLAY_NAME "Ostrel Velmora ${PROJECT_VERSION}")
set(CPACK_NSIS_MUI_ICON ${VELMORA_ICON_ICO})
set(CPACK_NSIS_MUI_UNIICON ${VELMORA_ICON_ICO})
set(CPACK_NSIS_INSTALLED_ICON_NAME ${CMAKE_INSTALL_BINDIR}/velmora.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_PACKAGE_EXECUTABLES velmora "Velmora")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ${CMAKE_INSTALL_BINDIR})
set(CPACK_NSIS_MUI_FINISHPAGE_RUN velmora.exe)
