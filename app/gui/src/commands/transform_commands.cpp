// Process, Transform: mirrors, axis exchange, negative and byte swap, all in
// place. The document's flags stay as they were.
#include "command_table.h"

#include "qd_app.h"
#include "qd_view.h"

namespace qd {
namespace {

// refreshHistogram: the change moved the values, so the histogram window
// shows the view again.
ImageCommand transform(const char* path, Rule rule, void (*fn)(IMHANDLE) noexcept, bool refreshHistogram) {
    return inPlaceCommand(MenuProcess, path, rule, [fn, refreshHistogram](CommandRun& run) {
        fn(run.source());
        if (refreshHistogram) qdApp()->notifyActiveView(run.view());
        run.view()->update();
    });
}

} // namespace

void addTransformCommands(Commands& table) {
    table.push_back(transform("Transform|X mirror", nullptr, IMXMirror, false));
    table.push_back(transform("Transform|Y mirror", nullptr, IMYMirror, false));
    table.push_back(transform("Transform|Exchange Axes", rules::square, IMExchangeAxes, false));
    table.push_back(transform("Transform|Negative", nullptr, IMInverse, true));
    table.push_back(transform("Transform|Byte swap", rules::wide, IMSwapBytes, true));
}

} // namespace qd
