// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/TLMDWaveListItem.h"

#include "core/Windows1251.h"

QString TLMDWaveListItem::descriptionText() const {
    return Windows1251::decode(Description);
}
