// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QValidator>

// Stops the user's typing at a length, but not text set by code: a longer name stays whole,
// and the user may shorten it (never lengthen it) until it fits.
class NameLengthValidator : public QValidator {
    Q_OBJECT
public:
    NameLengthValidator(int limit, QObject* parent);

    // The field's text is now `length` characters long; call before setting text by code too.
    void admit(qsizetype length) { m_current = length; }

    State validate(QString& input, int& position) const override;

private:
    qsizetype m_limit;
    qsizetype m_current = 0;
};
