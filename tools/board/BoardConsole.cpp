// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardConsole.h"

#include "BoardCommand.h"
#include "LineSource.h"
#include "SimulatedBoard.h"

#include <QFile>
#include <QTextStream>

BoardConsole::BoardConsole(SimulatedBoard& board, QTextStream& out, QTextStream& err,
                           QObject* parent)
    : QObject(parent)
    , m_board(board)
    , m_out(out)
    , m_err(err) {
    connect(&board, &SimulatedBoard::outputChanged, this, [this](int output, bool on) {
        print(QStringLiteral("output %1 %2").arg(output).arg(on ? u"on" : u"off"));
    });
    connect(&board, &SimulatedBoard::problem, this, &BoardConsole::error);
}

void BoardConsole::take(const QString& line) {
    const auto parsed = parseBoardCommand(line);
    if (const QString* why = std::get_if<QString>(&parsed)) {
        error(*why);
        return;
    }
    const BoardCommand& command = std::get<BoardCommand>(parsed);
    if (command.kind == BoardCommand::Kind::Status) {
        m_out << m_board.status();
        m_out.flush();
        return;
    }
    const QString why = m_board.execute(command);
    if (!why.isEmpty())
        error(why);
}

bool BoardConsole::runScript(const QString& file) {
    QFile script(file);
    if (!script.open(QIODevice::ReadOnly)) {
        error(QStringLiteral("cannot read the script %1: %2").arg(file, script.errorString()));
        return false;
    }
    while (!script.atEnd()) {
        const QByteArray line = script.readLine(LineSource::MaxLine + 1);
        if (!line.endsWith('\n') && !script.atEnd()) {
            error(QStringLiteral("%1: a line longer than %2 bytes; skipped")
                      .arg(file)
                      .arg(LineSource::MaxLine));
            while (!script.atEnd() && !script.readLine(LineSource::MaxLine + 1).endsWith('\n')) {
            }
            continue;
        }
        take(QString::fromUtf8(line));
    }
    return true;
}

void BoardConsole::error(const QString& text) {
    m_err << "gloamery-board: " << text << '\n';
    m_err.flush();
}

void BoardConsole::print(const QString& text) {
    m_out << text << '\n';
    m_out.flush();
}
