#include "GsnCommands.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    GsnCommands commands(out, err);
    return commands.run(QCoreApplication::arguments().mid(1));
}
