// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "schedule/SchedulePlan.h"

struct ScheduleControls;

// The schedule window's evening editor: a plan shown in its controls and read back from them.
namespace SchedulePlanEditor {

// Fills the editor without its controls telling of an edit; with no plan it is greyed out. Only
// the field of each kind chosen shows, and only the way of choosing days in use takes input.
void show(const ScheduleControls& ui, const SchedulePlan* plan);
// `plan` as the controls now have it. A start or end kind just chosen starts from its plain
// value rather than the number the other kind left in the shared field.
SchedulePlan read(const ScheduleControls& ui, SchedulePlan plan);

} // namespace SchedulePlanEditor
