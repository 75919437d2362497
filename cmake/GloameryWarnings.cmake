# Strict warnings, as errors, for Gloamery's own targets only (third-party headers come in as system
# includes through their imported targets and are not affected).
function(gloamery_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-qual
        -Wformat=2 -Wimplicit-fallthrough -Wmissing-declarations -Wundef -Werror)
endfunction()
