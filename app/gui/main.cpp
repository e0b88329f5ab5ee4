// The program QD.
#include "main_frame.h"
#include "qd_app.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    QApplication::setApplicationName("Quidora");
    CQDApp app;
    if (!app.initInstance(QApplication::arguments())) {
        std::fprintf(stderr, "QD: start-up failed\n");
        return 1;
    }
    // The menu repair runs when the event loop falls idle.
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &app, [&app] { app.onIdle(0); });
    return QApplication::exec();
}
