// A server that stands in for the program: it records every request and
// answers from a script.
#pragma once

#include <gtest/gtest.h>
#include <qd/plugin.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct Request {
    uint32_t code;
    intptr_t arg;
};

struct FakeServer : QDPLUGINSERVER {
    std::vector<Request> requests;
    std::map<uint32_t, intptr_t> replies; // by code; 0 when not scripted
    // Runs during the request, while a record is still alive; its result
    // replaces the scripted reply.
    std::function<intptr_t(uint32_t code, intptr_t arg)> answer;

    FakeServer() { send = &FakeServer::receive; }
    FakeServer(const FakeServer&) = delete;
    FakeServer& operator=(const FakeServer&) = delete;

    // Replies that make the library connected.
    void scriptConnection() {
        replies[QD_REQ_MAIN_APP] = 0x1010;
        replies[QD_REQ_MAIN_WINDOW] = 0x2020;
        replies[QD_REQ_RESULT_WINDOW] = 0x3030;
        replies[QD_REQ_HISTO_WINDOW] = 0x4040;
    }

    // Each request's code in order.
    std::vector<uint32_t> codes() const {
        std::vector<uint32_t> out;
        for (const Request& r : requests)
            out.push_back(r.code);
        return out;
    }

  private:
    static intptr_t receive(QDPLUGINSERVER* server, uint32_t code, intptr_t arg) {
        auto* self = static_cast<FakeServer*>(server);
        self->requests.push_back({code, arg});
        if (self->answer) return self->answer(code, arg);
        const auto it = self->replies.find(code);
        return it == self->replies.end() ? 0 : it->second;
    }
};

template <class T> const T& recordOf(intptr_t arg) { return *reinterpret_cast<const T*>(arg); }

inline std::string textOf(intptr_t arg) { return reinterpret_cast<const char*>(arg); }

// Connects to a fresh server for each test and leaves the library without
// one afterwards, so that no test sees another's server.
class ServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        server.scriptConnection();
        qdConnectPlugInServer(&server);
        server.requests.clear();
    }
    void TearDown() override { qdConnectPlugInServer(nullptr); }

    FakeServer server;
};
