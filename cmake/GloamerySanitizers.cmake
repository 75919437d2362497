# SPDX-License-Identifier: GPL-3.0-or-later
if(GLOAMERY_SANITIZE)
    set(_gloamery_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_compile_options(${_gloamery_san})
    add_link_options(${_gloamery_san})
endif()
