// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <variant>

// How gloamery-board was asked to run.
struct BoardOptions {
    quint16 vendorId = 0xABCC;
    quint16 productId = 0;
    QString directory;
    int intervalMs = 10;
    QString scriptFile;
    bool help = false;

    bool operator==(const BoardOptions&) const = default;
};

// The options in `arguments` (without the program name), or the one-line reason they are wrong.
std::variant<BoardOptions, QString> parseBoardOptions(const QStringList& arguments);

// What --help prints: the options and the command language.
QString boardUsage();
