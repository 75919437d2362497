# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cmake --install: puts the boards' udev rule where udev reads it. udev reads
# /usr/lib/udev/rules.d and /etc/udev/rules.d only, so a prefix such as /usr/local must not carry
# the rule along. DESTDIR is added by file(INSTALL), and the file lands in install_manifest.txt.
# In: GLOAMERY_UDEV_RULE (the rule's file), GLOAMERY_UDEV_RULES_DIR (empty: decided by prefix).
if(GLOAMERY_UDEV_RULES_DIR)
    set(rules_dir "${GLOAMERY_UDEV_RULES_DIR}")
elseif(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(rules_dir /usr/lib/udev/rules.d)
else()
    set(rules_dir /etc/udev/rules.d)
endif()
file(INSTALL DESTINATION "${rules_dir}" TYPE FILE FILES "${GLOAMERY_UDEV_RULE}")
get_filename_component(rule_name "${GLOAMERY_UDEV_RULE}" NAME)
message(STATUS "The boards' udev rule went to ${rules_dir}/${rule_name}; "
               "'sudo udevadm control --reload && sudo udevadm trigger' makes it take effect")
