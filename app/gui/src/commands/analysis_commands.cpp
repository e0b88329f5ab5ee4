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

void statistics(Commands& table, const char* path, Lines which, const char* operation) {
    add(table, command(MenuAnalysis, path, rules::notRgb, [which](CommandRun& run) {
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
        run.setLine();
        std::vector<std::string> lines;
        switch (which) {
        case Lines::Sum: lines = {sumLine(s.sum)}; break;
        case Lines::Mean: lines = {meanLine(s.mean, s.variance)}; break;
        case Lines::MinMax: lines = {minMaxLine(s.min, s.max, integer)}; break;
        case Lines::All: lines = statisticsLines(s, integer); break;
        }
        for (const std::string& line : lines) qdApp()->addResultLine(QString::fromStdString(line));
    }), reportLine(operation));
}

void objectIdentification(CommandRun& run) {
    const std::optional<ObjectIdentValues> v = runObjectIdentDialog(run.parent());
    if (!v) return;
    QStringList options;
    if (v->connectivity == 8) options << "--eight";
    if (v->boundary) options << "--drop-border";
    run.setLine(options);
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
    statistics(table, "Sum", Lines::Sum, "Sum2D");
    statistics(table, "Mean", Lines::Mean, "Mean2D");
    statistics(table, "Minimum/Maximum", Lines::MinMax, "MinMaxReal2D");
    statistics(table, "All", Lines::All, "stats");
    add(table, command(MenuAnalysis, "Object Analyses|Object Identification", rules::binary, objectIdentification),
        newImages("objects", "[--eight] [--drop-border]"));
}

} // namespace qd
