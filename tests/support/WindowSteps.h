// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

// A walk through a window: each step acts on what the steps before it left and says what the
// window must show then.
template <class Window>
struct WindowStep {
    const char* what;
    std::function<void(Window&)> act;
    std::function<bool(Window&)> shown;
};

template <class Window>
void walkThrough(Window& window, std::initializer_list<WindowStep<Window>> steps) {
    for (const WindowStep<Window>& step : steps) {
        SCOPED_TRACE(step.what);
        step.act(window);
        EXPECT_TRUE(step.shown(window));
    }
}
