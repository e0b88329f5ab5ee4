// The Analysis menu: statistics of the selection as result-window lines, and
// the objects of a binary image with their measurements.
#include "command_table.h"

#include "object_ident_dialog.h"
#include "platform.h"
#include "qd_app.h"

#include <qd/core/program_ops.h>
#include <qd/prcs.h>

namespace qd {
namespace {

enum class Lines { Sum, Mean, MinMax, All };

ImageCommand statistics(const char* path, Lines which) {
    return command(MenuAnalysis, path, rules::notRgb, [which](CommandRun& run) {
        StatisticsRecord s{};
        bool integer = false;
        const int32_t done = run.onSource(false, [&](IMHANDLE im) {
            MTHANDLE m = IMGetDataHandle(im);
            integer = MTIsInteger(m) != 0;
            return Statistics2D(m, &s);
        });
        if (!done) {
            run.reportFailure();
            return;
        }
        std::vector<std::string> lines;
        switch (which) {
        case Lines::Sum: lines = {sumLine(s.sum)}; break;
        case Lines::Mean: lines = {meanLine(s.mean, s.variance)}; break;
        case Lines::MinMax: lines = {minMaxLine(s.min, s.max, integer)}; break;
        case Lines::All: lines = statisticsLines(s, integer); break;
        }
        for (const std::string& line : lines) qdApp()->addResultLine(QString::fromStdString(line));
    });
}

void objectIdentification(CommandRun& run) {
    const std::optional<ObjectIdentValues> v = runObjectIdentDialog(run.parent());
    if (!v) return;
    ObjectTable table;
    run.onSource(false, [&](IMHANDLE im) {
        table = qd::identifyObjects(IMGetDataHandle(im), v->connectivity == 8, v->boundary != 0);
        return table.count;
    });
    if (table.count < 1) {
        if (run.outOfMemory()) run.reportFailure();
        else if (run.source()) messageBox(run.parent(), kNoObjectMessage, "Find Object", MbOk | MbIconInformation);
        return;
    }
    const QString title = "Objects of " + run.sourceName();
    if (!run.open(run.call([&] { return labelImage(table.labels, table.count, qdApp()->paletteManager()); }),
                  title))
        return;
    for (const std::string& line : objectTableLines(table.objects))
        qdApp()->addResultLine(QString::fromStdString(line));
}

} // namespace

void addAnalysisCommands(Commands& table) {
    table.push_back(statistics("Sum", Lines::Sum));
    table.push_back(statistics("Mean", Lines::Mean));
    table.push_back(statistics("Minimum/Maximum", Lines::MinMax));
    table.push_back(statistics("All", Lines::All));
    table.push_back(command(MenuAnalysis, "Object Analyses|Object Identification", rules::binary, objectIdentification));
}

} // namespace qd
