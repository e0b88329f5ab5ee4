// Shared dialog pieces: numbers read the same in every locale, texts cut to
// their fields, and sheets that commit nothing while a page refuses.
#include "dialog_values.h"
#include "gui_fixture.h"
#include "property_sheet.h"
#include "string_table.h"

#include <QLocale>
#include <QTabWidget>

TEST(DialogValues, NumbersReadWithAPointWhateverTheLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(qd::parseNumber(" 0.5 "), 0.5);
    EXPECT_EQ(qd::parseNumber("+1e-12"), 1e-12);
    EXPECT_EQ(qd::parseNumber("-3"), -3.0);
    EXPECT_FALSE(qd::parseNumber("0,5"));
    QLocale::setDefault(saved);
    for (const char* bad : {"", "  ", "abc", "1.5x", "1e999", "nan", "0x10"})
        EXPECT_FALSE(qd::parseNumber(bad)) << bad;
}

TEST(DialogValues, IntegersRefuseFractionsAndOverflow) {
    EXPECT_EQ(qd::parseInteger(" -100"), -100);
    EXPECT_EQ(qd::parseInteger("+7"), 7);
    for (const char* bad : {"", "1.0", "12a", "2147483648", "--1"})
        EXPECT_FALSE(qd::parseInteger(bad)) << bad;
}

TEST(DialogValues, ShortestTextReadsBackExactly) {
    EXPECT_EQ(qd::formatNumber(0.5), "0.5");
    EXPECT_EQ(qd::formatNumber(-3.0), "-3");
    EXPECT_EQ(qd::parseNumber(qd::formatNumber(0.1)), 0.1);
}

TEST(DialogValues, FieldTextsAreCutAndUseTheWesternCodePage) {
    EXPECT_EQ(qd::toFieldBytes(QString(40, 'a'), 31).size(), 31);
    EXPECT_EQ(qd::toFieldBytes(QString::fromUtf8("\xC2\xB5m"), 31), QByteArray("\xB5m"));
    const char field[4] = {'a', 'b', 'c', 'd'}; // no NUL inside the field
    EXPECT_EQ(qd::fromFieldBytes(field, 4), "abcd");
    EXPECT_EQ(qd::fromFieldBytes("\xB5m", 8), QString::fromUtf8("\xC2\xB5m"));
}

TEST(DialogValues, NumberedStrings) {
    EXPECT_EQ(qd::loadString(61462), "diation");
    EXPECT_EQ(qd::loadString(61453), "From value canot be greater than To value.");
    EXPECT_TRUE(qd::loadString(1).isEmpty());
}

namespace {
struct CountingPage : CPropertyPage {
    CountingPage(const QString& title, bool ok) : CPropertyPage(title), ok(ok) {}
    bool validate() override {
        ++validated;
        return ok;
    }
    void commit() override { ++committed; }
    bool ok;
    int validated = 0, committed = 0;
};
} // namespace

class PropertySheetTest : public GuiTest {};

TEST_F(PropertySheetTest, ARefusingPageComesForwardAndNothingCommits) {
    CPropertySheet sheet("low pass", "LowPass");
    auto* first = new CountingPage("parameter", true);
    auto* second = new CountingPage("Display Setup", false);
    sheet.addPage(first);
    sheet.addPage(second);
    EXPECT_EQ(sheet.windowTitle(), "low pass");
    EXPECT_EQ(sheet.tabs()->tabText(1), "Display Setup");
    sheet.tabs()->setCurrentIndex(0);
    sheet.accept();
    EXPECT_EQ(sheet.result(), QDialog::Rejected);
    EXPECT_EQ(sheet.tabs()->currentIndex(), 1);
    EXPECT_EQ(first->committed + second->committed, 0);

    second->ok = true;
    sheet.accept();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(first->committed, 1);
    EXPECT_EQ(second->committed, 1);
}

TEST_F(PropertySheetTest, MessagesShowInOrderThroughThePlatformLayer) {
    EXPECT_TRUE(qd::showMessages(nullptr, {}));
    EXPECT_FALSE(qd::showMessages(nullptr, {qd::warning(61473), qd::warning("second")}));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Upper cutoff should be between 0 and 1.");
    EXPECT_EQ(boxes[0].title, "warning");
    EXPECT_EQ(boxes[0].style, qd::MbOk | qd::MbIconStop);
    EXPECT_EQ(boxes[1].text, "second");
}
