#include "command_fixture.h"

#include "result_frame.h"

#include <QMdiArea>

#include <QDialogButtonBox>
#include <qd/prcs.h>
#include <QPushButton>
#include <cmath>
#include <random>

::testing::AssertionResult sameMatrix(MTHANDLE a, MTHANDLE b) {
    if (!a || !b) return ::testing::AssertionFailure() << "no matrix";
    if (MTGetFlags(a) != MTGetFlags(b))
        return ::testing::AssertionFailure() << "types " << MTGetFlags(a) << " and " << MTGetFlags(b);
    if (MTGetWidth(a) != MTGetWidth(b) || MTGetHeight(a) != MTGetHeight(b))
        return ::testing::AssertionFailure() << "sizes " << MTGetWidth(a) << "x" << MTGetHeight(a) << " and "
                                             << MTGetWidth(b) << "x" << MTGetHeight(b);
    const bool rgb = MTGetFlags(a) == MT_RGB;
    auto same = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
    for (int32_t y = 0; y < MTGetHeight(a); ++y)
        for (int32_t x = 0; x < MTGetWidth(a); ++x) {
            const bool equal = rgb ? MTRgb(a, x, y) == MTRgb(b, x, y)
                                   : same(MTReal(a, x, y), MTReal(b, x, y)) && same(MTImag(a, x, y), MTImag(b, x, y));
            if (!equal)
                return ::testing::AssertionFailure()
                       << "at (" << x << ", " << y << "): " << MTReal(a, x, y) << " and " << MTReal(b, x, y);
        }
    return ::testing::AssertionSuccess();
}

Matrix noiseMatrix(int w, int h, int type, unsigned seed) {
    Matrix m(MTCreate(w, h, type));
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> level(0, type == MT_4BITS ? 15 : type == MT_BINARY ? 1 : 200);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            if (type == MT_RGB) MTSetRgb(m.get(), x, y, uint32_t(gen()) & 0xFFFFFF);
            else MTSetComplex(m.get(), x, y, MTCOMPLEX{double(level(gen)), double(level(gen))});
        }
    return m;
}

void pressOk(QDialog& d) { d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); }

QAction* CommandTest::item(int menu, const QString& path) const {
    QMenu* m = frame->topMenu(menu);
    const QStringList parts = path.split('|');
    for (int i = 0; m && i < parts.size(); ++i) {
        QAction* found = nullptr;
        for (QAction* a : m->actions())
            if (a->text() == parts[i]) found = a;
        if (!found) return nullptr;
        if (i + 1 == parts.size()) return found;
        m = found->menu();
    }
    return nullptr;
}

bool CommandTest::enabled(int menu, const QString& path) const {
    QAction* a = item(menu, path);
    EXPECT_NE(a, nullptr) << path.toStdString();
    if (!a) return false;
    for (QObject* o : a->associatedObjects())
        if (auto* m = qobject_cast<QMenu*>(o)) emit m->aboutToShow();
    return a->isEnabled();
}

CChildFrame* CommandTest::run(int menu, const QString& path, std::function<void(QDialog&)> answer) {
    QAction* a = item(menu, path);
    EXPECT_NE(a, nullptr) << path.toStdString();
    if (!a) return nullptr;
    const int before = frame->childFrames().size();
    dialogs = [answer](QDialog& d) {
        if (answer) answer(d);
        if (d.result() != QDialog::Accepted) pressOk(d);
        return d.result();
    };
    a->trigger();
    dialogs = nullptr;
    EXPECT_EQ(app->runningProcessingCount(), 0);
    return frame->childFrames().size() > before ? frame->childFrames().last() : nullptr;
}

CChildFrame* CommandTest::runCancelled(int menu, const QString& path) {
    const int before = frame->childFrames().size();
    dialogs = nullptr;
    item(menu, path)->trigger();
    return frame->childFrames().size() > before ? frame->childFrames().last() : nullptr;
}

CChildFrame* CommandTest::openMatrix(MTHANDLE m, const QString& title) {
    IMHANDLE im = IMCreateFromMatrix(Duplicate2D(m, nullptr));
    IMDefaultRange(im, 1);
    return app->openImageWindow(im, 0, title);
}

void CommandTest::mdiActivate(CChildFrame* f) const { frame->mdiArea()->setActiveSubWindow(f); }

QStringList CommandTest::resultLines() const {
    return frame->resultWindow()->view()->toPlainText().split('\n', Qt::SkipEmptyParts);
}

Matrix CommandTest::onSelection(IMHANDLE im, const std::function<MTHANDLE(MTHANDLE)>& fn) {
    IMSelect(im, 1);
    Matrix m(fn(IMGetDataHandle(im)));
    IMSelect(im, 0);
    return m;
}
