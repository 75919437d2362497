// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"

#include <QPoint>

#include <array>

// Where the pointer is over a skinned dialog's close button, whether the button is held, and the
// BitmapList_Yellow entry it must then show; shared by every dialog built on the kit.
struct CloseButtonCase {
    Language language;
    QPoint at; // relative to the button
    bool pressed;
    int image;
};

inline constexpr std::array<CloseButtonCase, 10> CloseButtonCases = {{
    {Language::English, {-20, 10}, false, 6},
    {Language::English, {1, 1}, false, 7},
    {Language::English, {0, 10}, false, 6},
    {Language::English, {163, 49}, false, 7},
    {Language::English, {164, 20}, false, 6},
    {Language::English, {80, 25}, true, 8},
    {Language::Russian, {-20, 10}, false, 21},
    {Language::Russian, {80, 25}, false, 22},
    {Language::Russian, {80, 25}, true, 23},
    {Language::Russian, {80, 50}, true, 21},
}};
