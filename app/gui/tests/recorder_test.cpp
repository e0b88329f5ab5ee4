// Every command of the image menu, run with changed dialog values on a
// selection, is recorded as a qdcli line that gives the same image, values
// or lines; a saved session runs in bash and gives the same files.
#include "command_fixture.h"

#include "histo_frame.h"
#include "image_choice_box.h"
#include "image_commands.h"
#include "recorder/command_doc.h"
#include "recorder/recorder.h"
#include "recorder/recorder_frame.h"
#include "result_frame.h"
#include "select_image_dialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPushButton>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QSet>
#include <qd/core/kernel_library.h>
#include <qd/prcs.h>

namespace {

using qd::Recorder;

struct Shell {
    int code = -1;
    QString out, err;
};

// bash with qdcli on its path, in dir.
Shell bash(const QStringList& args, const QString& dir) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", QFileInfo(QStringLiteral(QDCLI_PATH)).absolutePath() + ':' + env.value("PATH"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(dir);
    p.start("bash", args);
    Shell r;
    if (!p.waitForFinished(120000)) return r;
    r.code = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Moves every field of a dialog off its default: the last entry of each
// list, the last choice of each group, every check turned over, every
// number raised by one and every fraction lowered.
void changeEverything(QDialog& d) {
    for (auto* c : d.findChildren<QComboBox*>())
        if (c->isEnabled() && c->count() > 1) c->setCurrentIndex(c->count() - 1);
    for (auto* l : d.findChildren<QListWidget*>())
        if (l->count() > 1) l->setCurrentRow(l->count() - 1);
    for (auto* c : d.findChildren<QCheckBox*>()) c->toggle();
    QSet<QWidget*> groups;
    const auto radios = d.findChildren<QRadioButton*>();
    for (auto it = radios.rbegin(); it != radios.rend(); ++it)
        if (!groups.contains((*it)->parentWidget()) && (*it)->isEnabled()) {
            groups.insert((*it)->parentWidget());
            (*it)->click();
        }
    for (auto* e : d.findChildren<QLineEdit*>()) {
        if (e->isReadOnly() || !e->isEnabled()) continue;
        bool number = false;
        const double v = e->text().toDouble(&number);
        // Fractions (cut-off frequencies) stay inside the unit interval.
        if (number) e->setText(QString::number(v > 0 && v < 1 ? v * 0.75 : v + 1));
    }
}

class RecorderTest : public CommandTest {
  protected:
    void SetUp() override {
        CommandTest::SetUp();
        Recorder::instance().clear();
        Recorder::instance().setRecording(true);
        // A user's kernel and structuring element, last in their lists.
        double weights[9] = {1, 0, -1, 2, 0.5, -2, 1, 0, -1};
        CONVKERNEL k{"Slanted", 3, 3.0, weights};
        ASSERT_NE(app->kernelLibrary()->add(k), nullptr);
        int32_t values[9] = {1, 1, 0, 1, 1, 0, 0, 0, 0};
        MMKERNEL e{"Corner", 3, values};
        ASSERT_NE(app->mmKernelLibrary()->add(e), nullptr);
        sources = {save("grey.qdw", noiseMatrix(16, 16, MT_SHORT, 3)), save("binary.qdw", blobs()),
                   save("complex.qdw", noiseMatrix(16, 16, MT_COMPLEX8, 4)),
                   save("rgb.qdw", noiseMatrix(16, 16, MT_RGB, 5))};
    }

    QString save(const QString& name, const Matrix& m) {
        Image im(IMCreateFromMatrix(Duplicate2D(m.get(), nullptr)));
        IMDefaultRange(im.get(), 1);
        EXPECT_EQ(IMWriteFile(im.get(), QFile::encodeName(path(name)).constData()), 1);
        return path(name);
    }

    static Matrix blobs() {
        Matrix m(MTCreate(16, 16, MT_BINARY));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                MTSetReal(m.get(), x, y,
                          (x > 5 && x < 9 && y > 4 && y < 11) || (x == 10 && y > 6) || (x == 2 && y == 2) ||
                                  (x == 13 && y == 3) || (x == 3 && y == 13)
                              ? 1
                              : 0);
        return m;
    }

    // The first file whose window the command's rule accepts, opened with a selection.
    CChildFrame* openSourceFor(const qd::ImageCommand& c) {
        for (const QString& file : sources) {
            CChildFrame* f = app->openDocumentWindow(file);
            if (!f) continue;
            IMSetSelectedRect(f->view()->image(), 3, 2, 11, 10);
            mdiActivate(f);
            if (!c.enabled || c.enabled(*f->view())) return f;
            f->close();
            flush();
        }
        return nullptr;
    }

    void closeAll() {
        for (CChildFrame* f : frame->childFrames()) {
            f->document()->setNotSaved(0);
            f->close();
        }
        flush();
    }

    std::vector<QString> sources;
};

::testing::AssertionResult sameImage(IMHANDLE shown, const QString& file) {
    Image written(IMCreateFromFile(QFile::encodeName(file).constData()));
    if (!written) return ::testing::AssertionFailure() << "cannot read " << file.toStdString();
    ::testing::AssertionResult data = sameMatrix(IMGetDataHandle(shown), IMGetDataHandle(written.get()));
    if (!data) return data;
    if (IMGetDrawType(shown) != IMGetDrawType(written.get()) ||
        IMGetInitialValue(shown) != IMGetInitialValue(written.get()) ||
        IMGetFinalValue(shown) != IMGetFinalValue(written.get()))
        return ::testing::AssertionFailure() << "display " << IMGetDrawType(shown) << " " << IMGetInitialValue(shown)
                                             << ".." << IMGetFinalValue(shown) << " and "
                                             << IMGetDrawType(written.get()) << " " << IMGetInitialValue(written.get())
                                             << ".." << IMGetFinalValue(written.get());
    return ::testing::AssertionSuccess();
}

TEST_F(RecorderTest, EveryCommandsLineGivesWhatTheCommandGave) {
    int ran = 0;
    QStringList recorded;
    for (const qd::ImageCommand& c : qd::imageCommands()) [&] {
        SCOPED_TRACE(c.path.toStdString());
        closeAll();
        ASSERT_NE(c.line.kind, qd::CliLine::Kind::Missing) << "no qdcli line declared";
        CChildFrame* source = openSourceFor(c);
        ASSERT_NE(source, nullptr) << "no test image suits the command";
        Recorder::instance().clear();
        frame->resultWindow()->clear();
        const int before = frame->childFrames().size();
        run(c.menu, c.path, changeEverything);
        const QStringList lines = Recorder::instance().lines();
        recorded << lines;
        ASSERT_FALSE(lines.isEmpty()) << "nothing recorded";
        if (c.line.kind == qd::CliLine::Kind::Comment) {
            EXPECT_TRUE(lines.last().startsWith("# "));
            closeAll();
            return;
        }
        const Shell sh = bash({"-e", "-c", lines.join('\n')}, dir.path());
        ASSERT_EQ(sh.code, 0) << lines.join('\n').toStdString() << "\n" << sh.err.toStdString();
        ++ran;
        switch (c.line.kind) {
        case qd::CliLine::Kind::NewImages: {
            const QList<CChildFrame*> all = frame->childFrames();
            ASSERT_GT(all.size(), before) << "the command opened no window";
            for (int i = before; i < all.size(); ++i) {
                const QString file = dir.filePath(Recorder::instance().fileOf(all[i]->document()));
                EXPECT_TRUE(sameImage(all[i]->view()->image(), file)) << lines.join('\n').toStdString();
            }
            // Lines the command wrote to the result window are qdcli's too.
            const QStringList result = resultLines();
            if (!result.isEmpty()) {
                EXPECT_EQ(result, sh.out.split('\n', Qt::SkipEmptyParts));
            }
            break;
        }
        case qd::CliLine::Kind::InPlace:
            EXPECT_TRUE(sameImage(source->view()->image(), dir.filePath(Recorder::instance().fileOf(source->document()))))
                << lines.join('\n').toStdString();
            break;
        case qd::CliLine::Kind::Report:
            if (!resultLines().isEmpty()) {
                EXPECT_EQ(resultLines(), sh.out.split('\n', Qt::SkipEmptyParts));
            }
            break;
        default: break;
        }
        closeAll();
    }();
    EXPECT_GT(ran, 60);
    // The changed dialogs reached the lines: the user's kernels by weights,
    // the selection and the display pages.
    EXPECT_GE(recorded.filter("--kernel Slanted --weights '1,0,-1;2,0.5,-2;1,0,-1' --divisor 3").size(), 4)
        << recorded.join('\n').toStdString();
    EXPECT_GE(recorded.filter("--kernel Corner --weights '1,1,0;1,1,0;0,0,0'").size(), 7);
    EXPECT_GE(recorded.filter("--select 3,2,11,10").size(), 30);
    EXPECT_GE(recorded.filter("--display-type").size(), 8);
    if (getenv("QD_SHOW_LINES")) std::cerr << recorded.join('\n').toStdString() << "\n";
}

} // namespace

namespace {

TEST_F(RecorderTest, SavedSessionRunsInBashAndGivesTheSameFiles) {
    CChildFrame* grey = app->openDocumentWindow(sources[0]);
    ASSERT_NE(grey, nullptr);
    IMSetSelectedRect(grey->view()->image(), 2, 2, 14, 10);
    CChildFrame* median = run(qd::MenuProcess, "Filter|Median Filter");
    ASSERT_NE(median, nullptr);
    CChildFrame* eroded = run(qd::MenuProcess, "Morphology|Erosion", changeEverything);
    ASSERT_NE(eroded, nullptr);
    run(qd::MenuProcess, "Transform|X mirror");
    CChildFrame* scaled = run(qd::MenuProcess, "Math|Simple Math", changeEverything);
    ASSERT_NE(scaled, nullptr);
    mdiActivate(eroded);
    run(qd::MenuAnalysis, "All");
    // What was not recorded leaves no line.
    CRecorderFrame* window = qd::recorderWindow(frame);
    window->recordingBox()->setChecked(false);
    mdiActivate(grey);
    run(qd::MenuProcess, "Transform|Negative");
    window->recordingBox()->setChecked(true);
    ASSERT_EQ(Recorder::instance().lines().size(), 5) << Recorder::instance().lines().join('\n').toStdString();
    EXPECT_EQ(window->view()->toPlainText(), Recorder::instance().lines().join('\n'));

    const QString script = path("session.sh");
    dialogs = [&](QDialog& d) {
        auto* files = qobject_cast<QFileDialog*>(&d);
        if (!files) return int(QDialog::Rejected);
        files->selectFile(script);
        QMetaObject::invokeMethod(files, "accept");
        return int(QDialog::Accepted);
    };
    window->findChild<QPushButton*>("SaveScript")->click();
    dialogs = nullptr;
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.startsWith("#!/bin/bash\n# Recorded by Quidora 1.10b on ")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nset -e\n"));

    QDir(dir.path()).mkdir("batch");
    const QString batch = path("batch");
    const Shell sh = bash({script}, batch);
    ASSERT_EQ(sh.code, 0) << text.toStdString() << sh.err.toStdString();
    if (getenv("QD_SHOW_LINES")) std::cerr << text.toStdString();
    for (CChildFrame* f : {median, eroded, scaled})
        EXPECT_TRUE(sameImage(f->view()->image(), batch + '/' + Recorder::instance().fileOf(f->document())));
    EXPECT_EQ(sh.out.split('\n', Qt::SkipEmptyParts), resultLines());

    // Without its input the script stops at the first line.
    QDir(batch).removeRecursively();
    QDir(dir.path()).mkdir("batch");
    QFile::rename(sources[0], path("moved.qdw"));
    EXPECT_NE(bash({script}, batch).code, 0);
    EXPECT_EQ(QDir(batch).entryList(QDir::Files), QStringList());

    window->findChild<QPushButton*>("Copy")->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), Recorder::instance().lines().join('\n') + '\n');
    window->findChild<QPushButton*>("Clear")->click();
    EXPECT_TRUE(Recorder::instance().lines().isEmpty());
    EXPECT_TRUE(window->view()->toPlainText().isEmpty());
}

TEST_F(RecorderTest, HistogramRangeChangesAreConvertLines) {
    CChildFrame* grey = app->openDocumentWindow(sources[0]);
    ASSERT_NE(grey, nullptr);
    app->notifyActiveView(grey->view());
    CHistoFrame* histogram = frame->histogramWindow();
    histogram->brightnessSlider()->setValue(10);
    histogram->contrastSlider()->setValue(-7);
    histogram->apply();
    const QStringList lines = Recorder::instance().lines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith("qdcli convert --range ")) << lines[0].toStdString();
    const Shell sh = bash({"-e", "-c", lines[0]}, dir.path());
    ASSERT_EQ(sh.code, 0) << sh.err.toStdString();
    EXPECT_TRUE(sameImage(grey->view()->image(), path(Recorder::instance().fileOf(grey->document()))));
}

TEST_F(RecorderTest, WindowsNoLineMadeAreNamedAndWhatHasNoEquivalentIsAComment) {
    Matrix m = noiseMatrix(8, 8, MT_UCHAR, 9);
    CChildFrame* untitled = openMatrix(m.get());
    ASSERT_NE(untitled, nullptr);
    const QString name = untitled->document()->name();
    CChildFrame* copy = run(qd::MenuImage, "Duplicate");
    ASSERT_NE(copy, nullptr);
    const QStringList lines = Recorder::instance().lines();
    ASSERT_EQ(lines.size(), 2) << lines.join('\n').toStdString();
    const QString file = Recorder::instance().fileOf(untitled->document());
    EXPECT_EQ(file, name + ".qdw");
    EXPECT_TRUE(lines[0].startsWith("# " + name + " was not made by a recorded line")) << lines[0].toStdString();
    EXPECT_EQ(lines[1], "qdcli Duplicate2D " + file + " -o " + Recorder::instance().fileOf(copy->document()));
    // The output is named after its window, never after an input.
    EXPECT_NE(Recorder::instance().fileOf(copy->document()), file);

    // After an undo the window no longer holds what its last file does, so
    // the next line asks for it to be saved instead of reading stale data.
    CChildFrame* grey = app->openDocumentWindow(sources[0]);
    ASSERT_NE(grey, nullptr);
    run(qd::MenuProcess, "Transform|X mirror");
    frame->editUndo();
    run(qd::MenuImage, "Duplicate");
    const QStringList after = Recorder::instance().lines().mid(2);
    ASSERT_EQ(after.size(), 4) << after.join('\n').toStdString();
    EXPECT_EQ(after[0], "qdcli xmirror " + sources[0] + " -o grey_2.qdw");
    EXPECT_EQ(after[1], "# Undo on grey.qdw (no qdcli equivalent)");
    EXPECT_TRUE(after[2].startsWith("# grey.qdw was not made by a recorded line: save it as grey_3.qdw"));
    EXPECT_TRUE(after[3].startsWith("qdcli Duplicate2D grey_3.qdw -o ")) << after[3].toStdString();

    // Zooming has no qdcli equivalent.
    mdiActivate(copy);
    frame->setTool(qd::IdZoomCursor);
    const QPoint centre(4, 4);
    mouse(copy->view(), QEvent::MouseButtonPress, centre);
    mouse(copy->view(), QEvent::MouseButtonRelease, centre);
    EXPECT_EQ(Recorder::instance().lines().last(),
              "# Zoom in on " + copy->document()->name() + " (no qdcli equivalent)");
}

} // namespace

namespace {

TEST_F(RecorderTest, CommittedCommandListIsTheTables) {
    QFile committed(QStringLiteral(QD_TESTDATA_DIR "/../docs/commands.md"));
    ASSERT_TRUE(committed.open(QIODevice::ReadOnly)) << "docs/commands.md is missing";
    const QString made = qd::commandsMarkdown();
    EXPECT_EQ(QString::fromUtf8(committed.readAll()), made)
        << "docs/commands.md differs from the command table: build the commands_doc target";
    // One row per command, each with its line.
    EXPECT_EQ(made.count("\n| "), int(qd::imageCommands().size()) + 1);
    EXPECT_FALSE(made.contains("none declared"));
}

} // namespace

#ifdef QD_SAMPLE_PLUGINS
namespace {

TEST_F(RecorderTest, PlugInRunIsAQdcliPluginLineWithItsAnswers) {
    // Heron correlates the active image with the one picked in its dialog.
    CChildFrame* picked = app->openDocumentWindow(sources[0]);
    CChildFrame* active = app->openDocumentWindow(save("other.qdw", noiseMatrix(16, 16, MT_SHORT, 8)));
    ASSERT_TRUE(picked && active);
    mdiActivate(active);
    dialogs = [&](QDialog& d) {
        if (auto* f = qobject_cast<QFileDialog*>(&d)) {
            f->selectFile(QStringLiteral(QD_SAMPLE_HERON));
            d.done(QDialog::Accepted);
        } else if (auto* select = qobject_cast<CSelectImageDialog*>(&d)) {
            select->imageBox()->selectView(picked->view());
            select->accept();
        }
        return d.result();
    };
    frame->runPlugInOnce();
    dialogs = nullptr;
    ASSERT_EQ(frame->childFrames().size(), 3);
    CChildFrame* result = frame->childFrames().last();
    const QStringList lines = Recorder::instance().lines();
    ASSERT_EQ(lines.size(), 2) << lines.join('\n').toStdString();
    EXPECT_EQ(lines[0], "qdcli plugin " + QStringLiteral(QD_SAMPLE_HERON) + " --active 1 --pick 0 " + sources[0] + ' ' +
                            path("other.qdw") + " -o plugin_%d.qdw");
    EXPECT_EQ(lines[1], "mv plugin_2.qdw " + Recorder::instance().fileOf(result->document()));
    const Shell sh = bash({"-e", "-c", lines.join('\n')}, dir.path());
    ASSERT_EQ(sh.code, 0) << sh.err.toStdString();
    EXPECT_TRUE(sameImage(result->view()->image(), path(Recorder::instance().fileOf(result->document()))));
}

} // namespace
#endif
