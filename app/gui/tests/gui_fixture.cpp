#include "gui_fixture.h"

#include <QApplication>
#include <cstdio>

void GuiTest::SetUp() {
    ASSERT_TRUE(dir.isValid());
    qputenv("QD_SETTINGS_DIR", dir.path().toLocal8Bit());
    qd::setMessageBoxFunction(
        [this](QWidget*, const QString& text, const QString& title, uint32_t style) {
            boxes.push_back({text, title, style});
            if (answers.empty()) return int(qd::IdOk);
            const int a = answers.front();
            answers.pop_front();
            return a;
        });
    qd::setModalRunner([this](QDialog& d) {
        dialogTitles.push_back(d.windowTitle());
        return dialogs ? dialogs(d) : int(QDialog::Rejected);
    });
    if (startApp) start();
}

void GuiTest::start() {
    app = std::make_unique<CQDApp>();
    ASSERT_TRUE(app->initInstance({"QD"}));
    frame = app->mainFrame();
}

void GuiTest::TearDown() {
    // Whatever a test left open goes without questions.
    if (app && app->mainFrame())
        for (CChildFrame* f : app->mainFrame()->childFrames()) {
            f->document()->setNoFile(0);
            f->document()->setNotSaved(0);
        }
    while (app && app->runningProcessingCount() > 0)
        app->endProcessing();
    app.reset();
    flush();
    qd::setMessageBoxFunction({});
    qd::setModalRunner({});
}

IMHANDLE GuiTest::makeImage(int w, int h, int type) {
    return IMCreateFromMatrix(MTCreate(w, h, type));
}

CChildFrame* GuiTest::openNew(int w, int h, int type, int notSaved, const QString& title) {
    return app->openImageWindow(makeImage(w, h, type), notSaved, title);
}

void GuiTest::flush() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void GuiTest::mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
                    Qt::KeyboardModifiers mods) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)),
                  type == QEvent::MouseMove ? Qt::NoButton : button, held, mods);
    QCoreApplication::sendEvent(w, &e);
}

namespace {
// The offscreen platform reports what it cannot do; that is noise here.
void quietHandler(QtMsgType type, const QMessageLogContext& ctx, const QString& msg) {
    if (type == QtWarningMsg && msg.startsWith("This plugin does not support")) return;
    fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, ctx, msg)));
}
} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
