#include "connection.h"

#include <qd/plugin.h>

namespace qd::plugin {
namespace {

// Pointer-sized values in the order the connection fills them: the server,
// then the replies to the five connection requests.
struct Connection {
    intptr_t server;
    intptr_t mainApp;
    intptr_t mainWindow;
    intptr_t resultWindow;
    intptr_t histoWindow;
    intptr_t toolBarWindow;
};

Connection state;

} // namespace

bool connected() noexcept { return state.server != 0 && state.mainApp != 0; }

intptr_t request(uint32_t code, intptr_t arg) noexcept {
    auto* server = reinterpret_cast<PLUGINSERVER>(state.server);
    // A server without its function is as good as none; calling it would crash
    // the program on the plug-in's behalf.
    if (!server || !server->send) return 0;
    return server->send(server, code, arg);
}

} // namespace qd::plugin

using qd::plugin::request;
using qd::plugin::state;

namespace {

void* object(intptr_t value) noexcept { return reinterpret_cast<void*>(value); }

} // namespace

extern "C" {

int32_t qdGetPDKVersion(void) noexcept { return QD_PDK_VERSION; }

void* qdConnectPlugInServer(PLUGINSERVER server) noexcept {
    state.server = reinterpret_cast<intptr_t>(server);
    state.mainApp = request(QD_REQ_MAIN_APP);
    state.mainWindow = request(QD_REQ_MAIN_WINDOW);
    state.resultWindow = request(QD_REQ_RESULT_WINDOW);
    state.histoWindow = request(QD_REQ_HISTO_WINDOW);
    state.toolBarWindow = request(QD_REQ_TOOLBAR_WINDOW);
    return object(state.toolBarWindow);
}

void* qdGetMainApp(void) noexcept { return object(state.mainApp); }
void* qdGetMainWindow(void) noexcept { return object(state.mainWindow); }
void* qdGetResultWindow(void) noexcept { return object(state.resultWindow); }
void* qdGetHistoWindow(void) noexcept { return object(state.histoWindow); }
void* qdGetToolBarWindow(void) noexcept { return object(state.toolBarWindow); }

} // extern "C"
