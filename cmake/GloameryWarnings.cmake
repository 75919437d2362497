# SPDX-License-Identifier: GPL-3.0-or-later
# Strict warnings for Gloamery's own targets only (third-party headers come in as system includes
# through their imported targets and are not affected). They become errors only with
# GLOAMERY_WERROR, which the test command sets: a newer compiler's new warnings must not stop a
# user's build.
function(gloamery_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-qual
        -Wformat=2 -Wimplicit-fallthrough -Wmissing-declarations -Wundef)
    if(GLOAMERY_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
