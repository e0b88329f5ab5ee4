#include "qd/grpobj.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Lists hold objects they do not own; the fixture owns them.
class GraphicListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        list = GMCreate();
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < 25; ++i)
            objects.push_back(GOCreateLineObject(i, i, i + 1, i + 1, 0, 1));
    }
    void TearDown() override {
        GMDestroy(list);
        for (GOHANDLE o : objects)
            GODestroy(o);
    }
    std::vector<GOHANDLE> contents() const {
        std::vector<GOHANDLE> out;
        for (int i = 0; i < GMGetCount(list); ++i)
            out.push_back(GMGetGraphicObject(list, i));
        return out;
    }
    GMHANDLE list = nullptr;
    std::vector<GOHANDLE> objects;
};

// Crossing the first two growth steps (at 10 and 20 entries) keeps every entry.
TEST_F(GraphicListTest, GrowsPastItsCapacityKeepingOrder) {
    EXPECT_EQ(GMGetCount(list), 0);
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(GMAddGraphicObject(list, objects[i]), i + 1);
    EXPECT_EQ(contents(), objects);
}

TEST_F(GraphicListTest, IndexOutsideTheListGivesNull) {
    GMAddGraphicObject(list, objects[0]);
    GMAddGraphicObject(list, objects[1]);
    EXPECT_EQ(GMGetGraphicObject(list, 1), objects[1]);
    EXPECT_EQ(GMGetGraphicObject(list, 2), nullptr);
    EXPECT_EQ(GMGetGraphicObject(list, -1), nullptr);
    EXPECT_EQ(GMGetGraphicObject(nullptr, 0), nullptr);
}

TEST_F(GraphicListTest, DeleteAtShiftsLaterEntriesDown) {
    for (int i = 0; i < 12; ++i)
        GMAddGraphicObject(list, objects[i]);
    EXPECT_EQ(GMDeleteGraphicObjectAt(list, 1), 11);
    EXPECT_EQ(GMDeleteGraphicObjectAt(list, 10), 10);
    EXPECT_EQ(GMDeleteGraphicObjectAt(list, 0), 9);
    const std::vector<GOHANDLE> expected(objects.begin() + 2, objects.begin() + 11);
    EXPECT_EQ(contents(), expected);
    EXPECT_EQ(GMDeleteGraphicObjectAt(list, 9), -1);
    EXPECT_EQ(GMDeleteGraphicObjectAt(list, -1), -1);
    EXPECT_EQ(contents(), expected);
}

TEST_F(GraphicListTest, DeleteObjectRemovesItsFirstEntryOnly) {
    GMAddGraphicObject(list, objects[0]);
    GMAddGraphicObject(list, objects[1]);
    GMAddGraphicObject(list, objects[0]);
    EXPECT_EQ(GMDeleteGraphicObject(list, objects[0]), 2);
    EXPECT_EQ(contents(), (std::vector<GOHANDLE>{objects[1], objects[0]}));
    EXPECT_EQ(GMDeleteGraphicObject(list, objects[5]), -1);
    EXPECT_EQ(contents(), (std::vector<GOHANDLE>{objects[1], objects[0]}));
}

TEST_F(GraphicListTest, DeletingNeverDestroysTheObject) {
    GMAddGraphicObject(list, objects[3]);
    GMAddGraphicObject(list, objects[4]);
    GMDeleteGraphicObject(list, objects[3]);
    GMDeleteGraphicObjectAt(list, 0);
    EXPECT_EQ(GMGetCount(list), 0);
    // Still alive: the sanitizer build would catch a use after free.
    EXPECT_EQ(GOGetType(objects[3]), GO_LINE);
    EXPECT_EQ(GOGetDrawRect(objects[4]).right, 6);
}

} // namespace
