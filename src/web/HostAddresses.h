// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <functional>

// Where the web access window gets the computer's addresses; tests give their own lists.
using HostAddressSource = std::function<QStringList()>;

// The IPv4 addresses of the network interfaces that are up, in the interfaces' order, loopback
// left out; 127.0.0.1 only when there is no other. (A host-name lookup would give Debian's
// 127.0.1.1 from /etc/hosts, which no phone can reach.)
QStringList hostIPv4Addresses();
