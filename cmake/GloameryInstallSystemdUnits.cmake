# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cmake --install: puts gloameryd's user and system units where systemd reads them, naming
# the installed program, whose folder is only known once --prefix is. systemd reads units below
# /usr/lib and /usr/local/lib, and /etc/systemd for anything else. DESTDIR is added by
# file(INSTALL), and the files land in install_manifest.txt.
# In: GLOAMERY_SYSTEMD_UNITS (folder with user/ and system/ templates), GLOAMERY_SYSTEMD_STAGE (a
# scratch folder), GLOAMERY_BINDIR (relative to the prefix, or absolute), GLOAMERY_SYSTEMD_DIR
# (empty: decided by prefix).
string(REGEX REPLACE "/+$" "" prefix "${CMAKE_INSTALL_PREFIX}")
if(GLOAMERY_SYSTEMD_DIR)
    set(systemd_dir "${GLOAMERY_SYSTEMD_DIR}")
elseif(prefix MATCHES "^/usr(/local)?$")
    set(systemd_dir "${prefix}/lib/systemd")
else()
    set(systemd_dir /etc/systemd)
endif()
if(IS_ABSOLUTE "${GLOAMERY_BINDIR}")
    set(GLOAMERY_DAEMON "${GLOAMERY_BINDIR}/gloameryd")
else()
    set(GLOAMERY_DAEMON "${prefix}/${GLOAMERY_BINDIR}/gloameryd")
endif()
foreach(kind user system)
    configure_file("${GLOAMERY_SYSTEMD_UNITS}/${kind}/gloameryd.service.in"
                   "${GLOAMERY_SYSTEMD_STAGE}/${kind}/gloameryd.service" @ONLY)
    file(INSTALL DESTINATION "${systemd_dir}/${kind}" TYPE FILE
         FILES "${GLOAMERY_SYSTEMD_STAGE}/${kind}/gloameryd.service")
endforeach()
message(STATUS "gloameryd's units went to ${systemd_dir}/user and ${systemd_dir}/system; "
               "'systemctl --user daemon-reload' or 'sudo systemctl daemon-reload' finds them")
