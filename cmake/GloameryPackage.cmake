# SPDX-License-Identifier: GPL-3.0-or-later
# A Debian package of everything `cmake --install` puts in place, built by scripts/package.sh
# (cpack -G DEB). Its dependencies are read from the binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gloamery)
set(CPACK_PACKAGE_VENDOR "Brannoch")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Gloamery maintainers <maintainers@users.noreply.c-seed-9ecc8321.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ghosts that live in your home")
# Installed with the prefix /usr itself and the staging folder as DESTDIR, so that the udev rule
# goes where a prefix of /usr puts it.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
# Not "games": that section is for packages with files in /usr/games, and the editions live in
# /usr/bin like the tools.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Wayland sessions without XWayland need Qt's Wayland platform plugin; with XWayland it is unused.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The long description; cpack adds the summary line and the control file's indentation.
set(CPACK_PACKAGE_DESCRIPTION "Gloamery lets up to eight ghosts live in your home. Each has a name, a temper,
a working time and a hobby (doorman, electrician, plumber, postman,
pedestrian). While the attraction runs, one of them acts at random moments:
it plays a sound of its hobby through the speakers, from the left, the right,
the middle, or sweeping across the room.

The package holds both editions, gloamery (English) and gloamery-ru
(Russian), gloameryd, Gloamery without a desktop, to run as a user's or the
computer's systemd service (the package enables neither), the sound library
tool gsn and the board simulator gloamery-board.")

include(CPack)
