# What a Windows user gets: velmora.exe with every DLL and plug-in it needs, as a portable ZIP and as an
# installer (NSIS) with a Start-menu entry and an uninstaller. Debian's Qt has no windeployqt, so the DLLs
# are found at install time by windows-dlls.cmake, from the imports of the program and its plug-ins.

# The folders next to the program where Qt looks for its plug-ins, and the plug-ins Velmora loads: the
# Windows platform and its native style, whose plug-in Qt 6.7 renamed when it added the Windows 11 style.
set(velmora_style_plugin Qt6::QWindowsVistaStylePlugin)
if(TARGET Qt6::QModernWindowsStylePlugin)
    set(velmora_style_plugin Qt6::QModernWindowsStylePlugin)
endif()
set(velmora_plugins
    platforms $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
    styles $<TARGET_FILE:${velmora_style_plugin}>)
find_program(VELMORA_OBJDUMP NAMES ${VELMORA_MINGW_TRIPLE}-objdump REQUIRED)
set(VELMORA_WINE_SYSTEM_DLLS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows
    CACHE PATH "Wine's copies of the DLLs Windows provides, to tell them from ones missing")

install(CODE "
    set(velmora_bindir [[${CMAKE_INSTALL_BINDIR}]])
    set(velmora_binary_dir [[${CMAKE_BINARY_DIR}]])
    set(velmora_plugins [[${velmora_plugins}]])
    set(velmora_dll_dirs [[$<TARGET_FILE_DIR:Qt6::Core>;${VELMORA_MINGW_DLL_DIRS}]])
    set(velmora_objdump [[${VELMORA_OBJDUMP}]])
    set(velmora_strip [[${CMAKE_STRIP}]])
    set(velmora_wine_system_dlls [[${VELMORA_WINE_SYSTEM_DLLS}]])")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/windows-dlls.cmake)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_FILE_NAME velmora-${PROJECT_VERSION}-windows-x64)
# A 64-bit installer for the 64-bit program; the wrapper is a shell script, for a cross build's makensis.
if(CMAKE_HOST_UNIX)
    set(CPACK_NSIS_EXECUTABLE ${CMAKE_CURRENT_LIST_DIR}/makensis-amd64.sh)
endif()
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# One LZMA stream over all files rather than one per file: the DLLs share much, and the installer is
# smaller by a third.
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_PACKAGE_NAME "Ostrel Velmora")
set(CPACK_NSIS_DISPLAY_NAME "Ostrel Velmora ${PROJECT_VERSION}")
set(CPACK_NSIS_MUI_ICON ${VELMORA_ICON_ICO})
set(CPACK_NSIS_MUI_UNIICON ${VELMORA_ICON_ICO})
set(CPACK_NSIS_INSTALLED_ICON_NAME ${CMAKE_INSTALL_BINDIR}/velmora.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_PACKAGE_EXECUTABLES velmora "Velmora")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ${CMAKE_INSTALL_BINDIR})
set(CPACK_NSIS_MUI_FINISHPAGE_RUN velmora.exe)
