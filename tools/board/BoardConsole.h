// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QTextStream;
class SimulatedBoard;

// The board's side of the terminal: commands in, output switches and errors out, each line
// flushed at once because tests and users read it through a pipe.
class BoardConsole : public QObject {
    Q_OBJECT
public:
    BoardConsole(SimulatedBoard& board, QTextStream& out, QTextStream& err,
                 QObject* parent = nullptr);

    void take(const QString& line);
    // Runs a script file line by line; false (and an error printed) when it cannot be read.
    bool runScript(const QString& file);
    void error(const QString& text);

private:
    void print(const QString& text);

    SimulatedBoard& m_board;
    QTextStream& m_out;
    QTextStream& m_err;
};
