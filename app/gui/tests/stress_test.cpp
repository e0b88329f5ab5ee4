// The program under load, offscreen: many windows opened and closed, close
// requests while an operation pumps messages, images too large to allocate.
#include "command_fixture.h"
#include "command_run.h"
#include "import_dialog.h"
#include "new_image_dialog.h"

#include <qd/dlg_common/data_type_group.h>

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <cstring>
#include <malloc.h>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QD_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QD_ASAN 1
#endif
#ifdef QD_ASAN
// From the sanitizer runtime (gcc ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Heap bytes in use; under the address sanitizer freed blocks wait in its
// quarantine, which this leaves out.
int64_t heapInUse() {
#ifdef QD_ASAN
    return int64_t(__sanitizer_get_current_allocated_bytes());
#else
    return int64_t(mallinfo2().uordblks);
#endif
}

using StressTest = CommandTest;

TEST_F(StressTest, ThreeHundredWindowsOpenedAndClosedKeepMemoryBounded) {
    // Each window holds 512 x 512 bytes of data and as much display bitmap:
    // keeping even a tenth of them would pass the bound.
    const auto cycle = [&] {
        CChildFrame* f = openNew(512, 512, MT_UCHAR, 0);
        ASSERT_NE(f, nullptr);
        mdiActivate(f);
        frame->fileClose();
        flush();
    };
    for (int i = 0; i < 10; ++i) cycle();
    const int64_t before = heapInUse();
    // The measure sees a window's memory.
    CChildFrame* open = openNew(512, 512, MT_UCHAR, 0);
    EXPECT_GT(heapInUse() - before, 512 * 512);
    mdiActivate(open);
    frame->fileClose();
    flush();
    for (int i = 0; i < 300; ++i) cycle();
    EXPECT_TRUE(frame->childFrames().isEmpty());
    EXPECT_EQ(app->registry().fourBitCount(), 0);
    const int64_t grown = heapInUse() - before;
    EXPECT_LT(grown, int64_t(16) << 20) << "heap grew by " << grown << " bytes";
}

TEST_F(StressTest, CloseRequestsWhileAnOperationPumpsAreRefusedThenHonoured) {
    CChildFrame* f = openNew(64, 64, MT_FLOAT, 0);
    IMHANDLE im = f->view()->image();
    MTSetReal(IMGetDataHandle(im), 3, 4, 42.0);
    mdiActivate(f);
    {
        qd::CommandRun run(*f, "Long operation");
        // What the user does meanwhile: the window's and the program's close
        // buttons, and File > Close.
        QCoreApplication::postEvent(f, new QCloseEvent);
        QCoreApplication::postEvent(frame, new QCloseEvent);
        QMetaObject::invokeMethod(frame, [&] { frame->fileClose(); }, Qt::QueuedConnection);
        QMetaObject::invokeMethod(frame, [&] { frame->close(); }, Qt::QueuedConnection);
        // The library's loop.
        for (int i = 0; i < 5; ++i) EXPECT_EQ(ProcessMessage(), 1);
        EXPECT_FALSE(f->isClosed());
        EXPECT_TRUE(frame->isVisible());
        EXPECT_EQ(f->view()->image(), im);
        EXPECT_DOUBLE_EQ(MTReal(IMGetDataHandle(im), 3, 4), 42.0);
        // Dropped without a question: no box waits on the user mid-run.
        EXPECT_TRUE(boxes.empty());
        // Outside the pump (a dialog of the run is up) the window says why
        // it stays.
        frame->fileClose();
        EXPECT_FALSE(f->isClosed());
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "There are processings running.\nYou cannot close this window.");
    }
    // Nothing was kept to act on later; asked again, both close.
    flush();
    EXPECT_FALSE(f->isClosed());
    EXPECT_TRUE(frame->isVisible());
    frame->fileClose();
    flush();
    EXPECT_TRUE(frame->childFrames().isEmpty());
    EXPECT_TRUE(frame->close());
}

TEST_F(StressTest, NewImageTooLargeForMemoryIsRefusedAndTheProgramGoesOn) {
    const auto answer = [](const char* width, const char* height) {
        return [=](QDialog& d) {
            auto& dlg = static_cast<CNewImageDialog&>(d);
            dlg.widthField()->setText(width);
            dlg.heightField()->setText(height);
            dlg.types()->setPosition(9); // double
            dlg.accept();
            return d.result();
        };
    };
    dialogs = answer("100000", "100000");
    frame->fileNew();
    EXPECT_TRUE(frame->childFrames().isEmpty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Not enough memory for a 100000 X 100000 image");
    EXPECT_EQ(boxes[0].title, "warning");
    EXPECT_EQ(boxes[0].style, uint32_t(qd::MbOk | qd::MbIconWarning));

    dialogs = answer("30", "20");
    frame->fileNew();
    ASSERT_EQ(frame->childFrames().size(), 1);
    EXPECT_EQ(frame->activeChild()->view()->elementType(), MT_DOUBLE);
    EXPECT_EQ(boxes.size(), 1u);

    // The same size imported from a (sparse) file that holds it.
    const QString huge = path("huge.raw");
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_EQ(::truncate(QFile::encodeName(huge).constData(), int64_t(100000) * 100000 * 8), 0);
    dialogs = [](QDialog& d) {
        auto& imp = static_cast<CImportDialog&>(d);
        imp.types()->setPosition(9);
        imp.widthField()->setText("100000");
        imp.heightField()->setText("100000");
        imp.accept();
        return d.result();
    };
    EXPECT_FALSE(app->openDocumentFile(huge));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "Not enough memory for a 100000 X 100000 image");
    EXPECT_EQ(frame->childFrames().size(), 1);
}

} // namespace
