# Warnings for our own targets; the code builds without any.
function(kelvaro_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
endfunction()

# A library that must depend on the C++ standard library alone (engine, store).
# Fails the configure step if anything is linked into it, so the boundary cannot
# be broken by accident. The targets named after it are allowed: header-only
# libraries written in standard C++ alone.
function(kelvaro_std_only target)
    get_target_property(libs ${target} LINK_LIBRARIES)
    get_target_property(ilibs ${target} INTERFACE_LINK_LIBRARIES)
    foreach(lib IN LISTS libs ilibs)
        # A private link of a static library is passed on as $<LINK_ONLY:name>.
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" lib "${lib}")
        if(lib AND NOT lib MATCHES "NOTFOUND$" AND NOT lib IN_LIST ARGN)
            message(FATAL_ERROR "${target} must link only the C++ standard library, not ${lib}")
        endif()
    endforeach()
endfunction()
