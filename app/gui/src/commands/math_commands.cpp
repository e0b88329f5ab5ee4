// Process, Math: a value applied to every element, and two images combined.
#include "command_table.h"

#include "image_math_sheet.h"
#include "qd_view.h"
#include "recorder/line_options.h"
#include "simple_math_dialog.h"

#include <QPointer>
#include <qd/prcs.h>

namespace qd {
namespace {

std::optional<MatrixPlan> simpleMath(CommandRun& run) {
    const std::optional<SimpleMathValues> v = runSimpleMathDialog(run.parent());
    if (!v) return std::nullopt;
    run.setLine({"--op", QString::number(v->op), "--value", lineNumber(v->value)});
    return MatrixPlan{[op = v->op, value = v->value](IMHANDLE im) {
                          return BinOp2D(IMGetDataHandle(im), op, value, nullptr);
                      },
                      {}};
}

std::optional<MatrixPlan> imageMath(CommandRun& run) {
    const std::optional<ImageMathResult> r = runImageMathSheet(run.parent(), run.view());
    if (!r) return std::nullopt;
    const QPointer<CQDView> first(r->first), second(r->second);
    run.setLine({"--op", QString::number(r->op)});
    run.setLineInputs({r->first->document(), r->second->document()});
    return MatrixPlan{[first, second, op = r->op](IMHANDLE) -> MTHANDLE {
                          if (!first || !second) return nullptr;
                          return ImageMath2D(IMGetDataHandle(first->image()), IMGetDataHandle(second->image()), op,
                                             nullptr);
                      },
                      r->display};
}

} // namespace

void addMathCommands(Commands& table) {
    add(table, newMatrixCommand(MenuProcess, "Math|Simple Math", rules::notRgb, {ResultDisplay::SourceType}, simpleMath),
        newImages("BinOp2D", "--op K --value V"));
    add(table,
        newMatrixCommand(MenuProcess, "Math|Image Math", rules::anyNonRgbWindow, {ResultDisplay::DefaultRange, true},
                         imageMath),
        {CliLine::Kind::NewImages, "ImageMath2D", {}, "--op K --display-type CODE [--range FROM,TO]", "FIRST SECOND"});
}

} // namespace qd
