# The imported target `libjpeg`: libjpeg-turbo built for this Windows target by
# scripts/fetch-libjpeg (Debian ships no mingw build of it). VPS_LIBJPEG_ROOT may point elsewhere.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(_vps_jpeg_target win64)
else()
    set(_vps_jpeg_target win32)
endif()
set(VPS_LIBJPEG_ROOT "${PROJECT_SOURCE_DIR}/.deps/libjpeg-turbo/${_vps_jpeg_target}"
    CACHE PATH "Folder with include/jpeglib.h and lib/libjpeg.a for this target")

# The toolchain files confine searches to the mingw sysroot; this folder lies outside it.
find_path(VPS_LIBJPEG_INCLUDE_DIR jpeglib.h PATHS "${VPS_LIBJPEG_ROOT}/include"
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_library(VPS_LIBJPEG_LIBRARY NAMES libjpeg.a PATHS "${VPS_LIBJPEG_ROOT}/lib"
             NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT VPS_LIBJPEG_INCLUDE_DIR OR NOT VPS_LIBJPEG_LIBRARY)
    message(FATAL_ERROR "libjpeg for ${_vps_jpeg_target} not found in ${VPS_LIBJPEG_ROOT}: "
                        "run scripts/fetch-libjpeg (scripts/build does it), then configure again.")
endif()

add_library(libjpeg STATIC IMPORTED)
set_target_properties(libjpeg PROPERTIES
    IMPORTED_LOCATION "${VPS_LIBJPEG_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${VPS_LIBJPEG_INCLUDE_DIR}")
