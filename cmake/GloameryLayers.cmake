# SPDX-License-Identifier: GPL-3.0-or-later
# Logic libraries (readers, codecs, protocol parsers, program state) link Qt Core only, so tools
# and fuzz targets build without a GUI stack. gloamery_core_only() marks such a library and
# makes the configure step fail when it names a GUI header or links a GUI library.
set(GLOAMERY_GUI_INCLUDE "#include[ \t]*<(QtGui|QtWidgets|QtOpenGL)/|#include[ \t]*<Q(Widget|Dialog|Label|Pixmap|Image|Painter|Cursor|Application|GuiApplication|Font|Color|Icon|Menu|MouseEvent|KeyEvent|Validator|Screen|Window)>")

function(gloamery_core_only target)
    set_property(GLOBAL APPEND PROPERTY GLOAMERY_CORE_ONLY_TARGETS ${target})
    get_target_property(sources ${target} SOURCES)
    get_target_property(dir ${target} SOURCE_DIR)
    foreach(source IN LISTS sources)
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${dir})
        file(STRINGS ${source} hits REGEX "${GLOAMERY_GUI_INCLUDE}")
        if(hits)
            message(FATAL_ERROR "${target} links Qt Core only, but ${source} includes a GUI header: ${hits}")
        endif()
    endforeach()
endfunction()

# Called once every target exists: a Qt-Core-only target may link only Qt Core, Qt Network (the
# servers are services too, and it needs no GUI), third-party libraries found through pkg-config,
# libnova (which has no pkg-config file), the test framework, and other Qt-Core-only targets.
function(gloamery_check_layers)
    get_property(core_only GLOBAL PROPERTY GLOAMERY_CORE_ONLY_TARGETS)
    foreach(target IN LISTS core_only)
        get_target_property(links ${target} LINK_LIBRARIES)
        get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
        foreach(link IN LISTS links interface)
            string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
            if(link STREQUAL "" OR link MATCHES "-NOTFOUND$" OR link STREQUAL "Qt6::Core"
               OR link STREQUAL "Qt6::Network" OR link STREQUAL "Qt6::Test"
               OR link MATCHES "^GTest::"
               OR link MATCHES "^PkgConfig::" OR link MATCHES "^Threads::"
               OR link STREQUAL "Libnova::Libnova")
                continue()
            endif()
            if(NOT link IN_LIST core_only)
                message(FATAL_ERROR "${target} links Qt Core only, but links ${link}")
            endif()
        endforeach()
    endforeach()
endfunction()
