# The engine's headers are most of what the game's own sources compile: with DUNESTRIDE_PCH they are compiled once
# per target that includes many of them. Off by default: compiler caches such as ccache do not cache sources
# compiled against a precompiled header unless told to, and a developer's rebuilds gain more from the cache.
# scripts/test.sh turns it on for the builds it makes without a compiler cache.
option(DUNESTRIDE_PCH "Precompile the engine's headers for the targets that include many of them" OFF)

function(dunestride_engine_pch)
    if(NOT DUNESTRIDE_PCH)
        return()
    endif()
    foreach(target ${ARGN})
        if(TARGET ${target})
            target_precompile_headers(${target} PRIVATE <Ogre.h>)
        endif()
    endforeach()
endfunction()
