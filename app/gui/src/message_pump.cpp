#include "message_pump.h"

#include <QCoreApplication>
#include <QEvent>

#include <qd/memobj.h>

namespace qd {
namespace {

class CloseSwallower : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Close) {
            e->ignore();
            return true;
        }
        return e->type() == QEvent::Quit;
    }
};

} // namespace

int32_t pumpMessages() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return 0;
    CloseSwallower filter;
    app->installEventFilter(&filter);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    app->removeEventFilter(&filter);
    return 1;
}

void installMessagePump() { SetMessagePump(&pumpMessages); }

void removeMessagePump() { SetMessagePump(nullptr); }

} // namespace qd
