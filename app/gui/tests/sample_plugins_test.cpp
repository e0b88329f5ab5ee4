// The sample plug-ins installed in the program: their menu states, Heron's
// second-image choice and new window, and the selection plug-ins changing
// only what the selection shows.
#include "gui_fixture.h"

#include "image_choice_box.h"
#include "plugin_entry.h"
#include "plugin_requests.h"
#include "select_image_dialog.h"
#include "select_menu_position_dialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <cmath>

#ifdef QD_SAMPLE_PLUGINS
namespace {

struct Sample {
    const char* path;
    const char* name;
    bool takesEveryRealType; // Heron refuses RGB only
};
const Sample kHeron{QD_SAMPLE_HERON, "Heron", true};
const Sample kPlover{QD_SAMPLE_PLOVER, "Selected Area Equalize", false};
const Sample kWren{QD_SAMPLE_WREN, "Selected Area Stretch", false};
const Sample kKestrel{QD_SAMPLE_KESTREL, "Kestrel", false};
const Sample kSamples[] = {kHeron, kPlover, kWren, kKestrel};

// The server of the program with one change: the application object is
// withheld, so the plug-in library is not connected and qdMTCreate fails as
// it would without memory.
struct UnconnectedServer {
    QDPLUGINSERVER base{&UnconnectedServer::send};
    PLUGINSERVER program = nullptr;
    static intptr_t send(QDPLUGINSERVER* s, uint32_t code, intptr_t arg) {
        if (code == QD_REQ_MAIN_APP) return 0;
        PLUGINSERVER program = reinterpret_cast<UnconnectedServer*>(s)->program;
        return program->send(program, code, arg);
    }
};

class SamplePlugInsTest : public GuiTest {
  protected:
    // Answers the file dialog with the plug-in and the menu position dialog
    // with the Process menu, or another position.
    void install(const Sample& s, const QString& position = "&Process") {
        dialogs = [&s, position](QDialog& d) {
            if (auto* f = qobject_cast<QFileDialog*>(&d)) {
                f->selectFile(s.path);
                d.done(QDialog::Accepted);
            } else if (auto* tree = d.findChild<QTreeWidget*>()) {
                const QList<QTreeWidgetItem*> found =
                    tree->findItems(position, Qt::MatchExactly | Qt::MatchRecursive);
                if (!found.isEmpty()) tree->setCurrentItem(found[0]);
                d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            }
            return d.result();
        };
        frame->installPlugIn();
        dialogs = nullptr;
    }
    QAction* item(const Sample& s) const {
        for (QAction* a : frame->topMenu(qd::MenuProcess)->actions())
            if (a->text() == s.name) return a;
        return nullptr;
    }
    // Runs the plug-in from its menu entry, installing it first.
    void runFromMenu(const Sample& s) {
        if (!item(s)) {
            const auto answers = dialogs; // installing answers dialogs of its own
            install(s);
            dialogs = answers;
        }
        QAction* a = item(s);
        ASSERT_NE(a, nullptr);
        emit frame->topMenu(qd::MenuProcess)->aboutToShow();
        ASSERT_TRUE(a->isEnabled());
        a->trigger();
    }
    // Runs PlugInMain as a run from its file would, whatever the menu says.
    void runDirectly(const Sample& s, PLUGINSERVER server = nullptr) {
        qd::CPlugInEntry entry(qd::PlugInRecord{s.path, {}});
        ASSERT_EQ(entry.status(), qd::CPlugInEntry::Loaded);
        entry.run(0, server ? server : frame->plugInRequests()->server());
    }
    int menuUpdate(const Sample& s) {
        qd::CPlugInEntry entry(qd::PlugInRecord{s.path, {}});
        return entry.menuUpdate(frame->plugInRequests()->server());
    }
    // The selection dialogs choose these views in turn, then Cancel.
    void choose(std::vector<CQDView*> views) {
        dialogs = [this, views, next = size_t(0)](QDialog& d) mutable {
            auto* select = qobject_cast<CSelectImageDialog*>(&d);
            if (!select) return int(QDialog::Rejected);
            prompts.push_back(select->promptLabel()->text());
            if (next >= views.size()) return int(QDialog::Rejected);
            select->imageBox()->selectView(views[next++]);
            select->accept();
            return select->result();
        };
    }
    CChildFrame* openValues(int w, int h, int type, const std::function<double(int, int)>& value) {
        MTHANDLE m = MTCreate(w, h, type);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) MTSetReal(m, x, y, value(x, y));
        IMHANDLE im = IMCreateFromMatrix(m);
        IMDefaultRange(im, 1);
        return app->openImageWindow(im, 1, {});
    }
    static std::vector<int> levels(IMHANDLE im) {
        std::vector<int> out;
        for (int y = 0; y < IMGetImageHeight(im); ++y)
            for (int x = 0; x < IMGetImageWidth(im); ++x) out.push_back(IMBmpVal(im, x, y));
        return out;
    }
    // Saves the window's image and reads the file back.
    IMHANDLE savedCopy(CChildFrame* f, const char* name) {
        const QString file = path(name);
        if (!f->document()->saveToPath(file, app->saveHooks())) return nullptr;
        return IMCreateFromFile(QFile::encodeName(file).constData());
    }
    int windows() const { return int(frame->childFrames().size()); }

    std::vector<QString> prompts;
};

double noise(int x, int y) { return double((x * 37 + y * 101 + x * y * 13) % 200); }

TEST_F(SamplePlugInsTest, MenuEntriesFollowTheActiveImageType) {
    for (const Sample& s : kSamples) install(s);
    QMenu* process = frame->topMenu(qd::MenuProcess);
    for (const Sample& s : kSamples) ASSERT_NE(item(s), nullptr) << s.name;

    emit process->aboutToShow();
    for (const Sample& s : kSamples) {
        EXPECT_FALSE(item(s)->isEnabled()) << s.name << ": no window";
        EXPECT_EQ(menuUpdate(s), 1) << s.name;
    }
    // A type the selection plug-ins refuse leaves Heron enabled, except RGB.
    for (int type : {MT_RGB, MT_BINARY, MT_4BITS, MT_COMPLEX8, MT_COMPLEX16, MT_UCHAR, MT_FLOAT}) {
        openNew(4, 3, type);
        emit process->aboutToShow();
        const bool grey = type != MT_RGB && type != MT_BINARY && type != MT_4BITS && type != MT_COMPLEX8 &&
                          type != MT_COMPLEX16;
        for (const Sample& s : kSamples) {
            const bool enabled = grey || (s.takesEveryRealType && type != MT_RGB);
            EXPECT_EQ(item(s)->isEnabled(), enabled) << s.name << " type " << type;
            EXPECT_EQ(menuUpdate(s), enabled ? 0 : 1) << s.name << " type " << type;
            EXPECT_FALSE(item(s)->isChecked());
        }
    }
}

// An item in the menu bar itself has no menu that opens: its state follows
// the active window.
TEST_F(SamplePlugInsTest, AnItemOfTheMenuBarFollowsTheActiveImageToo) {
    install(kWren, "Top menu");
    QAction* bar = nullptr;
    for (QAction* a : frame->imageMenu()->actions())
        if (a->text() == kWren.name) bar = a;
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isEnabled()) << "no window";
    CChildFrame* rgb = openNew(4, 3, MT_RGB);
    EXPECT_FALSE(bar->isEnabled()) << "RGB";
    CChildFrame* grey = openNew(4, 3, MT_UCHAR);
    EXPECT_TRUE(bar->isEnabled()) << "grey";
    frame->mdiArea()->setActiveSubWindow(rgb);
    EXPECT_FALSE(bar->isEnabled()) << "RGB again";
    frame->mdiArea()->setActiveSubWindow(grey);
    EXPECT_TRUE(bar->isEnabled()) << "grey again";
}

TEST_F(SamplePlugInsTest, WithoutAWindowEachSaysSoWhenRunFromItsFile) {
    for (const Sample& s : kSamples) {
        boxes.clear();
        runDirectly(s);
        ASSERT_EQ(boxes.size(), 1u) << s.name;
        EXPECT_EQ(boxes[0].text, "There is no active image window.");
        EXPECT_EQ(boxes[0].title, "warning");
        EXPECT_EQ(boxes[0].style, qd::MbOk | qd::MbIconStop);
    }
    EXPECT_EQ(windows(), 0);
}

TEST_F(SamplePlugInsTest, HeronOpensTheCorrelationWithTheShiftAtItsMaximum) {
    const int w = 16, h = 12;
    CChildFrame* moved = openValues(w, h, MT_FLOAT, [](int x, int y) { return noise((x - 3 + 16) % 16, (y - 5 + 12) % 12); });
    CChildFrame* active = openValues(w, h, MT_FLOAT, noise);
    choose({moved->view()});
    runFromMenu(kHeron);
    ASSERT_EQ(prompts, std::vector<QString>{"Select for second image for cross correlation."});
    EXPECT_TRUE(boxes.empty());
    ASSERT_EQ(windows(), 3);
    CQDView* result = frame->activeView();
    ASSERT_NE(result, active->view());
    EXPECT_TRUE(result->document()->noFile());
    EXPECT_TRUE(result->document()->notSaved());
    IMHANDLE im = result->image();
    EXPECT_EQ(IMGetDrawType(im), IM_MODULUS_LOG);
    MTHANDLE r = IMGetDataHandle(im);
    ASSERT_EQ(MTGetFlags(r), MT_COMPLEX8);
    int bestX = -1, bestY = -1;
    double best = -1e300;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (MTReal(r, x, y) > best) best = MTReal(r, x, y), bestX = x, bestY = y;
    EXPECT_EQ(bestX, w / 2 - 3);
    EXPECT_EQ(bestY, h / 2 - 5);
    EXPECT_EQ(app->runningProcessingCount(), 0);
}

TEST_F(SamplePlugInsTest, HeronAsksAgainAfterAnUnfitImageAndCancelEndsSilently) {
    CChildFrame* turned = openNew(6, 4, MT_UCHAR);
    CChildFrame* colour = openNew(4, 6, MT_RGB);
    CChildFrame* fits = openNew(4, 6, MT_DOUBLE);
    CChildFrame* active = openNew(4, 6, MT_UCHAR);
    (void)active;
    choose({turned->view(), colour->view(), fits->view()});
    runFromMenu(kHeron);
    EXPECT_EQ(prompts.size(), 3u) << "asked again after each refusal";
    ASSERT_EQ(boxes.size(), 2u);
    for (const RecordedBox& b : boxes) {
        EXPECT_EQ(b.text, "Not proper image data type for cross-correlation with the active image.");
        EXPECT_EQ(b.title, "warning");
        EXPECT_EQ(b.style, qd::MbOk | qd::MbIconWarning);
    }
    EXPECT_EQ(windows(), 5);

    // Refused once, then Cancel: no window and no further message.
    boxes.clear();
    prompts.clear();
    choose({turned->view()});
    runFromMenu(kHeron);
    EXPECT_EQ(prompts.size(), 2u);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(windows(), 5);

    boxes.clear();
    choose({});
    runFromMenu(kHeron);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(windows(), 5);
}

TEST_F(SamplePlugInsTest, SelectionPlugInsChangeOnlyTheSelectedLevels) {
    // Values 10 + x in the selection, which reaches the right and top edges.
    const int w = 8, h = 6;
    const QRect area(4, 2, 4, 4); // columns 4 .. 7, rows 2 .. 5
    auto value = [](int x, int y) { return 10.0 + x + (y % 2); };
    struct Case {
        Sample sample;
        std::function<int(int, int)> level; // inside the selection
    };
    const Case cases[] = {
        // 14 .. 18 over 0 .. 256: s = 64.
        {kWren, [](int x, int y) { return std::min(255, int(64.0 * (x + y % 2 - 4))); }},
        // Five values in counts 2, 4, 4, 4, 2.
        {kPlover, [](int x, int y) {
             const int k = x + y % 2 - 4;
             const double c[] = {2, 6, 10, 14, 16};
             return int(255.0 / 16 * c[k]);
         }},
        // Differences wrap inside the selection: column 7 looks at column 4, row 5 at row 2.
        {kKestrel, [](int x, int y) {
             const double dx = x == 7 ? -3 : 1, dy = y % 2 ? -1 : 1;
             const double g = double(float(std::log(dx * dx + dy * dy + 1)));
             const double m = double(float(std::log(11.0)));
             return std::min(255, int(256.0 / m * g));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sample.name);
        CChildFrame* f = openValues(w, h, MT_UCHAR, value);
        IMHANDLE im = f->view()->image();
        IMSetSelectedRect(im, area.left(), area.top(), area.left() + area.width(), area.top() + area.height());
        const std::vector<int> before = levels(im);
        runFromMenu(c.sample);
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(windows(), 1) << "no new window";
        const std::vector<int> after = levels(im);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const size_t i = size_t(y * w + x);
                if (area.contains(x, y)) EXPECT_EQ(after[i], c.level(x, y)) << x << "," << y;
                else EXPECT_EQ(after[i], before[i]) << x << "," << y;
            }
        // The selection stays; the matrices are whole again.
        const QDRECT sel = IMGetSelectedRect(im);
        EXPECT_EQ(sel.left, 4);
        EXPECT_EQ(sel.bottom, 6);
        EXPECT_EQ(MTGetWidth(IMGetDataHandle(im)), w);
        EXPECT_EQ(MTGetHeight(IMGetBmpBitsHandle(im)), h);
        // The data as saved is the data as opened.
        IMHANDLE saved = savedCopy(f, "saved.qdw");
        ASSERT_NE(saved, nullptr);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) EXPECT_EQ(MTReal(IMGetDataHandle(saved), x, y), value(x, y));
        IMDestroy(saved);
        f->closeWithoutQuestion();
        flush();
    }
}

TEST_F(SamplePlugInsTest, UnsuitableImagesAreRefusedWhenRunAnyway) {
    for (int type : {MT_COMPLEX8, MT_BINARY}) {
        CChildFrame* f = openNew(4, 3, type);
        const std::vector<int> before = levels(f->view()->image());
        for (const Sample* s : {&kPlover, &kWren, &kKestrel}) {
            SCOPED_TRACE(testing::Message() << s->name << " type " << type);
            boxes.clear();
            runDirectly(*s);
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, "Not proper image data type.");
            EXPECT_EQ(boxes[0].style, qd::MbOk | qd::MbIconStop);
            EXPECT_EQ(levels(f->view()->image()), before);
        }
    }
    CChildFrame* colour = openNew(3, 3, MT_RGB);
    (void)colour;
    boxes.clear();
    runDirectly(kHeron);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Not proper image data type.");
    EXPECT_EQ(boxes[0].style, qd::MbOk | qd::MbIconStop);
    EXPECT_TRUE(dialogTitles.empty()) << "no second image asked for";
}

TEST_F(SamplePlugInsTest, KestrelWithoutItsWorkMatrixSaysNotEnoughMemory) {
    CChildFrame* f = openValues(5, 4, MT_UCHAR, noise);
    IMHANDLE im = f->view()->image();
    IMSetSelectedRect(im, 1, 1, 4, 3);
    const std::vector<int> before = levels(im);
    UnconnectedServer server;
    server.program = frame->plugInRequests()->server();
    runDirectly(kKestrel, &server.base);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Not enough memory.");
    EXPECT_EQ(boxes[0].title, "warning");
    EXPECT_EQ(boxes[0].style, qd::MbOk | qd::MbIconWarning);
    EXPECT_EQ(levels(im), before);
    EXPECT_EQ(MTGetWidth(IMGetDataHandle(im)), 5) << "the selection window is undone";
}

} // namespace
#endif
