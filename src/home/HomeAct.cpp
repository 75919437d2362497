// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeAct.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Words rather than the stereo effect's numbers, so an automation reads without a table.
QString effectName(int effect) {
    switch (effect) {
    case 0:
        return QStringLiteral("middle");
    case 1:
        return QStringLiteral("left");
    case 2:
        return QStringLiteral("right");
    case 3:
        return QStringLiteral("sweep right to left");
    case 4:
        return QStringLiteral("sweep left to right");
    default:
        // The player leaves the levels as they are.
        return QStringLiteral("unchanged");
    }
}

} // namespace

QByteArray HomeActJson::encode(const HomeAct& act) {
    const QJsonObject object{
        {QStringLiteral("node"), act.node},
        {QStringLiteral("ghost"), act.ghost},
        {QStringLiteral("name"), act.name},
        {QStringLiteral("kind"), act.longSound ? QStringLiteral("long") : QStringLiteral("short")},
        {QStringLiteral("specialty"), act.specialty},
        {QStringLiteral("sound"), act.soundNumber},
        {QStringLiteral("description"), act.description},
        {QStringLiteral("effect"), effectName(act.effect)},
        {QStringLiteral("trigger"), act.trigger},
        {QStringLiteral("sounded"), act.sounded},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}
