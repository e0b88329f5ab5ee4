#pragma once
// Image commands run through their menu actions, with dialogs answered
// through their widgets, and the matrices they give compared value for value.

#include "gui_fixture.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <functional>
#include <memory>

struct MatrixDeleter {
    void operator()(QDMatrix* m) const { MTDestroy(m); }
};
using Matrix = std::unique_ptr<QDMatrix, MatrixDeleter>;

struct ImageDeleter {
    void operator()(QDImage* im) const { IMDestroy(im); }
};
using Image = std::unique_ptr<QDImage, ImageDeleter>;

// Same type, size and every value (RGB, complex or real).
::testing::AssertionResult sameMatrix(MTHANDLE a, MTHANDLE b);

// A matrix of that type with a reproducible pseudo-random fill.
Matrix noiseMatrix(int w, int h, int type, unsigned seed = 1);

class CommandTest : public GuiTest {
  protected:
    // The item at menu and path ("Transform|X mirror"), or null.
    QAction* item(int menu, const QString& path) const;
    // The item's enabling after its menu asks the rules again.
    bool enabled(int menu, const QString& path) const;
    // Triggers the item with the dialogs answered by answer (OK is pressed
    // after it runs; an empty answer presses OK at once) and returns the
    // window it opened last, or null when none opened.
    CChildFrame* run(int menu, const QString& path, std::function<void(QDialog&)> answer = {});
    // Triggers the item with every dialog cancelled.
    CChildFrame* runCancelled(int menu, const QString& path);
    // Opens a window on a copy of m, rendered with the quick default range.
    CChildFrame* openMatrix(MTHANDLE m, const QString& title = {});
    void mdiActivate(CChildFrame* f) const;
    // The result window's lines.
    QStringList resultLines() const;

    static MTHANDLE dataOf(CChildFrame* f) { return IMGetDataHandle(f->view()->image()); }
    // fn on the source's selection, as the command is to call it.
    static Matrix onSelection(IMHANDLE im, const std::function<MTHANDLE(MTHANDLE)>& fn);
};

void pressOk(QDialog& d);
