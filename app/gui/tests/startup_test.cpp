// Start-up, shutdown, the main window's menus, bars and the message pump.
#include "brush_style_wnd.h"
#include "gui_fixture.h"
#include "histo_frame.h"
#include "image_commands.h"
#include "profile.h"
#include "result_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSettings>
#include <QToolBar>

#include <qd/memobj.h>

class StartupTest : public GuiTest {};

TEST_F(StartupTest, EmptySettingsStartWithNoWindowAndExitWritesTheFiles) {
    EXPECT_TRUE(frame->childFrames().isEmpty());
    EXPECT_EQ(app->registry().count(), 0);
    EXPECT_EQ(app->kernelLibrary()->count(), 11);
    EXPECT_EQ(app->mmKernelLibrary()->count(), 5);
    EXPECT_TRUE(frame->histogramWindow()->isVisible());
    EXPECT_FALSE(frame->brushBar()->isVisible());
    EXPECT_EQ(frame->currentTool(), qd::IdNormalCursor);
    app.reset();
    for (const char* f : {"QDPalette.dat", "QDKernel.dat", "QDMMKernel.dat"})
        EXPECT_TRUE(QFileInfo::exists(path(f))) << f;
    // No user kernels: nothing but the built-ins, which are never written.
    EXPECT_EQ(QFileInfo(path("QDKernel.dat")).size(), 0);
    EXPECT_EQ(QFileInfo(path("QDMMKernel.dat")).size(), 0);
}

TEST_F(StartupTest, ImageMenuHasTheTenTopMenusInOrder) {
    QStringList titles;
    for (QAction* a : frame->imageMenu()->actions())
        titles << a->text().remove('&');
    EXPECT_EQ(titles, QStringList({"File", "Edit", "View", "Image", "Process", "Color-Process",
                                   "Analysis", "Plug-In", "Window", "Help"}));
    EXPECT_EQ(frame->topMenu(qd::MenuWindow)->title().remove('&'), "Window");
    EXPECT_GE(frame->topMenu(qd::MenuWindow)->actions().size(), 2);
}

TEST_F(StartupTest, IdleRepairRestoresALostWindowMenuAndAReplacedMenuBar) {
    frame->topMenu(qd::MenuWindow)->clear();
    app->onIdle(1); // only the first idle pass repairs
    EXPECT_TRUE(frame->topMenu(qd::MenuWindow)->actions().isEmpty());
    app->onIdle(0);
    EXPECT_GE(frame->topMenu(qd::MenuWindow)->actions().size(), 2);

    frame->setMenuBar(new QMenuBar);
    app->onIdle(0);
    EXPECT_EQ(frame->menuBar(), frame->imageMenu());
    EXPECT_EQ(frame->imageMenu()->actions().size(), qd::MenuCount);
}

TEST_F(StartupTest, MainToolBarOrderAndOneExclusiveToolGroup) {
    QStringList names;
    for (QAction* a : frame->mainToolBar()->actions())
        names << (a->isSeparator() ? QString("|") : a->objectName());
    EXPECT_EQ(names, QStringList({"New", "Open", "Save", "|", "Cut", "Copy", "Paste", "|", "Print",
                                  "|", "NormalCursor", "SelectCursor", "MoveCursor", "ZoomCursor",
                                  "BrushCursor", "ProfileCursor", "MeasurementCursor"}));
    EXPECT_EQ(frame->mainToolBar()->windowTitle(), "main tools");
    EXPECT_EQ(frame->stopBar()->windowTitle(), "plug-in stop");
    EXPECT_EQ(frame->action(qd::IdSelectCursor)->toolTip(), "Select cursor");

    frame->action(qd::IdZoomCursor)->trigger();
    EXPECT_EQ(frame->currentTool(), qd::IdZoomCursor);
    int down = 0;
    for (int id = qd::IdSelectCursor; id <= qd::IdMeasureCursor; ++id)
        down += frame->action(id)->isChecked();
    EXPECT_EQ(down, 1);

    frame->action(qd::IdBrushCursor)->trigger();
    EXPECT_TRUE(frame->brushBar()->isVisible());
    frame->action(qd::IdMoveCursor)->trigger();
    EXPECT_FALSE(frame->brushBar()->isVisible());
}

TEST_F(StartupTest, ViewTogglesShowAndHideTheirWindows) {
    QAction* histo = frame->action(qd::IdViewHistogram);
    histo->trigger();
    EXPECT_FALSE(frame->histogramWindow()->isVisible());
    histo->trigger();
    EXPECT_TRUE(frame->histogramWindow()->isVisible());
    frame->action(qd::IdViewStopBar)->trigger();
    EXPECT_FALSE(frame->stopBar()->isVisible());
    frame->action(qd::IdViewResult)->trigger();
    EXPECT_TRUE(frame->resultWindow()->isVisible());
}

TEST_F(StartupTest, AboutBoxTitleAndText) {
    QString label;
    dialogs = [&](QDialog& d) {
        for (QLabel* l : d.findChildren<QLabel*>())
            label += l->text();
        return int(QDialog::Accepted);
    };
    frame->namedAction("About")->trigger();
    ASSERT_EQ(dialogTitles.size(), 1u);
    EXPECT_EQ(dialogTitles[0], "About Quidora");
    EXPECT_EQ(label, "Quidora Version 1.10b");
}

TEST_F(StartupTest, ClosingTheMainWindowSavesTheBarState) {
    frame->stopBar()->hide();
    EXPECT_TRUE(frame->close());
    QSettings ini(qd::profilePath(), QSettings::IniFormat);
    const QByteArray state = ini.value("ToolBarState/State").toByteArray();
    ASSERT_FALSE(state.isEmpty());

    // The next start finds the stop bar hidden again.
    app.reset();
    start();
    EXPECT_FALSE(frame->stopBar()->isVisible());
    EXPECT_TRUE(frame->mainToolBar()->isVisible());
}

TEST_F(StartupTest, PumpHandlesEventsButSwallowsCloseRequests) {
    int delivered = 0;
    QMetaObject::invokeMethod(
        frame, [&] { ++delivered; }, Qt::QueuedConnection);
    QCoreApplication::postEvent(frame, new QCloseEvent);
    EXPECT_EQ(ProcessMessage(), 1);
    EXPECT_EQ(delivered, 1);
    EXPECT_TRUE(frame->isVisible());
    // Nothing was left queued to act on later.
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame->isVisible());
}

TEST_F(StartupTest, StatusPanesAndStoppableProcessing) {
    app->setStatusText(0, "hello");
    EXPECT_EQ(frame->statusText(0), "hello");
    // The mouse over the main window's own area clears it.
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(frame->mdiArea()->viewport(), &move);
    EXPECT_EQ(frame->statusText(0), "");
    EXPECT_FALSE(frame->action(qd::IdStopPlugIn)->isEnabled());
    app->requestStop();
    app->beginStoppableProcessing();
    EXPECT_EQ(app->stopRequestCount(), 0);
    EXPECT_TRUE(frame->action(qd::IdStopPlugIn)->isEnabled());
    frame->action(qd::IdStopPlugIn)->trigger();
    EXPECT_EQ(app->stopRequestCount(), 1);
    app->endStoppableProcessing();
    EXPECT_FALSE(frame->action(qd::IdStopPlugIn)->isEnabled());
}

TEST_F(StartupTest, ImageCommandsFollowTheActiveWindowAndSurviveRebuilds) {
    frame->topMenu(qd::MenuWindow)->clear();
    app->onIdle(0); // the repair builds the menu again, commands included

    QMenu* transform = nullptr;
    for (QAction* a : frame->topMenu(qd::MenuProcess)->actions())
        if (a->text() == "Transform") transform = a->menu();
    ASSERT_NE(transform, nullptr);
    QAction* exchange = transform->actions().value(2);
    ASSERT_NE(exchange, nullptr);
    EXPECT_EQ(exchange->text(), "Exchange Axes");

    emit transform->aboutToShow();
    EXPECT_FALSE(exchange->isEnabled()); // no image window
    CChildFrame* wide = app->openImageWindow(IMCreateFromMatrix(MTCreate(4, 3, MT_UCHAR)), 0);
    MTSetReal(IMGetDataHandle(wide->view()->image()), 1, 0, 7);
    emit transform->aboutToShow();
    EXPECT_FALSE(exchange->isEnabled()); // not square
    exchange->trigger();
    EXPECT_EQ(MTReal(IMGetDataHandle(wide->view()->image()), 1, 0), 7);
    CChildFrame* square = app->openImageWindow(IMCreateFromMatrix(MTCreate(4, 4, MT_UCHAR)), 0);
    MTSetReal(IMGetDataHandle(square->view()->image()), 1, 0, 7);
    emit transform->aboutToShow();
    EXPECT_TRUE(exchange->isEnabled());
    exchange->trigger();
    EXPECT_EQ(MTReal(IMGetDataHandle(square->view()->image()), 0, 1), 7);
}
