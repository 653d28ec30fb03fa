# The layers of the source tree as the build keeps them: a library of a lower layer names what it must never be
# linked with, and configuration fails when anything it links, directly or through other libraries, is one of
# those. A dependency on a higher layer then shows up when it is added, not when a program without a window
# turns out to need a display.

# Items of a link list as plain names: the libraries a static library links privately come as $<LINK_ONLY:...>,
# and the markers CMake puts around items linked from another directory carry no library.
function(_dunestride_plain_link_items items outVar)
    set(plain "")
    foreach(item IN LISTS items)
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
        if(item MATCHES "^::@" OR item STREQUAL "")
            continue()
        endif()
        list(APPEND plain "${item}")
    endforeach()
    set(${outVar} "${plain}" PARENT_SCOPE)
endfunction()

# Everything the target links, directly or through other targets: target names, library files and flags.
function(_dunestride_link_closure target outVar)
    set(seen "")
    set(pending "${target}")
    while(pending)
        list(POP_FRONT pending current)
        if(current IN_LIST seen)
            continue()
        endif()
        list(APPEND seen "${current}")
        if(NOT TARGET "${current}")
            continue()
        endif()
        get_target_property(aliased "${current}" ALIASED_TARGET)
        if(aliased)
            list(APPEND pending "${aliased}")
            continue()
        endif()
        get_target_property(type "${current}" TYPE)
        get_target_property(imported "${current}" IMPORTED)
        set(linked "")
        if(NOT imported AND NOT type STREQUAL "INTERFACE_LIBRARY")
            get_target_property(own "${current}" LINK_LIBRARIES)
            if(own)
                list(APPEND linked ${own})
            endif()
        endif()
        get_target_property(passedOn "${current}" INTERFACE_LINK_LIBRARIES)
        if(passedOn)
            list(APPEND linked ${passedOn})
        endif()
        _dunestride_plain_link_items("${linked}" linked)
        list(APPEND pending ${linked})
    endwhile()
    list(REMOVE_ITEM seen "${target}")
    set(${outVar} "${seen}" PARENT_SCOPE)
endfunction()

function(_dunestride_check_forbidden_links target)
    _dunestride_link_closure(${target} linked)
    foreach(forbidden IN LISTS ARGN)
        if(forbidden IN_LIST linked)
            message(FATAL_ERROR "${target} links ${forbidden}, which its layer must not use")
        endif()
    endforeach()
endfunction()

# Fails configuration if target links any of the targets or library files named after it. Checked once the whole
# tree is configured, so that links added later, from any folder, count too.
function(dunestride_forbid_links target)
    # A deferred call reads its variables when it runs: the names go in as they stand now.
    cmake_language(EVAL CODE "cmake_language(DEFER DIRECTORY \"${CMAKE_SOURCE_DIR}\"
                                  CALL _dunestride_check_forbidden_links \"${target}\" ${ARGN})")
endfunction()
