// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The interface language. Each edition starts in its own; it is never stored.
enum class Language { English = 0, Russian = 1 };
