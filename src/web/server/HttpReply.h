// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

// The one reply the web access gives to every request it accepts: success, no body, and the
// connection closes after it.
inline constexpr QByteArrayView HttpEmptySuccessReply = "HTTP/1.1 200 OK\r\n"
                                                        "Connection: close\r\n"
                                                        "Content-Type: text/html\r\n"
                                                        "Server: Murkwell\r\n"
                                                        "\r\n";
