// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/NameLengthValidator.h"

#include <algorithm>

NameLengthValidator::NameLengthValidator(int limit, QObject* parent)
    : QValidator(parent)
    , m_limit(limit) {}

QValidator::State NameLengthValidator::validate(QString& input, int& /*position*/) const {
    return input.size() <= std::max(m_limit, m_current) ? Acceptable : Invalid;
}
