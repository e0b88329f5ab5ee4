// Process, Transform: mirrors, axis exchange, negative and byte swap, all in
// place. The document's flags stay as they were.
#include "command_table.h"

#include "qd_app.h"
#include "qd_doc.h"
#include "recorded_change.h"
#include "qd_view.h"

namespace qd {
namespace {

// Signed integers saturate on the way back (-128 gives 127, then 0), so
// their negative keeps the values it replaced; everything else is its own
// inverse.
bool negativeUndoesItself(int32_t type) { return type != MT_CHAR && type != MT_SHORT && type != MT_LONG; }

// refreshHistogram: the change moved the values, so the histogram window
// shows the view again.
ImageCommand transform(const char* path, Rule rule, void (*fn)(IMHANDLE) noexcept, bool refreshHistogram) {
    return inPlaceCommand(MenuProcess, path, rule, [fn, refreshHistogram, name = commandName(path)](CommandRun& run) {
        IMHANDLE im = run.source();
        CQDDoc* doc = run.document();
        MTHANDLE data = IMGetDataHandle(im);
        if (fn != IMInverse || negativeUndoesItself(MTGetFlags(data))) recordedInvolution(*doc, name, fn);
        else recordedChange(*doc, name, wholeMatrix(data), [fn, im] { fn(im); });
        run.setLine();
        if (refreshHistogram) qdApp()->notifyActiveView(run.view());
        run.view()->update();
    });
}

} // namespace

void addTransformCommands(Commands& table) {
    add(table, transform("Transform|X mirror", nullptr, IMXMirror, false), inPlaceLine("xmirror"));
    add(table, transform("Transform|Y mirror", nullptr, IMYMirror, false), inPlaceLine("ymirror"));
    add(table, transform("Transform|Exchange Axes", rules::square, IMExchangeAxes, false), inPlaceLine("exchangeaxes"));
    add(table, transform("Transform|Negative", nullptr, IMInverse, true), inPlaceLine("negative"));
    add(table, transform("Transform|Byte swap", rules::wide, IMSwapBytes, true), inPlaceLine("byteswap"));
}

} // namespace qd
