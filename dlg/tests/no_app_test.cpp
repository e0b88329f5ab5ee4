// A caller without any Qt application, as a plain C host: the library makes
// a QApplication for the call and takes it down afterwards. The dialog is
// answered from a driver armed when that application comes up.
#include "modal_driver.h"

#include <qd/dlg.h>

#include <QApplication>
#include <QDialog>
#include <gtest/gtest.h>
#include <memory>

namespace {

std::vector<ModalDriver::Step> armed;
std::unique_ptr<ModalDriver> driver;
int appsSeen = 0;
size_t titlesSeen = 0;

void dropDriver() {
    if (driver) titlesSeen = driver->titles.size();
    driver.reset();
}

void arm() {
    ++appsSeen;
    if (armed.empty()) return;
    driver = std::make_unique<ModalDriver>(std::move(armed));
    armed.clear();
    qAddPostRoutine(dropDriver);
}

} // namespace

TEST(NoApplication, TheCallMakesAndRemovesItsOwn) {
    qAddPreRoutine(arm);
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    char buf[8] = "";
    armed = {[](QDialog& d) {
        setField(d, "text", "from C");
        pressOk(d);
        return true;
    }};
    EXPECT_EQ(RunInputTextDialog(nullptr, "c", "p", buf, sizeof buf), 1);
    EXPECT_STREQ(buf, "from C");
    EXPECT_EQ(titlesSeen, 1u);
    EXPECT_EQ(QCoreApplication::instance(), nullptr);

    // And again, with a fresh application.
    IMHEADER h{};
    armed = {[](QDialog& d) {
        pressOk(d);
        return true;
    }};
    EXPECT_EQ(RunNewImageDialog(nullptr, &h), 1);
    EXPECT_EQ(h.Width, 256);
    EXPECT_EQ(appsSeen, 2);
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
}

TEST(NoApplication, ACoreApplicationWithoutWidgetsGetsNoDialog) {
    int argc = 1;
    char name[] = "core";
    char* argv[] = {name, nullptr};
    QCoreApplication core(argc, argv);
    char buf[8] = "same";
    IMHEADER h{};
    EXPECT_EQ(RunInputTextDialog(nullptr, "c", "p", buf, sizeof buf), 0);
    EXPECT_EQ(RunNewImageDialog(nullptr, &h), 0);
    EXPECT_STREQ(buf, "same");
    EXPECT_EQ(h.Width, 0);
    EXPECT_EQ(QCoreApplication::instance(), &core);
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
