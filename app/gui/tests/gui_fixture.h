#pragma once
// A started program in a fresh settings directory, with message boxes and
// modal dialogs answered by the test.

#include "child_frame.h"
#include "main_frame.h"
#include "platform.h"
#include "qd_app.h"
#include "qd_doc.h"
#include "qd_view.h"

#include <QCoreApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

// Readable QString values in assertion messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

struct RecordedBox {
    QString text;
    QString title;
    uint32_t style;
};

class GuiTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program (done by SetUp unless startApp is false).
    void start();
    // An image of the given type, every element 0.
    static IMHANDLE makeImage(int w, int h, int type);
    CChildFrame* openNew(int w, int h, int type, int notSaved = 1, const QString& title = {});
    // Deletes windows that were closed.
    static void flush();
    QString path(const QString& name) const { return dir.filePath(name); }
    void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers mods = Qt::NoModifier);

    bool startApp = true;
    QTemporaryDir dir;
    std::unique_ptr<CQDApp> app;
    CMainFrame* frame = nullptr;
    std::vector<RecordedBox> boxes;
    std::deque<int> answers;              // for message boxes; IdOk when empty
    std::function<int(QDialog&)> dialogs; // for modal dialogs; reject when empty
    std::vector<QString> dialogTitles;
};

inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << "(" << r.left() << ", " << r.top() << ") - (" << r.right() << ", " << r.bottom() << ")";
}
