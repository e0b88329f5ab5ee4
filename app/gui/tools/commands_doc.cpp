// Writes docs/commands.md from the program's command table.
#include "recorder/command_doc.h"

#include <QApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: qd_commands_doc OUT.md\n");
        return 2;
    }
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "qd_commands_doc: cannot write %s\n", argv[1]);
        return 3;
    }
    out.write(qd::commandsMarkdown().toUtf8());
    return 0;
}
