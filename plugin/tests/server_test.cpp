#include <gtest/gtest.h>
#include <qd/plugin.h>

#include <cstring>
#include <utility>

#include "fake_server.h"

namespace {

void* handle(intptr_t v) { return reinterpret_cast<void*>(v); }

const std::vector<uint32_t> kConnectionCodes = {QD_REQ_MAIN_APP, QD_REQ_MAIN_WINDOW,
                                                QD_REQ_RESULT_WINDOW, QD_REQ_HISTO_WINDOW,
                                                QD_REQ_TOOLBAR_WINDOW};

TEST(Version, IsTheOneThePlugInsWereWrittenFor) { EXPECT_EQ(qdGetPDKVersion(), 272); }

// ---- Connection ----

class Connection : public ::testing::Test {
  protected:
    void TearDown() override { qdConnectPlugInServer(nullptr); }
    FakeServer server;
};

TEST_F(Connection, AsksForTheFiveObjectsInOrderAndKeepsTheReplies) {
    server.scriptConnection();
    server.replies[QD_REQ_TOOLBAR_WINDOW] = 0x5050;
    EXPECT_EQ(qdConnectPlugInServer(&server), handle(0x5050));
    EXPECT_EQ(server.codes(), kConnectionCodes);
    for (const Request& r : server.requests)
        EXPECT_EQ(r.arg, 0);

    server.requests.clear();
    EXPECT_EQ(qdGetMainApp(), handle(0x1010));
    EXPECT_EQ(qdGetMainWindow(), handle(0x2020));
    EXPECT_EQ(qdGetResultWindow(), handle(0x3030));
    EXPECT_EQ(qdGetHistoWindow(), handle(0x4040));
    EXPECT_EQ(qdGetToolBarWindow(), handle(0x5050));
    EXPECT_TRUE(server.requests.empty()) << "the getters hand out what was stored";
}

TEST_F(Connection, TwiceGivesTheSameStateAndAsksAgain) {
    server.scriptConnection();
    EXPECT_EQ(qdConnectPlugInServer(&server), nullptr); // this program's toolbar reply
    EXPECT_EQ(qdConnectPlugInServer(&server), nullptr);
    EXPECT_EQ(server.requests.size(), 10u);
    EXPECT_EQ(qdGetMainApp(), handle(0x1010));
    EXPECT_EQ(qdGetHistoWindow(), handle(0x4040));
    EXPECT_EQ(qdGetToolBarWindow(), nullptr);
}

TEST_F(Connection, RefreshesEveryValueFromTheNewReplies) {
    server.scriptConnection();
    qdConnectPlugInServer(&server);
    FakeServer other;
    other.replies[QD_REQ_MAIN_APP] = 0x99;
    qdConnectPlugInServer(&other);
    EXPECT_EQ(qdGetMainApp(), handle(0x99));
    EXPECT_EQ(qdGetMainWindow(), nullptr);
    EXPECT_EQ(qdGetResultWindow(), nullptr);
}

TEST_F(Connection, MatricesAndArraysOnlyOnceConnected) {
    EXPECT_EQ(qdMTCreate(10, 10, MT_FLOAT), nullptr);
    EXPECT_EQ(qdARCreate(10, MT_FLOAT), nullptr);

    server.scriptConnection();
    qdConnectPlugInServer(&server);
    MTHANDLE m = qdMTCreate(10, 10, MT_FLOAT);
    ARHANDLE a = qdARCreate(10, MT_FLOAT);
    ASSERT_NE(m, nullptr);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(qdMTGetWidth(m), 10);
    EXPECT_EQ(qdMTGetFlags(m), MT_FLOAT);
    EXPECT_EQ(qdARGetWidth(a), 10);
    qdMTDestroy(m);
    qdARDestroy(a);

    qdConnectPlugInServer(nullptr);
    EXPECT_EQ(qdMTCreate(10, 10, MT_FLOAT), nullptr);
}

TEST_F(Connection, NeedsTheApplicationObjectAsWellAsTheServer) {
    server.replies[QD_REQ_MAIN_WINDOW] = 0x2020; // but no application object
    qdConnectPlugInServer(&server);
    EXPECT_EQ(qdMTCreate(10, 10, MT_FLOAT), nullptr);
    EXPECT_EQ(qdARCreate(10, MT_FLOAT), nullptr);
}

TEST_F(Connection, ServerWithoutItsFunctionIsNoServer) {
    QDPLUGINSERVER broken{nullptr};
    EXPECT_EQ(qdConnectPlugInServer(&broken), nullptr);
    EXPECT_EQ(qdGetMainApp(), nullptr);
    EXPECT_EQ(qdGetImageWindowCount(), 0);
    EXPECT_EQ(qdMTCreate(10, 10, MT_FLOAT), nullptr);
}

// Every request function, before any server is stored: nothing is sent and
// each gives 0 (or its buffer).
TEST_F(Connection, WithoutServerEveryRequestGivesZero) {
    server.answer = [](uint32_t, intptr_t) -> intptr_t { return 1; };
    qdConnectPlugInServer(&server);
    qdConnectPlugInServer(nullptr);
    server.requests.clear();

    void* w = handle(0x77);
    char buffer[8] = "preset";
    QDRECT rect{0, 0, 1, 1};
    EXPECT_EQ(qdGetMainApp(), nullptr);
    EXPECT_EQ(qdProcessMessage(), 0);
    EXPECT_EQ(qdGetPaletteManager(), nullptr);
    EXPECT_EQ(qdRunInputDialog("c", "p", buffer, 8), 0);
    EXPECT_EQ(qdRunMessageDialog("t", "c", 16), 0);
    EXPECT_EQ(qdWriteResultText("t"), 0);
    EXPECT_EQ(qdWriteResultF("%d", 1), 0);
    EXPECT_EQ(qdWriteResultLnF("%d", 1), 0);
    EXPECT_EQ(qdGetStopCount(), 0);
    EXPECT_EQ(qdStopButtonOn(), 0);
    EXPECT_EQ(qdStopButtonOff(), 0);
    EXPECT_EQ(qdGetImageWindowCount(), 0);
    EXPECT_EQ(qdGetImageWindow(0), nullptr);
    EXPECT_EQ(qdGetActiveImageWindow(), nullptr);
    EXPECT_EQ(qdSelectImageWindow("p"), nullptr);
    EXPECT_EQ(qdIWCreate(nullptr, "t"), nullptr);
    EXPECT_EQ(qdIWDestroy(w), 0);
    EXPECT_EQ(qdIWOpen("x.qdw"), nullptr);
    EXPECT_EQ(qdIWSave(w, "x.qdw"), 0);
    EXPECT_EQ(qdIWGetImageHandle(w), nullptr);
    EXPECT_EQ(qdIWGetHWND(w), nullptr);
    EXPECT_EQ(qdIWGetImageName(w, buffer, 8), buffer);
    EXPECT_STREQ(buffer, "") << "an unanswered name is empty, not stale";
    EXPECT_EQ(qdIWSetImageName(w, "n"), 0);
    EXPECT_EQ(qdIWGetImagePath(w, buffer, 8), buffer);
    EXPECT_EQ(qdIWSetImagePath(w, "p"), 0);
    EXPECT_EQ(qdIWRepaint(w, &rect, 1), 0);
    EXPECT_EQ(qdIWLock(w), 0);
    EXPECT_EQ(qdIWUnlock(w), 0);
    EXPECT_EQ(qdIWIsNew(w), 0);
    EXPECT_EQ(qdIWIsDirty(w), 0);
    EXPECT_EQ(qdIWIsValid(w), 0);
    EXPECT_TRUE(server.requests.empty());
}

// ---- Requests that carry nothing, an index or a handle ----

struct Case {
    const char* name;
    uint32_t code;
    intptr_t arg;
    std::function<intptr_t()> call; // the function's result as a number
};

template <class F> std::function<intptr_t()> asNumber(F f) {
    return [f] {
        if constexpr (std::is_pointer_v<decltype(f())>)
            return reinterpret_cast<intptr_t>(f());
        else
            return intptr_t(f());
    };
}

using SimpleRequests = ServerTest;

TEST_F(SimpleRequests, SendTheirCodeAndArgumentAndReturnTheReply) {
    void* w = handle(0x7700);
    const char* path = "cells.qdw";
    const std::vector<Case> cases = {
        {"qdProcessMessage", QD_REQ_PROCESS_MESSAGE, 0,
         asNumber([] { return qdProcessMessage(); })},
        {"qdGetPaletteManager", QD_REQ_PALETTE_MANAGER, 0,
         asNumber([] { return qdGetPaletteManager(); })},
        {"qdGetStopCount", QD_REQ_STOP_COUNT, 0, asNumber([] { return qdGetStopCount(); })},
        {"qdStopButtonOn", QD_REQ_STOP_BUTTON_ON, 0, asNumber([] { return qdStopButtonOn(); })},
        {"qdStopButtonOff", QD_REQ_STOP_BUTTON_OFF, 0, asNumber([] { return qdStopButtonOff(); })},
        {"qdGetImageWindowCount", QD_REQ_WINDOW_COUNT, 0,
         asNumber([] { return qdGetImageWindowCount(); })},
        {"qdGetImageWindow", QD_REQ_WINDOW_AT, 3, asNumber([] { return qdGetImageWindow(3); })},
        {"qdGetActiveImageWindow", QD_REQ_ACTIVE_WINDOW, 0,
         asNumber([] { return qdGetActiveImageWindow(); })},
        {"qdIWOpen", QD_REQ_IW_OPEN, reinterpret_cast<intptr_t>(path),
         asNumber([path] { return qdIWOpen(path); })},
        {"qdIWDestroy", QD_REQ_IW_DESTROY, 0x7700, asNumber([w] { return qdIWDestroy(w); })},
        {"qdIWGetImageHandle", QD_REQ_IW_IMAGE, 0x7700,
         asNumber([w] { return qdIWGetImageHandle(w); })},
        {"qdIWGetHWND", QD_REQ_IW_HWND, 0x7700, asNumber([w] { return qdIWGetHWND(w); })},
        {"qdIWLock", QD_REQ_IW_LOCK, 0x7700, asNumber([w] { return qdIWLock(w); })},
        {"qdIWUnlock", QD_REQ_IW_UNLOCK, 0x7700, asNumber([w] { return qdIWUnlock(w); })},
        {"qdIWIsNew", QD_REQ_IW_IS_NEW, 0x7700, asNumber([w] { return qdIWIsNew(w); })},
        {"qdIWIsDirty", QD_REQ_IW_IS_DIRTY, 0x7700, asNumber([w] { return qdIWIsDirty(w); })},
        {"qdIWIsValid", QD_REQ_IW_IS_VALID, 0x7700, asNumber([w] { return qdIWIsValid(w); })},
    };
    intptr_t reply = 40;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server.requests.clear();
        server.replies[c.code] = ++reply;
        EXPECT_EQ(c.call(), reply);
        ASSERT_EQ(server.requests.size(), 1u);
        EXPECT_EQ(server.requests[0].code, c.code);
        EXPECT_EQ(server.requests[0].arg, c.arg);
    }
}

// ---- Requests with a record ----

using RecordRequests = ServerTest;

TEST_F(RecordRequests, InputDialogSendsCaptionPromptBufferAndSize) {
    char buffer[16] = "12";
    server.answer = [&](uint32_t code, intptr_t arg) -> intptr_t {
        EXPECT_EQ(code, uint32_t(QD_REQ_INPUT_DIALOG));
        const auto& r = recordOf<QDINPUTREQUEST>(arg);
        EXPECT_STREQ(r.caption, "Count");
        EXPECT_STREQ(r.prompt, "How many?");
        EXPECT_EQ(r.buffer, buffer);
        EXPECT_EQ(r.size, 16);
        std::strcpy(r.buffer, "34");
        return 1;
    };
    EXPECT_EQ(qdRunInputDialog("Count", "How many?", buffer, 16), 1);
    EXPECT_STREQ(buffer, "34");
    EXPECT_EQ(server.requests.size(), 1u);
}

TEST_F(RecordRequests, InputDialogWithoutRoomForAnAnswerAsksNothing) {
    server.replies[QD_REQ_INPUT_DIALOG] = 1;
    char buffer[4] = "ab";
    EXPECT_EQ(qdRunInputDialog("c", "p", nullptr, 16), 0);
    EXPECT_EQ(qdRunInputDialog("c", "p", buffer, 0), 0);
    EXPECT_EQ(qdRunInputDialog("c", "p", buffer, -5), 0);
    EXPECT_STREQ(buffer, "ab");
    EXPECT_TRUE(server.requests.empty());
}

TEST_F(RecordRequests, MessageDialogPutsTheCaptionBeforeTheText) {
    server.answer = [](uint32_t code, intptr_t arg) -> intptr_t {
        EXPECT_EQ(code, uint32_t(QD_REQ_MESSAGE_DIALOG));
        const auto& r = recordOf<QDMESSAGEREQUEST>(arg);
        EXPECT_STREQ(r.caption, "warning");
        EXPECT_STREQ(r.text, "Not proper image data type.");
        EXPECT_EQ(r.style, 48);
        return 6;
    };
    EXPECT_EQ(qdRunMessageDialog("Not proper image data type.", "warning", 48), 6);
    EXPECT_EQ(server.requests.size(), 1u);
}

TEST_F(RecordRequests, SelectImageWindowGivesTheChoiceOnlyAfterOk) {
    void* chosen = handle(0x4400);
    intptr_t reply = 0;
    server.answer = [&](uint32_t code, intptr_t arg) -> intptr_t {
        EXPECT_EQ(code, uint32_t(QD_REQ_SELECT_WINDOW));
        auto& r = *reinterpret_cast<QDSELECTREQUEST*>(arg);
        EXPECT_STREQ(r.prompt, "Second image");
        EXPECT_EQ(r.result, nullptr) << "the result starts empty";
        r.result = chosen; // even when the reply says otherwise
        return reply;
    };
    reply = 1;
    EXPECT_EQ(qdSelectImageWindow("Second image"), chosen);
    reply = 0; // Cancel
    EXPECT_EQ(qdSelectImageWindow("Second image"), nullptr);
    reply = -1; // no image window open
    EXPECT_EQ(qdSelectImageWindow("Second image"), nullptr);
    EXPECT_EQ(server.requests.size(), 3u);
}

TEST_F(RecordRequests, CreateHandsTheImageAndTitleOver) {
    auto* image = reinterpret_cast<IMHANDLE>(0x1234);
    const char* seenTitle = "unset";
    server.answer = [&](uint32_t code, intptr_t arg) -> intptr_t {
        EXPECT_EQ(code, uint32_t(QD_REQ_IW_CREATE));
        const auto& r = recordOf<QDCREATEREQUEST>(arg);
        EXPECT_EQ(r.image, image);
        seenTitle = r.title;
        return 0x5600;
    };
    EXPECT_EQ(qdIWCreate(image, "Edges"), handle(0x5600));
    EXPECT_STREQ(seenTitle, "Edges");
    EXPECT_EQ(qdIWCreate(image, nullptr), handle(0x5600));
    EXPECT_EQ(seenTitle, nullptr) << "a null title reaches the program as null";
}

TEST_F(RecordRequests, WindowAndTextRecords) {
    void* w = handle(0x7700);
    const std::vector<std::pair<uint32_t, std::function<int32_t()>>> cases = {
        {QD_REQ_IW_SAVE, [w] { return qdIWSave(w, "out.qdw"); }},
        {QD_REQ_IW_SET_NAME, [w] { return qdIWSetImageName(w, "out.qdw"); }},
        {QD_REQ_IW_SET_PATH, [w] { return qdIWSetImagePath(w, "out.qdw"); }},
    };
    for (const auto& [expected, call] : cases) {
        SCOPED_TRACE(expected);
        server.requests.clear();
        server.answer = [&, expected = expected](uint32_t code, intptr_t arg) -> intptr_t {
            EXPECT_EQ(code, expected);
            const auto& r = recordOf<QDWINDOWTEXT>(arg);
            EXPECT_EQ(r.window, w);
            EXPECT_STREQ(r.text, "out.qdw");
            return 1;
        };
        EXPECT_EQ(call(), 1);
        EXPECT_EQ(server.requests.size(), 1u);
    }
}

TEST_F(RecordRequests, RepaintSendsWindowRectangleAndErase) {
    void* w = handle(0x7700);
    const QDRECT rect{1, 2, 30, 40};
    const QDRECT* seenRect = nullptr;
    int32_t seenErase = -1;
    server.answer = [&](uint32_t code, intptr_t arg) -> intptr_t {
        EXPECT_EQ(code, uint32_t(QD_REQ_IW_REPAINT));
        const auto& r = recordOf<QDREPAINTREQUEST>(arg);
        EXPECT_EQ(r.window, w);
        seenRect = r.rect;
        seenErase = r.erase;
        return 0;
    };
    qdIWRepaint(w, &rect, 1);
    EXPECT_EQ(seenRect, &rect);
    EXPECT_EQ(seenErase, 1);
    qdIWRepaint(w, nullptr, 0);
    EXPECT_EQ(seenRect, nullptr);
    EXPECT_EQ(seenErase, 0);
}

TEST_F(RecordRequests, NameAndPathComeBackInTheBuffer) {
    void* w = handle(0x7700);
    for (uint32_t expected : {uint32_t(QD_REQ_IW_GET_NAME), uint32_t(QD_REQ_IW_GET_PATH)}) {
        SCOPED_TRACE(expected);
        server.answer = [&](uint32_t code, intptr_t arg) -> intptr_t {
            EXPECT_EQ(code, expected);
            const auto& r = recordOf<QDWINDOWBUFFER>(arg);
            EXPECT_EQ(r.window, w);
            EXPECT_EQ(r.size, 4);
            std::memcpy(r.buffer, "cel", 4); // "cells.qdw" cut to size, as the program does
            return 0;
        };
        char buffer[4];
        char* got = expected == QD_REQ_IW_GET_NAME ? qdIWGetImageName(w, buffer, 4)
                                                   : qdIWGetImagePath(w, buffer, 4);
        EXPECT_EQ(got, buffer);
        EXPECT_STREQ(buffer, "cel");
    }
}

TEST_F(RecordRequests, NameIsTerminatedEvenWhenTheServerFillsTheWholeBuffer) {
    server.answer = [](uint32_t, intptr_t arg) -> intptr_t {
        const auto& r = recordOf<QDWINDOWBUFFER>(arg);
        std::memset(r.buffer, 'x', size_t(r.size));
        return 0;
    };
    char buffer[6];
    qdIWGetImageName(handle(1), buffer, 5);
    EXPECT_STREQ(buffer, "xxxx");
}

TEST_F(RecordRequests, NameWithoutRoomSendsAndWritesNothing) {
    char buffer[4] = "abc";
    EXPECT_EQ(qdIWGetImageName(handle(1), buffer, 0), buffer);
    EXPECT_EQ(qdIWGetImagePath(handle(1), buffer, -1), buffer);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(qdIWGetImageName(handle(1), nullptr, 4), nullptr);
    EXPECT_EQ(qdIWGetImagePath(handle(1), nullptr, 4), nullptr);
    EXPECT_TRUE(server.requests.empty());
}

} // namespace
