// Image documents: opening, New, saving, names and the close rules.
#include "gui_fixture.h"
#include "import_dialog.h"
#include "new_image_dialog.h"
#include "profile.h"

#include <qd/core/npy_file.h>
#include <qd/dlg_common/data_type_group.h>

#include <QAction>
#include <QCheckBox>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

class DocumentTest : public GuiTest {
  protected:
    // The next file dialog chooses this path.
    void chooseFile(const QString& p) {
        dialogs = [p](QDialog& d) {
            auto* fd = qobject_cast<QFileDialog*>(&d);
            if (!fd) return int(QDialog::Rejected);
            fd->selectFile(p);
            d.done(QDialog::Accepted);
            return int(QDialog::Accepted);
        };
    }
    // A 5 x 3 unsigned char image holding x + 10 y, saved natively.
    QString writeSample(const QString& name) {
        IMHANDLE im = makeImage(5, 3, MT_UCHAR);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                IMSetRealInt(im, x, y, x + 10 * y);
        IMDefaultRange(im, 1);
        IMPrepareBitmap(im);
        EXPECT_TRUE(IMWriteFile(im, QFile::encodeName(path(name)).constData()));
        IMDestroy(im);
        return path(name);
    }
};

TEST_F(DocumentTest, OpenNativeFileGivesTitleTypeAndCleanFlags) {
    ASSERT_TRUE(app->openDocumentFile(writeSample("a.qdw")));
    CChildFrame* f = frame->activeChild();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle(), "a.qdw : 5 X 3  <1:1>");
    EXPECT_EQ(f->document()->name(), "a.qdw");
    EXPECT_EQ(f->view()->elementType(), MT_UCHAR);
    EXPECT_EQ(f->document()->noFile(), 0);
    EXPECT_EQ(f->document()->notSaved(), 0);
    EXPECT_EQ(IMRealInt(f->view()->image(), 4, 2), 24);
    EXPECT_EQ(app->registry().count(), 1);
    EXPECT_EQ(app->registry().findByName("a.qdw"), f->view());
    EXPECT_EQ(app->recentFiles().value(0), path("a.qdw"));
}

TEST_F(DocumentTest, OpenTiffAndNumPyFiles) {
    // Little-endian, 3 x 2, 8-bit grey in one strip; rows 1 2 3 / 4 5 6 from the top.
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    auto put16 = [&](int v) { tiff.append(char(v & 255)).append(char(v >> 8)); };
    auto put32 = [&](int v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    const int tags[][3] = {{256, 3, 3},   {257, 3, 2}, {258, 3, 8}, {259, 3, 1}, {262, 3, 1},
                           {273, 4, 122}, {277, 3, 1}, {278, 3, 2}, {279, 4, 6}};
    put16(9);
    for (const auto& t : tags) {
        put16(t[0]);
        put16(t[1]);
        put32(1);
        t[1] == 3 ? (put16(t[2]), put16(0)) : put32(t[2]);
    }
    put32(0);
    ASSERT_EQ(tiff.size(), 122);
    tiff.append("\x01\x02\x03\x04\x05\x06", 6);
    QFile f(path("t.tif"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(tiff);
    f.close();
    ASSERT_TRUE(app->openDocumentFile(path("t.tif")));
    CChildFrame* c = frame->activeChild();
    EXPECT_EQ(c->windowTitle(), "t.tif : 3 X 2  <1:1>");
    EXPECT_EQ(c->view()->elementType(), MT_UCHAR);
    EXPECT_EQ(IMRealInt(c->view()->image(), 0, 1), 1); // the top row is image row 1
    EXPECT_EQ(IMRealInt(c->view()->image(), 2, 0), 6);
    EXPECT_EQ(c->document()->notSaved(), 0);

    MTHANDLE mt = MTCreate(4, 3, MT_SHORT);
    MTSetRealInt(mt, 1, 2, -7);
    ASSERT_TRUE(qd::writeNpyMatrix(mt, path("m.npy").toStdString()));
    MTDestroy(mt);
    ASSERT_TRUE(app->openDocumentFile(path("m.npy")));
    c = frame->activeChild();
    EXPECT_EQ(c->windowTitle(), "m.npy : 4 X 3  <1:1>");
    EXPECT_EQ(c->view()->elementType(), MT_SHORT);
    EXPECT_EQ(IMRealInt(c->view()->image(), 1, 2), -7);
    EXPECT_EQ(app->registry().count(), 2);
    EXPECT_TRUE(dialogTitles.empty()); // no reader fell through to the import dialog
}

TEST_F(DocumentTest, CommandLineDropAndRecentFiles) {
    const QString a = writeSample("a.qdw");
    app.reset();
    app = std::make_unique<CQDApp>();
    ASSERT_TRUE(app->initInstance({"QD", a}));
    frame = app->mainFrame();
    EXPECT_EQ(app->registry().count(), 1);
    // A named file that nothing opens ends start-up.
    app.reset();
    app = std::make_unique<CQDApp>();
    EXPECT_FALSE(app->initInstance({"QD", path("none.qdw")}));
    app.reset();
    start();

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(writeSample("b.qdw")), QUrl::fromLocalFile(a)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame, &drop);
    EXPECT_EQ(app->registry().count(), 2);
    EXPECT_EQ(app->registry().nameAt(0), "b.qdw");

    for (const char* n : {"c.qdw", "d.qdw", "e.qdw"})
        app->openDocumentFile(writeSample(n));
    EXPECT_EQ(app->recentFiles(), QStringList({path("e.qdw"), path("d.qdw"), path("c.qdw"), a}));
    frame->namedAction("Recent3")->trigger();
    EXPECT_EQ(app->registry().nameAt(app->registry().count() - 1), "c.qdw");
}

TEST_F(DocumentTest, OpenDialogKeepsFilterAndDirectoryInTheProfile) {
    const QString a = writeSample("a.qdw");
    dialogs = [&](QDialog& d) {
        auto& fd = static_cast<QFileDialog&>(d);
        fd.selectNameFilter("Quidora Files (*.qdw)");
        fd.selectFile(a);
        d.done(QDialog::Accepted);
        return int(QDialog::Accepted);
    };
    frame->fileOpen();
    EXPECT_EQ(app->registry().count(), 1);
    QSettings ini(qd::profilePath(), QSettings::IniFormat);
    EXPECT_EQ(ini.value("Image Open/FilterIndex").toInt(), 2);
    EXPECT_EQ(ini.value("Image Open/Initial Dir").toString(), dir.path());

    QString filter;
    dialogs = [&](QDialog& d) {
        filter = static_cast<QFileDialog&>(d).selectedNameFilter();
        return int(QDialog::Rejected);
    };
    frame->fileOpen();
    EXPECT_EQ(filter, "Quidora Files (*.qdw)");
    EXPECT_EQ(app->registry().count(), 1);
}

TEST_F(DocumentTest, UnknownFileGoesToTheImportDialogAndCancelOpensNothing) {
    QFile raw(path("data.bin"));
    ASSERT_TRUE(raw.open(QIODevice::WriteOnly));
    QByteArray bytes(8 * 4 * 2, 0);
    for (int i = 0; i < 32; ++i)
        bytes[2 * i] = char(i); // little-endian unsigned shorts 0..31
    raw.write(bytes);
    raw.close();

    EXPECT_FALSE(app->openDocumentFile(path("data.bin")));
    ASSERT_EQ(dialogTitles.size(), 1u);
    EXPECT_EQ(dialogTitles[0], "64 bytes : data.bin");
    EXPECT_EQ(app->registry().count(), 0);
    EXPECT_TRUE(boxes.empty());

    dialogs = [](QDialog& d) {
        auto& imp = static_cast<CImportDialog&>(d);
        imp.types()->setPosition(5); // unsigned short
        imp.widthField()->setText("8");
        imp.heightField()->setText("4");
        imp.accept();
        return d.result();
    };
    ASSERT_TRUE(app->openDocumentFile(path("data.bin")));
    CQDView* v = frame->activeView();
    EXPECT_EQ(v->elementType(), MT_USHORT);
    EXPECT_EQ(IMRealInt(v->image(), 3, 2), 19);
    EXPECT_EQ(frame->activeChild()->windowTitle(), "data.bin : 8 X 4  <1:1>");
}

TEST_F(DocumentTest, ImportDialogProposesSquaresAndRefusesOversizedData) {
    QFile raw(path("square.raw"));
    ASSERT_TRUE(raw.open(QIODevice::WriteOnly));
    raw.write(QByteArray(65536, 1));
    raw.close();
    CImportDialog dlg(path("square.raw"));
    EXPECT_EQ(dlg.widthField()->text(), "256");
    dlg.types()->setPosition(4); // short
    EXPECT_EQ(dlg.widthField()->text(), "181");
    EXPECT_EQ(dlg.heightField()->text(), "181");

    dlg.types()->setPosition(3);
    dlg.widthField()->setText("300");
    dlg.heightField()->setText("300");
    dlg.accept();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Image dimension is not valid.\nProbably width or height is too large.");
    EXPECT_NE(dlg.result(), QDialog::Accepted);

    dlg.widthField()->setText("0");
    dlg.accept();
    EXPECT_EQ(boxes.back().text, "Width or Height should be greater than 0.");
}

TEST_F(DocumentTest, NewUsesTheDialogValuesAndRemembersThem) {
    dialogs = [](QDialog& d) {
        auto& dlg = static_cast<CNewImageDialog&>(d);
        dlg.widthField()->setText("20");
        dlg.heightField()->setText("10");
        dlg.types()->setPosition(1); // 4 bits
        dlg.accept();
        return d.result();
    };
    frame->fileNew();
    CChildFrame* f = frame->activeChild();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle(), "untitled1 : 20 X 10  <1:1>");
    EXPECT_EQ(frame->windowTitle(), "Quidora v1.02b - [untitled1 : 20 X 10  <1:1>]");
    EXPECT_EQ(f->view()->elementType(), MT_4BITS);
    EXPECT_EQ(f->document()->noFile(), 1);
    EXPECT_EQ(f->document()->notSaved(), 1);
    EXPECT_DOUBLE_EQ(IMGetFinalValue(f->view()->image()), 16.0);
    EXPECT_EQ(app->registry().fourBitCount(), 1);

    CNewImageDialog again;
    EXPECT_EQ(again.widthField()->text(), "20");
    EXPECT_EQ(again.heightField()->text(), "10");
    EXPECT_EQ(again.types()->position(), 1);
    again.widthField()->setText("0");
    again.accept();
    EXPECT_EQ(boxes.back().text, "Width or Height should be greater than 0.");
}

TEST_F(DocumentTest, SaveAsEachWriterThenReopen) {
    CChildFrame* f = openNew(6, 4, MT_UCHAR);
    IMHANDLE im = f->view()->image();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            IMSetRealInt(im, x, y, 7 * x + y);
    IMSetInitialValue(im, 0);
    IMSetFinalValue(im, 256);
    IMPrepareBitmap(im);

    for (const char* name : {"out.qdw", "out.bmp", "out.raw"}) {
        chooseFile(path(name));
        ASSERT_TRUE(frame->fileSaveAs(f)) << name;
        EXPECT_EQ(f->document()->noFile(), 0);
        EXPECT_EQ(f->document()->notSaved(), 0);
        EXPECT_EQ(f->windowTitle(), QString(name) + " : 6 X 4  <1:1>");
    }
    EXPECT_EQ(QFileInfo(path("out.raw")).size(), 24);
    dialogs = {};
    for (const char* name : {"out.qdw", "out.bmp"}) {
        ASSERT_TRUE(app->openDocumentFile(path(name))) << name;
        IMHANDLE back = frame->activeView()->image();
        EXPECT_EQ(IMGetImageWidth(back), 6);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                EXPECT_EQ(IMRealInt(back, x, y), 7 * x + y) << name << " " << x << "," << y;
    }
}

TEST_F(DocumentTest, FailedSaveSaysSoAndKeepsTheDocumentUnsaved) {
    CChildFrame* f = openNew(4, 4, MT_UCHAR);
    const QString bad = path("missing/dir/x.qdw");
    chooseFile(bad);
    EXPECT_FALSE(frame->fileSaveAs(f));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "warning");
    EXPECT_TRUE(boxes[0].text.contains(bad));
    EXPECT_EQ(f->document()->notSaved(), 1);
    EXPECT_EQ(f->document()->noFile(), 1);
    EXPECT_EQ(f->document()->name(), "untitled1");

    // Silently for a caller that reports on its own.
    EXPECT_FALSE(f->document()->saveToPath(path("x.Raw")));
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(DocumentTest, FitToImageMakesTheClientTheDrawnImage) {
    CChildFrame* f = openNew(100, 50, MT_UCHAR);
    QCoreApplication::processEvents();
    EXPECT_EQ(f->view()->size(), QSize(100, 50));
    IMSetDrawRect(f->view()->image(), 30, 40, 230, 140);
    frame->fitToImage(f);
    QCoreApplication::processEvents();
    EXPECT_EQ(f->view()->size(), QSize(200, 100));
    const QDRECT r = IMGetDrawRect(f->view()->image());
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
}

TEST_F(DocumentTest, NamesStopAtTheFirstColon) {
    EXPECT_EQ(CQDDoc::nameOf("a.qdw : 5 X 3  <1:1>"), "a.qdw");
    EXPECT_EQ(CQDDoc::nameOf("plain"), "plain");
    CChildFrame* f = openNew(3, 2, MT_FLOAT, 1, "odd:name");
    EXPECT_EQ(f->document()->name(), "odd");
    EXPECT_EQ(f->windowTitle(), "odd : 3 X 2  <1:1>");
}

class CloseRuleTest : public DocumentTest {};

TEST_F(CloseRuleTest, RunningProcessingRefusesAnyWindow) {
    CChildFrame* f = openNew(4, 4, MT_UCHAR, 0);
    app->beginProcessing();
    EXPECT_FALSE(f->close());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "There are processings running.\nYou cannot close this window.");
    EXPECT_EQ(boxes[0].title, "warning");
    EXPECT_EQ(boxes[0].style & 0xF0, qd::MbIconStop);
    app->endProcessing();
    EXPECT_TRUE(f->close());
    flush();
    EXPECT_EQ(app->registry().count(), 0);
    EXPECT_EQ(frame->windowTitle(), "Quidora v1.02b");
}

TEST_F(CloseRuleTest, LockedViewRefuses) {
    CChildFrame* f = openNew(4, 4, MT_UCHAR, 0);
    f->view()->setLockFlag(1);
    EXPECT_FALSE(f->close());
    EXPECT_EQ(boxes.at(0).text, "The image window is locked.\nYou cannot close this window.");
    f->view()->setLockFlag(0);
}

TEST_F(CloseRuleTest, UnsavedAsksAndFollowsTheAnswer) {
    CChildFrame* f = openNew(4, 4, MT_UCHAR);
    answers = {qd::IdCancel};
    EXPECT_FALSE(f->close());
    EXPECT_EQ(boxes.at(0).text, "untitled1 is not saved.\nDo you want to save it ?");
    EXPECT_EQ(boxes.at(0).style, uint32_t(qd::MbYesNoCancel | qd::MbIconQuestion));

    // Yes, but the save dialog is cancelled: the work is not on disk, so the window stays.
    answers = {qd::IdYes};
    EXPECT_FALSE(f->close());

    answers = {qd::IdYes};
    chooseFile(path("kept.qdw"));
    EXPECT_TRUE(f->close());
    EXPECT_TRUE(QFileInfo::exists(path("kept.qdw")));

    CChildFrame* g = openNew(4, 4, MT_UCHAR);
    answers = {qd::IdNo};
    app->setStatusText(0, "stale");
    EXPECT_TRUE(g->close());
    EXPECT_EQ(frame->statusText(0), "");
    flush();
    EXPECT_EQ(app->registry().count(), 0);
}

TEST_F(CloseRuleTest, CloseAllIsOnePassAndKillAllAsksFirst) {
    openNew(4, 4, MT_UCHAR);
    openNew(4, 4, MT_UCHAR, 0);
    openNew(4, 4, MT_UCHAR);
    answers = {qd::IdCancel, qd::IdCancel};
    frame->closeAll();
    flush();
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(app->registry().count(), 2);

    answers = {qd::IdNo};
    frame->killAll();
    EXPECT_EQ(
        boxes.back().text,
        "This command will close all image window without saving.\nYou want to kill all image "
        "window ?");
    flush();
    EXPECT_EQ(app->registry().count(), 2);

    answers = {qd::IdYes};
    const size_t before = boxes.size();
    frame->killAll();
    flush();
    EXPECT_EQ(boxes.size(), before + 1); // the question only
    EXPECT_EQ(app->registry().count(), 0);
}

TEST_F(CloseRuleTest, ExitAsksForUnsavedImagesAndCancelKeepsTheProgram) {
    openNew(4, 4, MT_UCHAR);
    answers = {qd::IdCancel};
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(app->registry().count(), 1);
}
