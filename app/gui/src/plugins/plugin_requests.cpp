#include "plugin_requests.h"

#include "child_frame.h"
#include "histo_frame.h"
#include "main_frame.h"
#include "message_pump.h"
#include "platform.h"
#include "qd_app.h"
#include "qd_doc.h"
#include "qd_view.h"
#include "result_frame.h"
#include "recorder/plugin_line.h"
#include "select_image_dialog.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

#include <qd/dlg.h>

namespace qd {
namespace {

QString text(intptr_t arg) { return QString::fromLocal8Bit(reinterpret_cast<const char*>(arg)); }
template <class R> R& record(intptr_t arg) { return *reinterpret_cast<R*>(arg); }

// At most size bytes, the last one always the terminator; nothing for no room.
void copyOut(const QString& s, char* buffer, int32_t size) {
    if (!buffer || size <= 0) return;
    const QByteArray bytes = s.toLocal8Bit();
    const size_t n = std::min(size_t(bytes.size()), size_t(size) - 1);
    std::memcpy(buffer, bytes.constData(), n);
    buffer[n] = '\0';
}

} // namespace

CQDView* registeredView(const void* window) {
    if (!window) return nullptr;
    for (CQDView* v : qdApp()->registry().views())
        if (v == window) return v;
    return nullptr;
}

CPlugInRequests::CPlugInRequests(CMainFrame* frame) : server_{{&send}, this}, frame_(frame) {}

intptr_t CPlugInRequests::send(QDPLUGINSERVER* server, uint32_t code, intptr_t arg) {
    return reinterpret_cast<Server*>(server)->owner->answer(code, arg);
}

intptr_t CPlugInRequests::answer(uint32_t code, intptr_t arg) {
    CQDApp* app = qdApp();
    switch (code) {
    case QD_REQ_MAIN_APP: return reinterpret_cast<intptr_t>(app);
    case QD_REQ_MAIN_WINDOW: return reinterpret_cast<intptr_t>(frame_);
    case QD_REQ_RESULT_WINDOW: return reinterpret_cast<intptr_t>(frame_->resultWindow());
    case QD_REQ_HISTO_WINDOW: return reinterpret_cast<intptr_t>(frame_->histogramWindow());
    case QD_REQ_TOOLBAR_WINDOW: return 0;
    case QD_REQ_PALETTE_MANAGER: return reinterpret_cast<intptr_t>(app->paletteManager());
    case QD_REQ_PROCESS_MESSAGE:
        pumpMessages();
        app->onIdle(0);
        return 0;
    case QD_REQ_INPUT_DIALOG: {
        auto& r = record<QDINPUTREQUEST>(arg);
        const int answer = RunInputTextDialog(frame_, r.caption, r.prompt, r.buffer, r.size);
        if (answer == 1) PlugInLine::noteAnswer(QString::fromLocal8Bit(r.buffer));
        return answer;
    }
    case QD_REQ_MESSAGE_DIALOG: {
        auto& r = record<QDMESSAGEREQUEST>(arg);
        return messageBox(frame_, QString::fromLocal8Bit(r.text), QString::fromLocal8Bit(r.caption),
                          uint32_t(r.style));
    }
    case QD_REQ_RESULT_LINE: frame_->resultWindow()->addLine(text(arg)); return 0;
    case QD_REQ_RESULT_TEXT: frame_->resultWindow()->addText(text(arg)); return 0;
    case QD_REQ_STOP_COUNT: return app->stopRequestCount();
    case QD_REQ_WINDOW_COUNT: return app->registry().count();
    case QD_REQ_WINDOW_AT: return reinterpret_cast<intptr_t>(app->registry().viewAt(int(arg)));
    case QD_REQ_ACTIVE_WINDOW: return reinterpret_cast<intptr_t>(frame_->activeView());
    case QD_REQ_SELECT_WINDOW: {
        auto& r = record<QDSELECTREQUEST>(arg);
        CQDView* chosen = nullptr;
        const int answer = runSelectImageDialog(frame_, QString::fromLocal8Bit(r.prompt), &chosen);
        if (answer == 1) r.result = chosen;
        if (answer == 1) PlugInLine::notePick(chosen);
        return answer;
    }
    case QD_REQ_STOP_BUTTON_ON: app->beginStoppableProcessing(); return 0;
    case QD_REQ_STOP_BUTTON_OFF: app->endStoppableProcessing(); return 0;
    case QD_REQ_IW_CREATE: {
        auto& r = record<QDCREATEREQUEST>(arg);
        CChildFrame* f = app->openImageWindow(r.image, 1, r.title ? QString::fromLocal8Bit(r.title) : QString());
        return reinterpret_cast<intptr_t>(f ? f->view() : nullptr);
    }
    case QD_REQ_IW_OPEN: {
        CChildFrame* f = app->openDocumentWindow(text(arg));
        return reinterpret_cast<intptr_t>(f ? f->view() : nullptr);
    }
    case QD_REQ_IW_SAVE:
    case QD_REQ_IW_SET_NAME:
    case QD_REQ_IW_SET_PATH: return answerWindow(code, registeredView(record<QDWINDOWTEXT>(arg).window), arg);
    case QD_REQ_IW_GET_NAME:
    case QD_REQ_IW_GET_PATH: return answerWindow(code, registeredView(record<QDWINDOWBUFFER>(arg).window), arg);
    case QD_REQ_IW_REPAINT: return answerWindow(code, registeredView(record<QDREPAINTREQUEST>(arg).window), arg);
    default: return answerWindow(code, registeredView(reinterpret_cast<void*>(arg)), arg);
    }
}

// Requests about one window; a window that is no longer open is answered
// with 0 and nothing is touched.
intptr_t CPlugInRequests::answerWindow(uint32_t code, CQDView* view, intptr_t arg) {
    if (!view) return 0;
    CQDDoc* doc = view->document();
    switch (code) {
    case QD_REQ_IW_DESTROY:
        for (CChildFrame* f : frame_->childFrames())
            if (f->view() == view) f->closeWithoutQuestion();
        return 0;
    case QD_REQ_IW_SAVE:
        return doc->saveToPath(text(reinterpret_cast<intptr_t>(record<QDWINDOWTEXT>(arg).text)),
                               qdApp()->saveHooks())
                   ? 1
                   : 0;
    case QD_REQ_IW_IMAGE: return reinterpret_cast<intptr_t>(view->image());
    case QD_REQ_IW_HWND: return reinterpret_cast<intptr_t>(static_cast<QWidget*>(view));
    case QD_REQ_IW_GET_NAME: {
        auto& r = record<QDWINDOWBUFFER>(arg);
        copyOut(doc->name(), r.buffer, r.size);
        return 0;
    }
    case QD_REQ_IW_SET_NAME:
        doc->setName(QString::fromLocal8Bit(record<QDWINDOWTEXT>(arg).text));
        return 0;
    case QD_REQ_IW_GET_PATH: {
        auto& r = record<QDWINDOWBUFFER>(arg);
        copyOut(doc->path(), r.buffer, r.size);
        return 0;
    }
    case QD_REQ_IW_SET_PATH:
        doc->setPath(QString::fromLocal8Bit(record<QDWINDOWTEXT>(arg).text));
        doc->setNoFile(1);
        doc->setNotSaved(1);
        return 0;
    case QD_REQ_IW_REPAINT: {
        const QDRECT* r = record<QDREPAINTREQUEST>(arg).rect;
        if (r) view->update(QRect(r->left, r->top, r->right - r->left, r->bottom - r->top));
        else view->update();
        return 0;
    }
    case QD_REQ_IW_LOCK: view->setLockFlag(1); return 0;
    case QD_REQ_IW_UNLOCK: view->setLockFlag(0); return 0;
    case QD_REQ_IW_IS_NEW: return doc->noFile();
    case QD_REQ_IW_IS_DIRTY: return doc->notSaved();
    case QD_REQ_IW_IS_VALID: return 1;
    default: return 0;
    }
}

} // namespace qd
