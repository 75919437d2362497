// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program and prints, in milliseconds, how long it took until its first window larger
// than 100 by 100 was mapped on the X display: the time to the first thing a person sees. Then
// ends the program. Usage: desktop_first_map PROGRAM [ARGUMENTS...]
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

bool largeEnough(xcb_connection_t* connection, xcb_window_t window) {
    const std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr),
        &std::free);
    return geometry && geometry->width > 100 && geometry->height > 100;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
        const xcb_window_t window = mapped
                                        ? reinterpret_cast<xcb_map_notify_event_t*>(event)->window
                                        : xcb_window_t(XCB_WINDOW_NONE);
        std::free(event);
        if (mapped && largeEnough(connection, window)) {
            const auto ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            std::printf("%.1f\n", ms);
            kill(child, SIGTERM);
            waitpid(child, &status, 0);
            return 0;
        }
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "the program ended without showing a window\n");
            return 1;
        }
    }
    kill(child, SIGTERM);
    return 1;
}
