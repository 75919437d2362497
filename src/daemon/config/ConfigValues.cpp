// SPDX-License-Identifier: GPL-3.0-or-later
#include "daemon/config/ConfigValues.h"

#include "core/IntegerText.h"

#include <QStringList>

#include <algorithm>

namespace ConfigValues {

namespace {

struct BoolWord {
    const char* yes;
    const char* no;
};
constexpr BoolWord BoolWords[] = {{"true", "false"}, {"on", "off"}, {"yes", "no"}, {"1", "0"}};

QString choiceNames(std::span<const Choice> choices) {
    QStringList names;
    for (const Choice& choice : choices)
        names.append(QLatin1String(choice.name));
    return names.join(QStringLiteral(", "));
}

} // namespace

std::optional<bool> parseBool(const QString& text) {
    for (const BoolWord& word : BoolWords) {
        if (text.compare(QLatin1String(word.yes), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String(word.no), Qt::CaseInsensitive) == 0)
            return false;
    }
    return std::nullopt;
}

QString boolText(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString notABoolean(const QString& text) {
    return QStringLiteral("'%1' is not a boolean: use true, false, on, off, yes, no, 1 or 0")
        .arg(text);
}

QString choiceText(qint32 value, std::span<const Choice> choices) {
    for (const Choice& choice : choices) {
        if (choice.value == value)
            return QLatin1String(choice.name);
    }
    return QString::number(value);
}

std::optional<qint32> parseChoice(const QString& text, std::span<const Choice> choices) {
    // Where the words are numbers themselves (minutes), a stored number would read as a word.
    const bool wordsAreNumbers = std::any_of(choices.begin(), choices.end(), [](const Choice& c) {
        return integerFromText(QString::fromLatin1(c.name)).has_value();
    });
    const std::optional<qint32> number = wordsAreNumbers ? std::nullopt : integerFromText(text);
    for (const Choice& choice : choices) {
        if (text.compare(QLatin1String(choice.name), Qt::CaseInsensitive) == 0 ||
            number == choice.value)
            return choice.value;
    }
    return std::nullopt;
}

QString outOfRange(const QString& text, qint32 lowest, qint32 highest) {
    return QStringLiteral("'%1' is out of range: use %2 to %3").arg(text).arg(lowest).arg(highest);
}

ConfigKey boolKey(const QString& name, bool& field) {
    return {name, [&field] { return boolText(field); },
            [&field](const QString& text) -> QString {
                const std::optional<bool> value = parseBool(text);
                if (!value)
                    return notABoolean(text);
                field = *value;
                return {};
            }};
}

ConfigKey choiceKey(const QString& name, qint32& field, std::span<const Choice> choices) {
    return {name, [&field, choices] { return choiceText(field, choices); },
            [&field, choices](const QString& text) -> QString {
                const std::optional<qint32> value = parseChoice(text, choices);
                if (!value)
                    return QStringLiteral("'%1' is not allowed: use %2")
                        .arg(text, choiceNames(choices));
                field = *value;
                return {};
            }};
}

ConfigKey integerKey(const QString& name, qint32& field, qint32 lowest, qint32 highest) {
    return {name, [&field] { return QString::number(field); },
            [&field, lowest, highest](const QString& text) -> QString {
                const std::optional<qint32> value = integerFromText(text);
                if (!value)
                    return notAnIntegerMessage(text);
                if (*value < lowest || *value > highest)
                    return outOfRange(text, lowest, highest);
                field = *value;
                return {};
            }};
}

ConfigKey textKey(const QString& name, QString& field,
                  std::function<QString(const QString&)> refusal, bool secret) {
    return {name, [&field] { return field; },
            [&field, refusal = std::move(refusal)](const QString& text) -> QString {
                if (refusal) {
                    if (QString why = refusal(text); !why.isEmpty())
                        return why;
                }
                field = text;
                return {};
            },
            secret};
}

} // namespace ConfigValues
