# vps_import_deps_library(<target> <folder> <header> <library> <script>): the imported static
# library <target>, built for this Windows target by scripts/<script> into
# .deps/<folder>/{win64,win32} from Debian's source package (Debian ships no mingw build of it).
# The cache variable VPS_<TARGET>_ROOT may point elsewhere.
function(vps_import_deps_library target folder header library script)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(windows_target win64)
    else()
        set(windows_target win32)
    endif()
    string(TOUPPER "${target}" upper)
    set(VPS_${upper}_ROOT "${PROJECT_SOURCE_DIR}/.deps/${folder}/${windows_target}"
        CACHE PATH "Folder with include/${header} and lib/${library} for this target")
    set(root "${VPS_${upper}_ROOT}")

    # The toolchain files confine searches to the mingw sysroot; this folder lies outside it.
    find_path(VPS_${upper}_INCLUDE_DIR ${header} PATHS "${root}/include"
              NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    find_library(VPS_${upper}_LIBRARY NAMES ${library} PATHS "${root}/lib"
                 NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT VPS_${upper}_INCLUDE_DIR OR NOT VPS_${upper}_LIBRARY)
        message(FATAL_ERROR "${target} for ${windows_target} not found in ${root}: "
                            "run scripts/${script} (scripts/build does it), then configure again.")
    endif()

    add_library(${target} STATIC IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES
        IMPORTED_LOCATION "${VPS_${upper}_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${VPS_${upper}_INCLUDE_DIR}")
endfunction()
