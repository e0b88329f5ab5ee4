#include <gtest/gtest.h>
#include <qd/plugin.h>

#include <string>

#include "fake_server.h"

namespace {

// The texts the result window received, with their codes, copied while the
// library's buffer is still alive.
class ResultText : public ServerTest {
  protected:
    void SetUp() override {
        ServerTest::SetUp();
        server.answer = [this](uint32_t code, intptr_t arg) -> intptr_t {
            EXPECT_NE(arg, 0) << "the program is never handed a null text";
            texts.push_back({code, arg ? textOf(arg) : std::string()});
            return 0;
        };
    }

    struct Sent {
        uint32_t code;
        std::string text;
        bool operator==(const Sent&) const = default;
    };
    std::vector<Sent> texts;
};

TEST_F(ResultText, LineFormatsAndGoesToTheLineRequest) {
    qdWriteResultLnF("%d", 5);
    EXPECT_EQ(texts, (std::vector<Sent>{{QD_REQ_RESULT_LINE, "5"}}));
}

TEST_F(ResultText, FormattedTextIsAddedAsItIs) {
    qdWriteResultF("a");
    qdWriteResultF("a");
    EXPECT_EQ(texts, (std::vector<Sent>{{QD_REQ_RESULT_TEXT, "a"}, {QD_REQ_RESULT_TEXT, "a"}}));
}

TEST_F(ResultText, PlainTextIsNotFormatted) {
    qdWriteResultText("100%d done");
    EXPECT_EQ(texts, (std::vector<Sent>{{QD_REQ_RESULT_LINE, "100%d done"}}));
}

TEST_F(ResultText, FloatingConversionsAndSeveralArguments) {
    qdWriteResultLnF("%s: %.2f (%d of %u)", "mean", 3.14159, 2, 7u);
    qdWriteResultF("%g|%e", 0.5, 1250.0);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "mean: 3.14 (2 of 7)");
    EXPECT_EQ(texts[1].text, "0.5|1.250000e+03");
}

TEST_F(ResultText, LongTextIsCutAt1023Characters) {
    const std::string long1 = std::string(700, 'x');
    const std::string long2 = std::string(700, 'y');
    qdWriteResultLnF("%s%s", long1.c_str(), long2.c_str());
    qdWriteResultF("%s", std::string(1023, 'z').c_str());
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text.size(), 1023u);
    EXPECT_EQ(texts[0].text, (long1 + long2).substr(0, 1023));
    EXPECT_EQ(texts[1].text, std::string(1023, 'z')) << "1023 characters fit whole";
}

TEST_F(ResultText, NullTextOrFormatSendsAnEmptyText) {
    qdWriteResultText(nullptr);
    qdWriteResultF(nullptr);
    qdWriteResultLnF(nullptr);
    EXPECT_EQ(texts,
              (std::vector<Sent>{
                  {QD_REQ_RESULT_LINE, ""}, {QD_REQ_RESULT_TEXT, ""}, {QD_REQ_RESULT_LINE, ""}}));
}

TEST_F(ResultText, RepliesPassThrough) {
    server.answer = [](uint32_t code, intptr_t) -> intptr_t {
        return code == QD_REQ_RESULT_LINE ? 3 : 4;
    };
    EXPECT_EQ(qdWriteResultText("t"), 3);
    EXPECT_EQ(qdWriteResultLnF("t"), 3);
    EXPECT_EQ(qdWriteResultF("t"), 4);
}

} // namespace
