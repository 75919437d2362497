// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/ClientListPaging.h"

std::optional<ClientListPaging::View> ClientListPaging::step(int direction, int count) {
    m_page += direction;
    const int last = lastPage(count);
    // Past the end the index only steps back by one: a list that shrank since the last step
    // reaches its end over several presses, as it always has.
    if (m_page > last) {
        --m_page;
        return std::nullopt;
    }
    if (m_page < 0) {
        m_page = 0;
        return std::nullopt;
    }
    if (m_page == last)
        return View{count - 1, true};
    return View{EntriesPerPage * m_page, false};
}
