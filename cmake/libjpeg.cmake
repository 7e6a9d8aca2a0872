# The imported target `libjpeg`: libjpeg-turbo built for this Windows target by
# scripts/fetch-libjpeg. VPS_LIBJPEG_ROOT may point elsewhere.
include(${CMAKE_CURRENT_LIST_DIR}/DepsLibrary.cmake)
if(NOT TARGET libjpeg)
    vps_import_deps_library(libjpeg libjpeg-turbo jpeglib.h libjpeg.a fetch-libjpeg)
endif()
