# The imported target `libdeflate`: libdeflate built for this Windows target by
# scripts/fetch-libdeflate. VPS_LIBDEFLATE_ROOT may point elsewhere.
include(${CMAKE_CURRENT_LIST_DIR}/DepsLibrary.cmake)
if(NOT TARGET libdeflate)
    vps_import_deps_library(libdeflate libdeflate libdeflate.h libdeflate.a fetch-libdeflate)
endif()
