# Run at install time (install(SCRIPT) in windows.cmake, which sets the velmora_* variables first): puts
# beside velmora.exe every DLL that it and its plug-ins import, found the way Windows finds them, and
# strips what the packages ship of its symbol tables, which nothing at run time reads (they were more than
# half of the bytes). A DLL found in neither the Qt nor the compiler's folders must be one that Windows
# itself provides (Wine's copies of the system DLLs stand for those), or the install fails.

set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${velmora_objdump}")
set(bin "${CMAKE_INSTALL_PREFIX}/${velmora_bindir}")

# The plug-ins, in the folders next to the program where Qt looks for them.
set(plugins ${velmora_plugins})
set(plugin_files)
while(plugins)
    list(POP_FRONT plugins folder plugin)
    file(INSTALL "${plugin}" DESTINATION "${bin}/${folder}")
    get_filename_component(name "${plugin}" NAME)
    list(APPEND plugin_files "${bin}/${folder}/${name}")
endwhile()

# CMake up to 3.26 reads the imported names in lower case and looks them up as such, later versions as they
# stand; on a case-sensitive disk either would miss the other, so the lookup goes through links to the real
# files under both names.
set(names "${velmora_binary_dir}/dll-names")
file(REMOVE_RECURSE "${names}")
file(MAKE_DIRECTORY "${names}")
foreach(dir IN LISTS velmora_dll_dirs)
    file(GLOB dlls "${dir}/*.dll")
    foreach(dll IN LISTS dlls)
        get_filename_component(name "${dll}" NAME)
        string(TOLOWER "${name}" lower)
        file(CREATE_LINK "${dll}" "${names}/${name}" SYMBOLIC)
        if(NOT lower STREQUAL name)
            file(CREATE_LINK "${dll}" "${names}/${lower}" SYMBOLIC)
        endif()
    endforeach()
endforeach()
file(GET_RUNTIME_DEPENDENCIES
     EXECUTABLES "${bin}/velmora.exe"
     MODULES ${plugin_files}
     DIRECTORIES "${names}"
     RESOLVED_DEPENDENCIES_VAR links
     UNRESOLVED_DEPENDENCIES_VAR system)
set(found)
foreach(link IN LISTS links)
    file(REAL_PATH "${link}" real)
    list(APPEND found "${real}")
endforeach()
foreach(dll IN LISTS system)
    string(TOLOWER "${dll}" lower)
    if(NOT EXISTS "${velmora_wine_system_dlls}/${dll}" AND NOT EXISTS "${velmora_wine_system_dlls}/${lower}"
       AND NOT lower MATCHES "^(api|ext)-ms-")
        message(FATAL_ERROR "velmora needs ${dll}, which is neither built here nor part of Windows")
    endif()
endforeach()
file(INSTALL ${found} DESTINATION "${bin}")

file(GLOB_RECURSE shipped "${bin}/*.dll" "${bin}/*.exe")
foreach(file IN LISTS shipped)
    execute_process(COMMAND "${velmora_strip}" --strip-unneeded "${file}" RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "could not strip ${file}")
    endif()
endforeach()
