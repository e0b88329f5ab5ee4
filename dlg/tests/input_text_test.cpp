// RunInputTextDialog through its C interface.
#include "modal_driver.h"

#include <qd/dlg.h>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <cstring>
#include <gtest/gtest.h>

extern "C" int qd_dlg_c_api_check(void);

TEST(InputText, ShowsCaptionPromptAndTheBufferText) {
    char buf[32] = "start";
    QString shown, prompt;
    ModalDriver driver({[&](QDialog& d) {
        shown = lineEdit(d, "text")->text();
        prompt = d.findChild<QLabel*>("prompt")->text();
        setField(d, "text", "new name");
        pressOk(d);
        return true;
    }});
    EXPECT_EQ(RunInputTextDialog(nullptr, "Rename", "Name of the copy:", buf, sizeof buf), 1);
    ASSERT_EQ(driver.titles.size(), 1u);
    EXPECT_EQ(driver.titles[0], "Rename");
    EXPECT_EQ(prompt, "Name of the copy:");
    EXPECT_EQ(shown, "start");
    EXPECT_STREQ(buf, "new name");
    EXPECT_EQ(driver.forced, 0);
}

TEST(InputText, OkWritesAtMostSizeMinusOneBytes) {
    char buf[12];
    std::memset(buf, 'X', sizeof buf);
    std::memcpy(buf, "ab", 3);
    ModalDriver driver({[](QDialog& d) {
        setField(d, "text", "abcdefghij");
        pressOk(d);
        return true;
    }});
    EXPECT_EQ(RunInputTextDialog(nullptr, "c", "p", buf, 8), 1);
    EXPECT_STREQ(buf, "abcdefg");
    EXPECT_EQ(buf[8], 'X'); // nothing past the size
}

TEST(InputText, CutNeverSplitsACharacter) {
    char buf[8] = "";
    ModalDriver driver({[](QDialog& d) {
        setField(d, "text", QString::fromUtf8("\u00e4\u00f6\u00fc\u00df")); // 8 bytes
        pressOk(d);
        return true;
    }});
    EXPECT_EQ(RunInputTextDialog(nullptr, "c", "p", buf, 8), 1);
    EXPECT_STREQ(buf, "\u00e4\u00f6\u00fc");
}

TEST(InputText, UnterminatedBufferIsReadOnlyWithinItsSize) {
    char buf[4] = {'a', 'b', 'c', 'd'};
    QString shown;
    ModalDriver driver({[&](QDialog& d) {
        shown = lineEdit(d, "text")->text();
        pressCancel(d);
        return true;
    }});
    EXPECT_EQ(RunInputTextDialog(nullptr, "c", "p", buf, 4), 0);
    EXPECT_EQ(shown, "abcd");
}

TEST(InputText, CancelLeavesTheBuffer) {
    char buf[16] = "keep me";
    ModalDriver driver({[](QDialog& d) {
        setField(d, "text", "typed but cancelled");
        pressCancel(d);
        return true;
    }});
    EXPECT_EQ(RunInputTextDialog(nullptr, "c", "p", buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "keep me");
}

TEST(InputText, RefusedArgumentsShowNoDialog) {
    char buf[4] = "abc";
    ModalDriver driver({});
    EXPECT_EQ(RunInputTextDialog(nullptr, "c", "p", nullptr, 4), 0);
    EXPECT_EQ(RunInputTextDialog(nullptr, "c", "p", buf, 0), 0);
    EXPECT_EQ(qd_dlg_c_api_check(), 0);
    EXPECT_TRUE(driver.titles.empty());
    EXPECT_EQ(driver.forced, 0);
    EXPECT_STREQ(buf, "abc");
}
