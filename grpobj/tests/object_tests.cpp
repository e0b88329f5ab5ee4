#include "qd/grpobj.h"
#include "qd/types.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

extern "C" int grpobjCApiCheck(void);

namespace {

using grptest::get32;

struct ObjectDeleter {
    void operator()(QDGraphicObject* o) const { GODestroy(o); }
};
using Object = std::unique_ptr<QDGraphicObject, ObjectDeleter>;

// The record as bytes, copied out of the library's allocation.
std::vector<uint8_t> recordOf(GOHANDLE obj) {
    void* data = GOGetData(obj);
    if (!data) return {};
    const auto* p = static_cast<const uint8_t*>(data);
    std::vector<uint8_t> bytes(p, p + GOGetObjectSize(obj));
    std::free(data);
    return bytes;
}

void expectRect(GOHANDLE obj, int32_t l, int32_t t, int32_t r, int32_t b) {
    const QDRECT rect = GOGetDrawRect(obj);
    EXPECT_EQ(rect.left, l);
    EXPECT_EQ(rect.top, t);
    EXPECT_EQ(rect.right, r);
    EXPECT_EQ(rect.bottom, b);
}

// A text record built by hand: fields as laid out in the file.
std::vector<uint8_t> textRecord(int32_t statedLength, const std::string& text, size_t total) {
    std::vector<uint8_t> rec;
    for (uint32_t v : {1u, 2u, 30u, 12u, 9u, 1u, 0u, 0x123456u})
        grptest::put32(rec, v);
    const char face[GO_FACE_SIZE] = "Arial";
    rec.insert(rec.end(), face, face + GO_FACE_SIZE);
    grptest::put32(rec, uint32_t(statedLength));
    rec.insert(rec.end(), text.begin(), text.end());
    rec.resize(total, 0);
    return rec;
}

TEST(CApi, HeaderCompilesAsCAlongsideSharedTypes) { EXPECT_EQ(grpobjCApiCheck(), 1); }

TEST(GraphicObject, CreateByTypeGivesEmptyObjectsOrNull) {
    Object text(GOCreate(GO_TEXT)), line(GOCreate(GO_LINE));
    ASSERT_TRUE(text && line);
    EXPECT_EQ(GOGetType(text.get()), 1);
    EXPECT_EQ(GOGetObjectSize(text.get()), 72);
    EXPECT_EQ(GOGetType(line.get()), 2);
    EXPECT_EQ(GOGetObjectSize(line.get()), 40);
    EXPECT_EQ(GOCreate(0), nullptr);
    EXPECT_EQ(GOCreate(3), nullptr);
    const auto rec = recordOf(text.get());
    ASSERT_EQ(rec.size(), 72u);
    EXPECT_EQ(get32(&rec[64]), 0u);
    EXPECT_EQ(rec[68], 0);
}

TEST(LineObject, RectangleEnclosesEndPointsWidenedByTheWidth) {
    Object line(GOCreateLineObject(10, 20, 4, 8, 0xABCDEF, 2));
    expectRect(line.get(), 2, 6, 12, 22);
    EXPECT_EQ(GOGetType(line.get()), 2);
    EXPECT_EQ(GOGetObjectSize(line.get()), 40);
}

TEST(LineObject, RecordHoldsFieldsInFileOrder) {
    Object line(GOCreateLineObject(-3, 7, 11, -5, 0x00FF8040, 4));
    const auto rec = recordOf(line.get());
    ASSERT_EQ(rec.size(), 40u);
    const uint32_t expected[] = {uint32_t(-7), uint32_t(-9), 15,         11, uint32_t(-3), 7,
                                 11,           uint32_t(-5), 0x00FF8040, 4};
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(get32(&rec[4 * k]), expected[k]) << "field " << k;
}

TEST(LineObject, MoveShiftsEndPointsAndRectangle) {
    Object line(GOCreateLineObject(10, 20, 4, 8, 0xABCDEF, 2));
    GOMoveDrawRect(line.get(), 3, -1);
    expectRect(line.get(), 5, 5, 15, 21);
    const auto rec = recordOf(line.get());
    EXPECT_EQ(get32(&rec[16]), 13u);
    EXPECT_EQ(get32(&rec[20]), 19u);
    EXPECT_EQ(get32(&rec[24]), 7u);
    EXPECT_EQ(get32(&rec[28]), 7u);
}

TEST(LineObject, ExtremeCoordinatesSaturateInsteadOfWrapping) {
    Object line(GOCreateLineObject(INT_MAX, INT_MIN, INT_MAX - 1, INT_MIN + 1, 0, 10));
    expectRect(line.get(), INT_MAX - 11, INT_MIN, INT_MAX, INT_MIN + 11);
    GOMoveDrawRect(line.get(), 100, -100);
    expectRect(line.get(), INT_MAX, INT_MIN, INT_MAX, INT_MIN);
}

TEST(LineObject, RecordRoundTripGivesEqualObject) {
    Object line(GOCreateLineObject(1, 2, 300, 400, 0x102030, 5));
    GOMoveDrawRect(line.get(), -7, 9);
    const auto rec = recordOf(line.get());
    Object copy(GOCreate(GO_LINE));
    ASSERT_EQ(GOSetData(copy.get(), rec.data(), int64_t(rec.size())), 1);
    EXPECT_EQ(recordOf(copy.get()), rec);
    expectRect(copy.get(), 1 - 5 - 7, 2 - 5 + 9, 300 + 5 - 7, 400 + 5 + 9);
    // A record one byte short is refused and changes nothing.
    EXPECT_EQ(GOSetData(copy.get(), rec.data(), 39), 0);
    EXPECT_EQ(recordOf(copy.get()), rec);
}

TEST(TextObject, RectangleIsCentredOnThePoint) {
    Object text(GOCreateTextObject(100, 50, "abc", "Arial", 10, 0, 0, 0xFF));
    expectRect(text.get(), 85, 43, 115, 57);
    EXPECT_EQ(GOGetType(text.get()), 1);
    EXPECT_EQ(GOGetObjectSize(text.get()), 75);
    // Odd products round toward zero: half = 21 / 2, v = 12 / 2.
    Object odd(GOCreateTextObject(0, 0, "xyz", "", 7, 0, 0, 0));
    expectRect(odd.get(), -10, -6, 10, 6);
    // Moving shifts the rectangle only.
    GOMoveDrawRect(text.get(), -5, 4);
    expectRect(text.get(), 80, 47, 110, 61);
    EXPECT_EQ(GOGetObjectSize(text.get()), 75);
}

TEST(TextObject, RecordHoldsFieldsAndWholeText) {
    const std::string long40(40, 'q');
    Object text(GOCreateTextObject(10, 20, long40.c_str(), "Times", 8, 1, 1, 0x00112233));
    const auto rec = recordOf(text.get());
    ASSERT_EQ(rec.size(), 72u + 40u);
    // half = 40 * 8 / 2 = 160, v = 13 / 2 = 6
    const uint32_t head[] = {uint32_t(10 - 160), 14, 170, 26, 8, 1, 1, 0x00112233};
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(get32(&rec[4 * k]), head[k]) << "field " << k;
    EXPECT_STREQ(reinterpret_cast<const char*>(&rec[32]), "Times");
    EXPECT_EQ(get32(&rec[64]), 40u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&rec[68])), long40);
}

TEST(TextObject, LongFaceNameIsCutToThirtyOneCharacters) {
    const std::string face(45, 'F');
    Object text(GOCreateTextObject(0, 0, "a", face.c_str(), 10, 0, 0, 0));
    const auto rec = recordOf(text.get());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&rec[32])), std::string(31, 'F'));
    EXPECT_EQ(rec[63], 0);
}

TEST(TextObject, RecordRoundTripThroughEmptyObjectGivesEqualObject) {
    Object text(GOCreateTextObject(-40, 33, "overlay label", "DejaVu Sans", 14, 1, 0, 0xC0FFEE));
    GOMoveDrawRect(text.get(), 2, 2);
    const auto rec = recordOf(text.get());
    Object copy(GOCreate(GO_TEXT));
    ASSERT_EQ(GOSetData(copy.get(), rec.data(), int64_t(rec.size())), 1);
    EXPECT_EQ(GOGetObjectSize(copy.get()), GOGetObjectSize(text.get()));
    EXPECT_EQ(recordOf(copy.get()), rec);
    // Setting data again replaces the text and its length.
    Object other(GOCreateTextObject(0, 0, "x", "Arial", 5, 0, 1, 1));
    const auto small = recordOf(other.get());
    ASSERT_EQ(GOSetData(copy.get(), small.data(), int64_t(small.size())), 1);
    EXPECT_EQ(recordOf(copy.get()), small);
}

TEST(TextObject, RecordWithLengthBeyondItsSizeIsRefused) {
    Object text(GOCreateTextObject(1, 1, "keep", "Arial", 10, 0, 0, 7));
    const auto before = recordOf(text.get());
    auto tooLong = textRecord(1000, "abcd", 76);
    EXPECT_EQ(GOSetData(text.get(), tooLong.data(), int64_t(tooLong.size())), 0);
    auto negative = textRecord(-1, "abcd", 76);
    EXPECT_EQ(GOSetData(text.get(), negative.data(), int64_t(negative.size())), 0);
    auto shortRec = textRecord(0, "", 71);
    EXPECT_EQ(GOSetData(text.get(), shortRec.data(), int64_t(shortRec.size())), 0);
    EXPECT_EQ(recordOf(text.get()), before);
}

TEST(TextObject, RecordTextIsBoundedAndItsLengthRecomputed) {
    // The stated length covers a NUL: the text ends there.
    auto rec = textRecord(5, std::string("ab\0cd", 5), 77);
    Object text(GOCreate(GO_TEXT));
    ASSERT_EQ(GOSetData(text.get(), rec.data(), int64_t(rec.size())), 1);
    EXPECT_EQ(GOGetObjectSize(text.get()), 74);
    // No terminator inside the record: the copy stops at the stated length.
    auto unterminated = textRecord(4, "wxyz", 72);
    ASSERT_EQ(GOSetData(text.get(), unterminated.data(), int64_t(unterminated.size())), 1);
    const auto out = recordOf(text.get());
    ASSERT_EQ(out.size(), 76u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&out[68])), "wxyz");
    expectRect(text.get(), 1, 2, 30, 12);
    // A face without its NUL is cut inside its field.
    std::memset(&unterminated[32], 'G', GO_FACE_SIZE);
    ASSERT_EQ(GOSetData(text.get(), unterminated.data(), int64_t(unterminated.size())), 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&recordOf(text.get())[32])),
              std::string(31, 'G'));
}

} // namespace
