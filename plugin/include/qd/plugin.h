/* The programming interface of a plug-in: include this header, define the
 * plug-in's exports below and link QDPlugIn (CMake: qd_add_plugin).
 *
 * A plug-in is a shared module that adds one command to the program's menu.
 * The program calls PlugInMain to run it and PlugInMenuUpdate (optional) to
 * enable and check its menu entry; both should begin with
 * qdConnectPlugInServer(server). The plug-in runs on the program's user
 * interface thread, inside the program's process.
 *
 * The qd... functions give the typed matrices, arrays, images, graphic
 * objects, palettes, processing and Fourier operations of the other
 * libraries under the same names with the prefix qd, and reach the program's
 * windows through the server. Matrices, arrays and objects a plug-in creates
 * are its own until it hands a matrix to qdIMCreateFromMatrix or an image to
 * qdIWCreate. Plain C. */
#ifndef QD_PLUGIN_H
#define QD_PLUGIN_H

#include <stdint.h>

#include <qd/fourier.h>
#include <qd/grpobj.h>
#include <qd/image.h>
#include <qd/memobj.h>
#include <qd/plugin_server.h>
#include <qd/prcs.h>

#define QD_PLUGIN_EXPORT __attribute__((visibility("default")))
/* Lets the compiler check the arguments of the two formatting functions. */
#define QD_PRINTF_FORMAT __attribute__((format(printf, 1, 2)))

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Defined by the plug-in ----
 * The menu text of the command. */
QD_PLUGIN_EXPORT const char* PlugInName(void);
/* Runs the command; runFlag is 1 from the plug-in's menu entry, 0 when the
 * user runs the plug-in's file once. The result is not looked at. */
QD_PLUGIN_EXPORT int PlugInMain(int runFlag, PLUGINSERVER server);
/* Optional and quick: bit 0 disables the menu entry, bit 1 checks it. */
QD_PLUGIN_EXPORT int PlugInMenuUpdate(PLUGINSERVER server);

/* ---- Version ---- */
enum { QD_PDK_VERSION = 272 };

/* ---- Connection ----
 * qdConnectPlugInServer stores the server and asks it for the program's
 * application, main, result, histogram and toolbar window objects; it may be
 * called any number of times and returns the toolbar window object. The
 * getters hand out the stored objects without asking again. The library is
 * connected once the server and the application object are both non-null.
 * Until a server is stored, every request below reaches nothing and gives 0. */
QD_EXPORT int32_t qdGetPDKVersion(void) QD_NOEXCEPT;
QD_EXPORT void* qdConnectPlugInServer(PLUGINSERVER server) QD_NOEXCEPT;
QD_EXPORT void* qdGetMainApp(void) QD_NOEXCEPT;
QD_EXPORT void* qdGetMainWindow(void) QD_NOEXCEPT;
QD_EXPORT void* qdGetResultWindow(void) QD_NOEXCEPT;
QD_EXPORT void* qdGetHistoWindow(void) QD_NOEXCEPT;
QD_EXPORT void* qdGetToolBarWindow(void) QD_NOEXCEPT;

/* ---- Program services ---- */
/* Handles one pending event of the program, so that it repaints and the Stop
 * button can be pressed during a long loop. */
QD_EXPORT int32_t qdProcessMessage(void) QD_NOEXCEPT;
QD_EXPORT PMHANDLE qdGetPaletteManager(void) QD_NOEXCEPT;
/* buffer holds the preset text and receives the answer (at most size - 1
 * characters and a NUL). 1 for OK, 0 for Cancel; 0 without asking when
 * there is no buffer to answer into. */
QD_EXPORT int32_t qdRunInputDialog(const char* caption, const char* prompt, char* buffer,
                                   int32_t size) QD_NOEXCEPT;
/* style: message-box style bits (16 stop icon, 48 warning icon, ...); the
 * button pressed (1 OK, 2 Cancel, 6 Yes, 7 No). */
QD_EXPORT int32_t qdRunMessageDialog(const char* text, const char* caption,
                                     int32_t style) QD_NOEXCEPT;

/* ---- Result window ----
 * The formatting functions use printf's format language and cut their text
 * at 1023 characters. qdWriteResultText and qdWriteResultLnF end a line;
 * qdWriteResultF adds its text as it is. */
QD_EXPORT int32_t qdWriteResultText(const char* text) QD_NOEXCEPT;
QD_EXPORT int32_t qdWriteResultF(const char* format, ...) QD_NOEXCEPT QD_PRINTF_FORMAT;
QD_EXPORT int32_t qdWriteResultLnF(const char* format, ...) QD_NOEXCEPT QD_PRINTF_FORMAT;

/* ---- Stop button ----
 * Around a long loop: qdStopButtonOn, then in each round some work,
 * qdProcessMessage and qdGetStopCount (above 0: the user asked to stop),
 * then qdStopButtonOff. */
QD_EXPORT int32_t qdGetStopCount(void) QD_NOEXCEPT;
QD_EXPORT int32_t qdStopButtonOn(void) QD_NOEXCEPT;
QD_EXPORT int32_t qdStopButtonOff(void) QD_NOEXCEPT;

/* ---- Image windows ----
 * Windows may close while the program handles events (qdProcessMessage):
 * check a kept window with qdIWIsValid, or lock it for the duration. */
QD_EXPORT int32_t qdGetImageWindowCount(void) QD_NOEXCEPT;
/* index 0 .. count - 1. */
QD_EXPORT IWHANDLE qdGetImageWindow(int32_t index) QD_NOEXCEPT;
/* Null when no image window is active. */
QD_EXPORT IWHANDLE qdGetActiveImageWindow(void) QD_NOEXCEPT;
/* Lets the user choose an image window; null for Cancel or when none is
 * open. */
QD_EXPORT IWHANDLE qdSelectImageWindow(const char* prompt) QD_NOEXCEPT;
/* Opens a new window for image, which the program then owns; a null title
 * gives the program's default title. Null when it could not be opened. */
QD_EXPORT IWHANDLE qdIWCreate(IMHANDLE image, const char* title) QD_NOEXCEPT;
/* Closes the window without asking to save. */
QD_EXPORT int32_t qdIWDestroy(IWHANDLE window) QD_NOEXCEPT;
/* Opens a file as File Open does; null when it cannot be opened. */
QD_EXPORT IWHANDLE qdIWOpen(const char* path) QD_NOEXCEPT;
/* Saves in the format of the path's extension; 1 on success. */
QD_EXPORT int32_t qdIWSave(IWHANDLE window, const char* path) QD_NOEXCEPT;
/* The window's image, owned by the program; null for a null window. */
QD_EXPORT IMHANDLE qdIWGetImageHandle(IWHANDLE window) QD_NOEXCEPT;
QD_EXPORT HWND qdIWGetHWND(IWHANDLE window) QD_NOEXCEPT;
/* Copy the document's name or path into buffer, cut to size - 1 characters
 * and always NUL-terminated, and return buffer. With a null buffer or a size
 * below 1 nothing is asked and nothing written. */
QD_EXPORT char* qdIWGetImageName(IWHANDLE window, char* buffer, int32_t size) QD_NOEXCEPT;
QD_EXPORT int32_t qdIWSetImageName(IWHANDLE window, const char* name) QD_NOEXCEPT;
QD_EXPORT char* qdIWGetImagePath(IWHANDLE window, char* buffer, int32_t size) QD_NOEXCEPT;
/* Also names the document after the path's file name and marks it as not
 * saved to a file of its own. */
QD_EXPORT int32_t qdIWSetImagePath(IWHANDLE window, const char* path) QD_NOEXCEPT;
/* rect: window coordinates, null for the whole window. */
QD_EXPORT int32_t qdIWRepaint(IWHANDLE window, const QDRECT* rect, int32_t erase) QD_NOEXCEPT;
/* A locked window refuses to close. */
QD_EXPORT int32_t qdIWLock(IWHANDLE window) QD_NOEXCEPT;
QD_EXPORT int32_t qdIWUnlock(IWHANDLE window) QD_NOEXCEPT;
/* The document has never been saved to a file / has unsaved changes. */
QD_EXPORT int32_t qdIWIsNew(IWHANDLE window) QD_NOEXCEPT;
QD_EXPORT int32_t qdIWIsDirty(IWHANDLE window) QD_NOEXCEPT;
/* 1 while window is one of the open image windows. */
QD_EXPORT int32_t qdIWIsValid(IWHANDLE window) QD_NOEXCEPT;

/* ---- Arrays ----
 * qdARCreate gives null until the plug-in has connected. */
QD_EXPORT ARHANDLE qdARCreate(int32_t count, int32_t type) QD_NOEXCEPT;
QD_EXPORT void qdARDestroy(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int64_t qdARGetMemorySize(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT void* qdARGetPointer(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t qdARGetFlags(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t qdARIsInteger(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t qdARIsSigned(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t qdARIsComplex(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t qdARIsRgb(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT double qdARGetMaxLimit(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT double qdARGetMinLimit(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t qdARGetMaxIndex(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t qdARGetWidth(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT double qdARReal(ARHANDLE ar, int32_t i) QD_NOEXCEPT;
QD_EXPORT double qdARImag(ARHANDLE ar, int32_t i) QD_NOEXCEPT;
QD_EXPORT MTCOMPLEX qdARComplex(ARHANDLE ar, int32_t i) QD_NOEXCEPT;
QD_EXPORT double qdARNorm(ARHANDLE ar, int32_t i) QD_NOEXCEPT;
QD_EXPORT int32_t qdARRealInt(ARHANDLE ar, int32_t i) QD_NOEXCEPT;
QD_EXPORT int32_t qdARImagInt(ARHANDLE ar, int32_t i) QD_NOEXCEPT;
QD_EXPORT uint32_t qdARRgb(ARHANDLE ar, int32_t i) QD_NOEXCEPT;
QD_EXPORT void qdARSetReal(ARHANDLE ar, int32_t i, double v) QD_NOEXCEPT;
QD_EXPORT void qdARSetImag(ARHANDLE ar, int32_t i, double v) QD_NOEXCEPT;
QD_EXPORT void qdARSetComplex(ARHANDLE ar, int32_t i, MTCOMPLEX v) QD_NOEXCEPT;
QD_EXPORT void qdARSetRgb(ARHANDLE ar, int32_t i, uint32_t rgb) QD_NOEXCEPT;
QD_EXPORT void qdARSetRealInt(ARHANDLE ar, int32_t i, int32_t v) QD_NOEXCEPT;
QD_EXPORT void qdARSetImagInt(ARHANDLE ar, int32_t i, int32_t v) QD_NOEXCEPT;
QD_EXPORT void qdARSwapBytes(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT void qdARInverse(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t qdARSwitchComplex(ARHANDLE ar) QD_NOEXCEPT;
QD_EXPORT int32_t qdARSetWindow(ARHANDLE ar, int32_t start, int32_t end) QD_NOEXCEPT;
QD_EXPORT void qdARSetDefaultWindow(ARHANDLE ar) QD_NOEXCEPT;

/* ---- Matrices ----
 * qdMTCreate gives null until the plug-in has connected. */
QD_EXPORT MTHANDLE qdMTCreate(int32_t width, int32_t height, int32_t type) QD_NOEXCEPT;
QD_EXPORT void qdMTDestroy(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int64_t qdMTGetMemorySize(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT void* qdMTGetPointer(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT void** qdMTGetMatrixPointer(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t qdMTGetFlags(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t qdMTIsInteger(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t qdMTIsSigned(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t qdMTIsComplex(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t qdMTIsRgb(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT double qdMTGetMaxLimit(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT double qdMTGetMinLimit(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t qdMTGetMaxXIndex(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t qdMTGetMaxYIndex(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t qdMTGetWidth(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t qdMTGetHeight(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT double qdMTReal(MTHANDLE mt, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT double qdMTImag(MTHANDLE mt, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT MTCOMPLEX qdMTComplex(MTHANDLE mt, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT double qdMTNorm(MTHANDLE mt, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT int32_t qdMTRealInt(MTHANDLE mt, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT int32_t qdMTImagInt(MTHANDLE mt, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT uint32_t qdMTRgb(MTHANDLE mt, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT void qdMTSetReal(MTHANDLE mt, int32_t x, int32_t y, double v) QD_NOEXCEPT;
QD_EXPORT void qdMTSetImag(MTHANDLE mt, int32_t x, int32_t y, double v) QD_NOEXCEPT;
QD_EXPORT void qdMTSetComplex(MTHANDLE mt, int32_t x, int32_t y, MTCOMPLEX v) QD_NOEXCEPT;
QD_EXPORT void qdMTSetRgb(MTHANDLE mt, int32_t x, int32_t y, uint32_t rgb) QD_NOEXCEPT;
QD_EXPORT void qdMTSetRealInt(MTHANDLE mt, int32_t x, int32_t y, int32_t v) QD_NOEXCEPT;
QD_EXPORT void qdMTSetImagInt(MTHANDLE mt, int32_t x, int32_t y, int32_t v) QD_NOEXCEPT;
QD_EXPORT void qdMTSwapBytes(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT void qdMTInverse(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t qdMTSwitchComplex(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT int32_t qdMTSetWindow(MTHANDLE mt, int32_t x0, int32_t y0, int32_t x1,
                                int32_t y1) QD_NOEXCEPT;
QD_EXPORT void qdMTSetDefaultWindow(MTHANDLE mt) QD_NOEXCEPT;

/* ---- Palettes of the program's palette manager (qdGetPaletteManager) ---- */
QD_EXPORT int32_t qdPMGetCount(PMHANDLE pm) QD_NOEXCEPT;
QD_EXPORT QDPALETTE* qdPMGetPal(PMHANDLE pm, int32_t index) QD_NOEXCEPT;
QD_EXPORT QDPALETTE* qdPMGetPalDescriptor(PMHANDLE pm, int32_t index) QD_NOEXCEPT;
QD_EXPORT int32_t qdPMGetColorFlag(PMHANDLE pm, int32_t index) QD_NOEXCEPT;
QD_EXPORT int32_t qdPMAddPal(PMHANDLE pm, QDPALETTE* pal) QD_NOEXCEPT;
QD_EXPORT int32_t qdPMDeletePal(PMHANDLE pm, QDPALETTE* pal) QD_NOEXCEPT;
QD_EXPORT int32_t qdPMDeletePalAt(PMHANDLE pm, int32_t index) QD_NOEXCEPT;
QD_EXPORT QDPALETTE* qdPMFindPal(PMHANDLE pm, const char* name) QD_NOEXCEPT;

/* ---- Graphic objects and lists ---- */
QD_EXPORT GOHANDLE qdGOCreateLineObject(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                        uint32_t colour, int32_t width) QD_NOEXCEPT;
QD_EXPORT GOHANDLE qdGOCreateTextObject(int32_t x, int32_t y, const char* text, const char* face,
                                        int32_t size, int32_t bold, int32_t italic,
                                        uint32_t colour) QD_NOEXCEPT;
QD_EXPORT int32_t qdGMGetCount(GMHANDLE list) QD_NOEXCEPT;
QD_EXPORT GOHANDLE qdGMGetGraphicObject(GMHANDLE list, int32_t index) QD_NOEXCEPT;
QD_EXPORT int32_t qdGMAddGraphicObject(GMHANDLE list, GOHANDLE obj) QD_NOEXCEPT;
QD_EXPORT int32_t qdGMDeleteGraphicObject(GMHANDLE list, GOHANDLE obj) QD_NOEXCEPT;
QD_EXPORT int32_t qdGMDeleteGraphicObjectAt(GMHANDLE list, int32_t index) QD_NOEXCEPT;

/* ---- Images ----
 * qdIMGetDisplayType and qdIMSetDisplayType are the draw type's getter and
 * setter under another name. */
QD_EXPORT IMHANDLE qdIMCreateFromMatrix(MTHANDLE mt) QD_NOEXCEPT;
QD_EXPORT void qdIMDestroy(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdIMGetDataHandle(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdIMGetBmpBitsHandle(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT ARHANDLE qdIMGetHistogramHandle(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int64_t qdIMGetDataSize(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int64_t qdIMGetBmpSize(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int64_t qdIMGetHistoSize(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void* qdIMGetDataPointer(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void* qdIMGetBmpPointer(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void* qdIMGetHistoPointer(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT QDBITMAPFILEHEADER* qdIMGetBmpFHeaderPointer(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT QDBITMAPINFO* qdIMGetBmpInfoPointer(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMGetImageWidth(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMGetImageHeight(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT double qdIMGetScale(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT double qdIMGetGain(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT double qdIMGetOffset(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT const char* qdIMGetXYUnit(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT const char* qdIMGetZUnit(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMGetDrawType(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMGetDisplayType(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT QDRECT qdIMGetDrawRect(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT QDRECT qdIMGetSelectedRect(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT QDRECT qdIMGetDefaultRect(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT QDRECT qdIMGetImageRect(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT const char* qdIMGetPaletteName(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMGetNumPaletteColors(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT HPALETTE qdIMGetPalette(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMGetPaletteArray(IMHANDLE im, uint32_t* out) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMGetBmpBitsCount(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT QDRECT qdIMGetSelectedRectOnImage(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void qdIMGetMagnification(IMHANDLE im, int32_t* reduction,
                                    int32_t* enlargement) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMSetBmpBitMemory(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void qdIMSetAllBmpStruct(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT double qdIMSetScale(IMHANDLE im, double scale) QD_NOEXCEPT;
QD_EXPORT double qdIMSetGain(IMHANDLE im, double gain) QD_NOEXCEPT;
QD_EXPORT double qdIMSetOffset(IMHANDLE im, double offset) QD_NOEXCEPT;
QD_EXPORT void qdIMSetXYUnit(IMHANDLE im, const char* unit) QD_NOEXCEPT;
QD_EXPORT void qdIMSetZUnit(IMHANDLE im, const char* unit) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMSetDrawType(IMHANDLE im, int32_t type) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMSetDisplayType(IMHANDLE im, int32_t type) QD_NOEXCEPT;
QD_EXPORT void qdIMSetBasicPalette(IMHANDLE im, const uint32_t* colors) QD_NOEXCEPT;
QD_EXPORT void qdIMSetPalette(IMHANDLE im, PMHANDLE palettes) QD_NOEXCEPT;
QD_EXPORT QDRECT qdIMSetDrawRect(IMHANDLE im, int32_t l, int32_t t, int32_t r,
                                 int32_t b) QD_NOEXCEPT;
QD_EXPORT void qdIMMoveDrawRect(IMHANDLE im, int32_t dx, int32_t dy) QD_NOEXCEPT;
QD_EXPORT QDRECT qdIMSetSelectedRect(IMHANDLE im, int32_t l, int32_t t, int32_t r,
                                     int32_t b) QD_NOEXCEPT;
QD_EXPORT void qdIMMoveSelectedRect(IMHANDLE im, int32_t dx, int32_t dy) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMIsInDefaultRect(IMHANDLE im, int32_t l, int32_t t, int32_t r,
                                      int32_t b) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMSelect(IMHANDLE im, int32_t on) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMIsSelected(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void qdIMChangePaletteName(IMHANDLE im, const char* name) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMDrawSelectedRect(IMHANDLE im, HDC hdc) QD_NOEXCEPT;
QD_EXPORT void qdIMDrawGraphicObject(IMHANDLE im, HDC hdc) QD_NOEXCEPT;
QD_EXPORT void qdIMDrawImage(IMHANDLE im, HDC hdc) QD_NOEXCEPT;
QD_EXPORT void qdIMDrawPixel(IMHANDLE im, HDC hdc, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMSetWindow(IMHANDLE im, int32_t x0, int32_t y0, int32_t x1,
                                int32_t y1) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMSetDefaultWindow(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMIsRgb(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMBmpVal(IMHANDLE im, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT void qdIMSetBmpVal(IMHANDLE im, int32_t x, int32_t y, int32_t level) QD_NOEXCEPT;
QD_EXPORT uint32_t qdIMBmpRgbVal(IMHANDLE im, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT void qdIMSetBmpRgbVal(IMHANDLE im, int32_t x, int32_t y, uint32_t rgb) QD_NOEXCEPT;
QD_EXPORT void qdIMDefaultRange(IMHANDLE im, int32_t quick) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMSetRealPixel(IMHANDLE im, int32_t x, int32_t y, double v) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMSetComplexPixel(IMHANDLE im, int32_t x, int32_t y, MTCOMPLEX v) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMSetRGBPixel(IMHANDLE im, int32_t x, int32_t y, uint32_t rgb) QD_NOEXCEPT;
QD_EXPORT void qdIMDrawRealLine(IMHANDLE im, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                double v) QD_NOEXCEPT;
QD_EXPORT void qdIMDrawComplexLine(IMHANDLE im, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                   MTCOMPLEX v) QD_NOEXCEPT;
QD_EXPORT void qdIMDrawRGBLine(IMHANDLE im, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                               uint32_t rgb) QD_NOEXCEPT;
QD_EXPORT void qdIMPrepareBitmap(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void qdIMChangeValueDomain(IMHANDLE im, double initial, double finalValue) QD_NOEXCEPT;
QD_EXPORT void qdIMSwapBytes(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void qdIMInverse(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void qdIMXMirror(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void qdIMYMirror(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void qdIMExchangeAxes(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void qdIMHistogram(IMHANDLE im, ARHANDLE ar, double min, double max,
                             int32_t count) QD_NOEXCEPT;
QD_EXPORT QDPOINT qdIMGetImagePoint(IMHANDLE im, int32_t wx, int32_t wy) QD_NOEXCEPT;
QD_EXPORT QDPOINT qdIMGetDrawPoint(IMHANDLE im, int32_t x, int32_t y) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMDrawRectContain(IMHANDLE im, int32_t wx, int32_t wy) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMGetBrightness(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void qdIMSetBrightness(IMHANDLE im, int32_t brightness) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMGetContrast(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void qdIMSetContrast(IMHANDLE im, int32_t contrast) QD_NOEXCEPT;
QD_EXPORT double qdIMGetInitialValue(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void qdIMSetInitialValue(IMHANDLE im, double v) QD_NOEXCEPT;
QD_EXPORT double qdIMGetFinalValue(IMHANDLE im) QD_NOEXCEPT;
QD_EXPORT void qdIMSetFinalValue(IMHANDLE im, double v) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMInsertComment(IMHANDLE im, const char* text) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMAddLineObject(IMHANDLE im, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                    uint32_t colour, int32_t width) QD_NOEXCEPT;
QD_EXPORT int32_t qdIMAddTextObject(IMHANDLE im, int32_t x, int32_t y, const char* text,
                                    const char* face, int32_t size, int32_t bold, int32_t italic,
                                    uint32_t colour) QD_NOEXCEPT;

/* ---- Colour models ----
 * hsi receives hue (radians, 0 <= H < 2 pi), saturation and intensity
 * (0 .. 1). qdHSI2RGB returns the colour 0x00RRGGBB and also stores it in
 * *rgb when rgb is not null. */
QD_EXPORT void qdRGB2HSI(int32_t rgb, float* hsi) QD_NOEXCEPT;
QD_EXPORT int32_t qdHSI2RGB(float h, float s, float i, int32_t* rgb) QD_NOEXCEPT;

/* ---- Spatial processing ----
 * Unlike the library functions these take no destination: every matrix
 * result is a new matrix owned by the plug-in. qdVoronoiDiagram and
 * qdTriangulation draw into the matrix they are given. */
QD_EXPORT MTHANDLE qdDuplicate2D(MTHANDLE src) QD_NOEXCEPT;
QD_EXPORT int32_t qdMinMaxReal2D(MTHANDLE src, double* min, double* max) QD_NOEXCEPT;
QD_EXPORT int32_t qdMinMaxImag2D(MTHANDLE src, double* min, double* max) QD_NOEXCEPT;
QD_EXPORT int32_t qdMinMaxNorm2D(MTHANDLE src, double* min, double* max) QD_NOEXCEPT;
QD_EXPORT int32_t qdSum2D(MTHANDLE src, double* sum) QD_NOEXCEPT;
QD_EXPORT int32_t qdMean2D(MTHANDLE src, double* mean, double* variance) QD_NOEXCEPT;
QD_EXPORT int32_t qdStatistics2D(MTHANDLE src, StatisticsRecord* stats) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdBinOp2D(MTHANDLE src, int32_t op, double value) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdImageMath2D(MTHANDLE a, MTHANDLE b, int32_t op) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdResize2D(MTHANDLE src, int32_t newWidth, int32_t newHeight) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdStRankFilter2D(MTHANDLE src, int32_t rank) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdStMedianFilter2D(MTHANDLE src) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdStDilation2D(MTHANDLE src) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdStErosion2D(MTHANDLE src) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdStEdgeDetect2D(MTHANDLE src) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdContour(MTHANDLE src) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdMedianFilter2D(MTHANDLE src, const MMKERNEL* kernel) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdErosion2D(MTHANDLE src, const MMKERNEL* kernel) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdDilation2D(MTHANDLE src, const MMKERNEL* kernel) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdClosing2D(MTHANDLE src, const MMKERNEL* kernel) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdOpening2D(MTHANDLE src, const MMKERNEL* kernel) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdTopHat2D(MTHANDLE src, const MMKERNEL* kernel) QD_NOEXCEPT;
QD_EXPORT int32_t qdFindObjects(MTHANDLE src, int32_t eight, int32_t dropBorder,
                                MTHANDLE* labels) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdVoronoiDiagram(MTHANDLE src, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdTriangulation(MTHANDLE src, MTHANDLE dst) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdSimpleConvolution2D(MTHANDLE src, int32_t N, const double* weights,
                                         double divisor) QD_NOEXCEPT;
QD_EXPORT int32_t qdThresholdPun(ARHANDLE hist) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdSkeletonize(MTHANDLE src) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdRealPart2D(MTHANDLE src) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdImaginaryPart2D(MTHANDLE src) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdMakeComplex2D(MTHANDLE re, MTHANDLE im) QD_NOEXCEPT;

/* ---- Fourier analysis ----
 * The 2-D transforms, filters and convolutions take no output matrix and
 * always return a new one. */
QD_EXPORT int32_t qdIsPowerOf2(int32_t n) QD_NOEXCEPT;
QD_EXPORT int32_t qdGetPowerOf2(int32_t n) QD_NOEXCEPT;
QD_EXPORT int32_t qdIsPowerOf2Rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) QD_NOEXCEPT;
QD_EXPORT void qdReduceToPowerOf2Rect(const QDPOINT* fixedPoint, QDPOINT* movingPoint) QD_NOEXCEPT;
QD_EXPORT ARHANDLE qdFft1D(ARHANDLE in, ARHANDLE out) QD_NOEXCEPT;
QD_EXPORT ARHANDLE qdIFft1D(ARHANDLE in, ARHANDLE out) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdFt2D(MTHANDLE in) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdIFt2D(MTHANDLE in) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdRealFt2D(MTHANDLE in) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdRealIFt2D(MTHANDLE in) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdAutoCorrelation2D(MTHANDLE in) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdLowPassFilter2D(MTHANDLE in, double cutoff) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdHighPassFilter2D(MTHANDLE in, double cutoff) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdBandPassFilter2D(MTHANDLE in, double lower, double upper) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdBWLowPassFilter2D(MTHANDLE in, double cutoff, int32_t order) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdBWHighPassFilter2D(MTHANDLE in, double cutoff, int32_t order) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdBWBandPassFilter2D(MTHANDLE in, double lower, double upper,
                                        int32_t order) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdConvolution2D(MTHANDLE in, int32_t size, const double* kernel,
                                   double divisor) QD_NOEXCEPT;
QD_EXPORT MTHANDLE qdDeconvolution2D(MTHANDLE in, int32_t size, const double* kernel,
                                     double divisor) QD_NOEXCEPT;

#ifdef __cplusplus
}
#endif

#endif
