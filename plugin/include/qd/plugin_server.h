/* The request protocol between QDPlugIn and the program that hosts the
 * plug-ins: the server handle, the request codes and the records some
 * requests carry. The program (or any other host, such as qdcli) fills a
 * QDPLUGINSERVER whose send function answers every request synchronously;
 * QDPlugIn only ever calls send. Plain C. */
#ifndef QD_PLUGIN_SERVER_H
#define QD_PLUGIN_SERVER_H

#include <stdint.h>

#include <qd/image.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Window handle: a QWidget* behind an opaque pointer; null for none. */
#ifndef QD_HWND_DEFINED
#define QD_HWND_DEFINED
typedef void* HWND;
#endif

/* One image window of the host (its view); null for none. */
typedef void* IWHANDLE;

/* The server: the host owns it for as long as plug-ins may call it. */
typedef struct QDPLUGINSERVER QDPLUGINSERVER;
struct QDPLUGINSERVER {
    /* Answers one request; arg is 0, an integer, a handle, a text or the
     * address of one of the records below, as the code says. */
    intptr_t (*send)(QDPLUGINSERVER* server, uint32_t code, intptr_t arg);
};
typedef QDPLUGINSERVER* PLUGINSERVER;

enum QDPlugInRequest {
    QD_REQ_MAIN_APP = 0x501,
    QD_REQ_MAIN_WINDOW = 0x502,
    QD_REQ_RESULT_WINDOW = 0x503,
    QD_REQ_HISTO_WINDOW = 0x504,
    QD_REQ_TOOLBAR_WINDOW = 0x505,
    QD_REQ_PALETTE_MANAGER = 0x511,
    QD_REQ_PROCESS_MESSAGE = 0x512,
    QD_REQ_INPUT_DIALOG = 0x601,      /* QDINPUTREQUEST* */
    QD_REQ_MESSAGE_DIALOG = 0x602,    /* QDMESSAGEREQUEST* */
    QD_REQ_RESULT_LINE = 0x603,       /* const char*: added with a line end */
    QD_REQ_RESULT_TEXT = 0x604,       /* const char*: added as it is */
    QD_REQ_STOP_COUNT = 0x605,
    QD_REQ_WINDOW_COUNT = 0x701,
    QD_REQ_WINDOW_AT = 0x702,         /* 0-based index */
    QD_REQ_ACTIVE_WINDOW = 0x703,
    QD_REQ_SELECT_WINDOW = 0x704,     /* QDSELECTREQUEST* */
    QD_REQ_STOP_BUTTON_ON = 0x705,
    QD_REQ_STOP_BUTTON_OFF = 0x706,
    QD_REQ_IW_CREATE = 0x800,         /* QDCREATEREQUEST* */
    QD_REQ_IW_DESTROY = 0x801,        /* IWHANDLE */
    QD_REQ_IW_OPEN = 0x802,           /* const char* path */
    QD_REQ_IW_SAVE = 0x804,           /* QDWINDOWTEXT* {window, path} */
    QD_REQ_IW_IMAGE = 0x805,          /* IWHANDLE */
    QD_REQ_IW_HWND = 0x806,           /* IWHANDLE */
    QD_REQ_IW_GET_NAME = 0x807,       /* QDWINDOWBUFFER* */
    QD_REQ_IW_SET_NAME = 0x808,       /* QDWINDOWTEXT* {window, name} */
    QD_REQ_IW_GET_PATH = 0x809,       /* QDWINDOWBUFFER* */
    QD_REQ_IW_SET_PATH = 0x810,       /* QDWINDOWTEXT* {window, path} */
    QD_REQ_IW_REPAINT = 0x811,        /* QDREPAINTREQUEST* */
    QD_REQ_IW_LOCK = 0x812,           /* IWHANDLE */
    QD_REQ_IW_UNLOCK = 0x813,         /* IWHANDLE */
    QD_REQ_IW_IS_NEW = 0x814,         /* IWHANDLE */
    QD_REQ_IW_IS_DIRTY = 0x815,       /* IWHANDLE */
    QD_REQ_IW_IS_VALID = 0x816        /* IWHANDLE */
};

/* Request records, fields in the order the protocol gives them. */
typedef struct QDINPUTREQUEST {
    const char* caption;
    const char* prompt;
    char* buffer; /* preset text in, the answer out (at most size - 1 characters) */
    int32_t size;
} QDINPUTREQUEST;

typedef struct QDMESSAGEREQUEST {
    const char* caption;
    const char* text;
    int32_t style; /* message-box style bits: 0x10 stop, 0x30 warning, ... */
} QDMESSAGEREQUEST;

typedef struct QDSELECTREQUEST {
    const char* prompt;
    IWHANDLE result; /* the chosen window, on a reply of 1 */
} QDSELECTREQUEST;

typedef struct QDCREATEREQUEST {
    IMHANDLE image;    /* the host takes it over */
    const char* title; /* null: the host's default title */
} QDCREATEREQUEST;

typedef struct QDWINDOWTEXT {
    IWHANDLE window;
    const char* text;
} QDWINDOWTEXT;

typedef struct QDWINDOWBUFFER {
    IWHANDLE window;
    char* buffer;
    int32_t size;
} QDWINDOWBUFFER;

typedef struct QDREPAINTREQUEST {
    IWHANDLE window;
    const QDRECT* rect; /* null: the whole window */
    int32_t erase;
} QDREPAINTREQUEST;

#ifdef __cplusplus
}
#endif

#endif
