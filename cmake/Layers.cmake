# The program is layered: app -> capture, output, guidance, settings dialogs -> help, settings
# store -> win -> core. Each folder is a library, and each library shows the libraries that link
# it only its own headers, staged under build/include/<library>/. An include of a folder that a
# library does not link therefore fails to compile, instead of working by accident because every
# header sits under one src/ include path.
#
#   vps_expose_headers(<target> <folder>)              the whole folder
#   vps_expose_headers(<target> <folder> a.h b.h ...)  only these headers of the folder
function(vps_expose_headers target folder)
    set(stage ${CMAKE_BINARY_DIR}/include/${target})
    file(MAKE_DIRECTORY ${stage})
    if(ARGN)
        file(MAKE_DIRECTORY ${stage}/${folder})
        foreach(header ${ARGN})
            file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${stage}/${folder}/${header} SYMBOLIC)
        endforeach()
    else()
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${stage}/${folder} SYMBOLIC)
    endif()
    target_include_directories(${target} PUBLIC ${stage})
endfunction()
