#pragma once
// The program's side of the plug-in protocol: the server handle plug-ins
// receive, whose requests the main window answers at once on the user
// interface thread.

#include <qd/plugin_server.h>

#include <cstdint>

class CMainFrame;
class CQDView;

namespace qd {

class CPlugInRequests {
  public:
    explicit CPlugInRequests(CMainFrame* frame);
    CPlugInRequests(const CPlugInRequests&) = delete;
    CPlugInRequests& operator=(const CPlugInRequests&) = delete;

    PLUGINSERVER server() { return &server_.base; }
    intptr_t answer(uint32_t code, intptr_t arg);

  private:
    // The protocol's struct first, so the server handle leads back here.
    struct Server {
        QDPLUGINSERVER base;
        CPlugInRequests* owner;
    };
    static intptr_t send(QDPLUGINSERVER* server, uint32_t code, intptr_t arg);
    intptr_t answerWindow(uint32_t code, CQDView* view, intptr_t arg);

    Server server_;
    CMainFrame* frame_;
};

// A window named by a plug-in, if it is still one of the open image windows.
CQDView* registeredView(const void* window);

} // namespace qd
