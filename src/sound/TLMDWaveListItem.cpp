#include "sound/TLMDWaveListItem.h"

#include "app/core/Windows1251.h"

QString TLMDWaveListItem::descriptionText() const {
    return Windows1251::decode(Description);
}
