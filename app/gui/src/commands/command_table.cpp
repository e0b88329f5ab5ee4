#include "command_table.h"

#include "child_frame.h"
#include "kernel_sheet.h"
#include "qd_doc.h"
#include "qd_view.h"
#include "recorder/line_options.h"
#include "recorder/recorder.h"

#include <memory>

namespace qd {

QString commandName(const QString& path) { return path.section('|', -1); }

MatrixCall onData(MTHANDLE (*fn)(MTHANDLE, MTHANDLE)) {
    return [fn](IMHANDLE im) { return fn(IMGetDataHandle(im), nullptr); };
}

MatrixDialog weightsDialog(int captionId, const char* section, WeightsFn fn) {
    return [captionId, section, fn](CommandRun& run) -> std::optional<MatrixPlan> {
        std::optional<KernelChoice> choice = runKernelSheet(run.parent(), captionId, section);
        if (!choice) return std::nullopt;
        run.setLine(kernelOptions(choice->kernel));
        // Shared, so that copies of the call keep the weights alive.
        auto k = std::make_shared<ConvKernelData>(std::move(choice->kernel));
        return MatrixPlan{[k, fn](IMHANDLE im) {
                              return fn(IMGetDataHandle(im), k->n, k->weights.data(), k->divisor, nullptr);
                          },
                          {}};
    };
}

void add(Commands& table, ImageCommand command, CliLine line) {
    command.line = std::move(line);
    table.push_back(std::move(command));
}

ImageCommand command(int menu, const char* path, Rule rule, std::function<void(CommandRun&)> body) {
    const QString p = QString::fromLatin1(path);
    ImageCommand c{menu, p, {}, [name = commandName(p), body = std::move(body)](CChildFrame& f, const CliLine& line) {
                       CommandRun run(f, name);
                       body(run);
                       Recorder::instance().record(run, line);
                   }};
    if (rule) c.enabled = rule;
    c.rule = ruleText(rule);
    return c;
}

ImageCommand newMatrixCommand(int menu, const char* path, Rule rule, NewMatrix how, MatrixDialog dialog) {
    return command(menu, path, rule, [how, dialog = std::move(dialog)](CommandRun& run) {
        const std::optional<MatrixPlan> plan = dialog(run);
        if (!plan) return;
        MTHANDLE result = run.onSource(how.wholeImage, plan->call);
        if (!run.line().set) run.setLine();
        if (plan->display) {
            run.setLineDisplay(*plan->display);
            run.openMatrix(result, *plan->display);
            return;
        }
        const QString title = how.titlePrefix ? how.titlePrefix + run.sourceName() : QString();
        run.openMatrix(result, how.display, title);
    });
}

ImageCommand newMatrixCommand(int menu, const char* path, Rule rule, NewMatrix how, MatrixCall call) {
    return newMatrixCommand(menu, path, rule, how,
                            [call = std::move(call)](CommandRun&) { return MatrixPlan{call, {}}; });
}

ImageCommand newImageCommand(int menu, const char* path, Rule rule, ImageDialog dialog) {
    return command(menu, path, rule, [dialog = std::move(dialog)](CommandRun& run) {
        const std::optional<ImageCall> call = dialog(run);
        if (!call) return;
        if (!run.line().set) run.setLine();
        run.open(run.onSource(false, *call));
    });
}

ImageCommand newImageCommand(int menu, const char* path, Rule rule, ImageCall call) {
    return newImageCommand(menu, path, rule,
                           [call = std::move(call)](CommandRun&) { return std::optional<ImageCall>(call); });
}

ImageCommand inPlaceCommand(int menu, const char* path, Rule rule, std::function<void(CommandRun&)> body) {
    ImageCommand c = command(menu, path, rule, std::move(body));
    c.enabled = [rule](const CQDView& v) { return !v.document()->inUse() && (!rule || rule(v)); };
    c.rule += ", while no other command reads the image";
    return c;
}

} // namespace qd
