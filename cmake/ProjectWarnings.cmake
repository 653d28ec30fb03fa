# Warning flags for our own targets; engine headers come in as system includes and stay quiet.
function(dunestride_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual
                                             -Wnull-dereference)
    if(DUNESTRIDE_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
