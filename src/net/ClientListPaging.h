// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

// The page buttons beside the server window's two client lists. A list shows six entries of
// 14 pixels in its 84; a page step moves five entries, and the last page shows the list's end.
class ClientListPaging {
public:
    static constexpr int EntriesPerPage = 5;
    static constexpr int EntryHeight = 14;
    static constexpr int ListHeight = 84;

    // What the list is to show after a step that moved.
    struct View {
        int selected;     // the entry to select
        bool scrollToEnd; // keep the last entry in view; else `selected` becomes the top entry
    };

    // The last page index of a list of `count` entries.
    static int lastPage(int count) { return count * EntryHeight / ListHeight; }
    // A list too short to scroll shows its page buttons dimmed.
    static bool pagesDimmed(int count) { return count < 6; }

    int page() const { return m_page; }
    void reset() { m_page = 0; }

    // Nothing when the step would leave the pages: the index is put back and the list stays.
    std::optional<View> pageUp(int count) { return step(-1, count); }
    std::optional<View> pageDown(int count) { return step(1, count); }

private:
    std::optional<View> step(int direction, int count);

    int m_page = 0;
};
