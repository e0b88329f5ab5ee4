// Process, Complex and Process, RGB: parts of complex images, complex images
// from two, colour channels and RGB images from what palette images show.
#include "command_table.h"

#include "make_complex_dialog.h"
#include "make_rgb_dialog.h"
#include "qd_app.h"
#include "qd_view.h"

#include <QPointer>
#include <qd/colorprcs.h>
#include <qd/core/program_ops.h>
#include <qd/prcs.h>

namespace qd {
namespace {

// The image of a view the dialog chose, unless its window went meanwhile.
IMHANDLE chosenImage(const QPointer<CQDView>& view) { return view ? view->image() : nullptr; }

ImageCall channel(ColourChannel c) {
    return [c](IMHANDLE im) { return channelImage(im, c, qdApp()->paletteManager()); };
}

void splitAll(CommandRun& run) {
    for (ColourChannel c : {ColourChannel::Red, ColourChannel::Green, ColourChannel::Blue})
        if (!run.open(run.onSource(false, channel(c)))) return;
}

void makeComplex(CommandRun& run) {
    const std::optional<MakeComplexResult> r = runMakeComplexDialog(run.parent());
    if (!r) return;
    const QPointer<CQDView> re(r->real), im(r->imaginary);
    MTHANDLE result = run.call([&]() -> MTHANDLE {
        if (!chosenImage(re) || !chosenImage(im)) return nullptr;
        return MakeComplex2D(IMGetDataHandle(chosenImage(re)), IMGetDataHandle(chosenImage(im)), nullptr);
    });
    run.openMatrix(result, ResultDisplay::ModulusLog);
}

void combineRgb(CommandRun& run) {
    const std::optional<MakeRgbResult> r = runMakeRgbDialog(run.parent());
    if (!r) return;
    const QPointer<CQDView> red(r->red), green(r->green), blue(r->blue);
    run.open(run.call([&]() -> IMHANDLE {
        if (!chosenImage(red) || !chosenImage(green) || !chosenImage(blue)) return nullptr;
        return ColorMakeRGB2D(chosenImage(red), chosenImage(green), chosenImage(blue), nullptr);
    }));
}

} // namespace

void addComplexAndRgbCommands(Commands& table) {
    table.push_back(newMatrixCommand(MenuProcess, "Complex|Real Part", rules::complex, {ResultDisplay::RealLog},
                                     onData(RealPart2D)));
    table.push_back(newMatrixCommand(MenuProcess, "Complex|Imaginary Part", rules::complex,
                                     {ResultDisplay::RealLog}, onData(ImaginaryPart2D)));
    table.push_back(command(MenuProcess, "Complex|Make Complex", rules::anyNonRgbWindow, makeComplex));

    table.push_back(newMatrixCommand(MenuProcess, "RGB|Make RGB", rules::notBinary,
                                     {ResultDisplay::Own, true}, shownColourMatrix));
    table.push_back(newImageCommand(MenuProcess, "RGB|Red Channel", rules::notBinary, channel(ColourChannel::Red)));
    table.push_back(
        newImageCommand(MenuProcess, "RGB|Green Channel", rules::notBinary, channel(ColourChannel::Green)));
    table.push_back(newImageCommand(MenuProcess, "RGB|Blue Channel", rules::notBinary, channel(ColourChannel::Blue)));
    table.push_back(command(MenuProcess, "RGB|Split All", rules::notBinary, splitAll));
    table.push_back(command(MenuProcess, "RGB|Combine RGB", rules::channelSourceExists, combineRgb));
}

} // namespace qd
