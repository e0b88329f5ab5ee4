#include "gui_scope.h"

#include <QApplication>
#include <QThread>

namespace qddlg {
namespace {
// QApplication keeps references to both for its whole life.
int appArgc = 1;
char appName[] = "QDDlg";
char* appArgv[] = {appName, nullptr};
} // namespace

GuiScope::GuiScope() {
    if (!QCoreApplication::instance()) owned_ = std::make_unique<QApplication>(appArgc, appArgv);
    QCoreApplication* app = QCoreApplication::instance();
    usable_ = qobject_cast<QApplication*>(app) && app->thread() == QThread::currentThread();
}

GuiScope::~GuiScope() = default;

} // namespace qddlg
