// The Image menu: display type, palette, grey scale, resize, duplicate and
// the image's header information.
#include "command_table.h"

#include "dialog_values.h"
#include "display_type_dialog.h"
#include "image_info_dialog.h"
#include "palette_dialog.h"
#include "qd_app.h"
#include "qd_doc.h"
#include "recorded_change.h"
#include "qd_view.h"
#include "recorder/line_options.h"
#include "resize_dialog.h"

#include <qd/core/program_ops.h>
#include <qd/prcs.h>

namespace qd {
namespace {

// The size of the source's current window: its selection when it has one.
QSize selectionSize(IMHANDLE im) {
    IMSelect(im, 1);
    MTHANDLE m = IMGetDataHandle(im);
    const QSize size(MTGetWidth(m), MTGetHeight(m));
    IMSelect(im, 0);
    return size;
}

void changeDisplayType(CommandRun& run) {
    IMHANDLE im = run.source();
    const std::optional<DisplayTypeResult> r = runDisplayTypeDialog(run.parent(), im);
    if (!r || !run.source()) return;
    QStringList options{"--display-type", QString::number(r->drawType)};
    if (!r->defaultRange) options << "--range" << lineNumber(r->from) + ',' + lineNumber(r->to);
    run.setLine(options);
    recordedChange(*run.document(), "Change Display Type", {}, [&] {
        IMSetDrawType(im, r->drawType);
        if (r->defaultRange) {
            IMDefaultRange(im, 0);
        } else {
            IMSetInitialValue(im, r->from);
            IMSetFinalValue(im, r->to);
        }
        IMPrepareBitmap(im);
    });
    qdApp()->notifyActiveView(run.view());
    run.view()->update();
}

void changePalette(CommandRun& run) {
    IMHANDLE im = run.source();
    PMHANDLE palettes = qdApp()->paletteManager();
    const std::optional<QString> name = runPaletteDialog(run.parent(), im, palettes);
    if (!name || !run.source()) return;
    run.setLine({"--palette", *name});
    recordedChange(*run.document(), "Change Palette", {}, [&] {
        IMChangePaletteName(im, toFieldBytes(*name, 127).constData());
        IMSetPalette(im, palettes);
    });
    qdApp()->notifyActiveView(run.view());
    run.view()->update();
}

} // namespace

void addImageMenuCommands(Commands& table) {
    add(table, inPlaceCommand(MenuImage, "Change Display Type", rules::realGrey, changeDisplayType),
        inPlaceLine("convert", "--display-type CODE [--range FROM,TO]"));
    add(table, inPlaceCommand(MenuImage, "Change Palette", rules::notRgb, changePalette),
        inPlaceLine("palette", "--palette NAME"));
    add(table, newImageCommand(MenuImage, "Grey Scale", rules::notBinary, greyScaleImage), newImages("greyscale"));
    add(table, newMatrixCommand(
        MenuImage, "Resize", nullptr, {ResultDisplay::CopyRange},
        [](CommandRun& run) -> std::optional<MatrixPlan> {
            const QSize size = selectionSize(run.source());
            const std::optional<ResizeValues> r = runResizeDialog(run.parent(), size.width(), size.height());
            if (!r) return std::nullopt;
            run.setLine({"--width", QString::number(r->width), "--height", QString::number(r->height)});
            return MatrixPlan{[w = r->width, h = r->height](IMHANDLE im) {
                                  return Resize2D(IMGetDataHandle(im), w, h, nullptr);
                              },
                              {}};
        }),
        newImages("Resize2D", "--width W --height H"));
    add(table, newMatrixCommand(MenuImage, "Duplicate", nullptr, {ResultDisplay::CopyRange}, onData(Duplicate2D)),
        newImages("Duplicate2D"));
    add(table, command(MenuImage, "Image info", nullptr,
                       [](CommandRun& run) {
                           run.setLine();
                           runImageInfoDialog(run.parent(), run.source());
                       }),
        reportLine("info"));
}

} // namespace qd
