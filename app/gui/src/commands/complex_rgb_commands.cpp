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
    for (const char* c : {"--red", "--green", "--blue"}) run.setLine({c});
    for (ColourChannel c : {ColourChannel::Red, ColourChannel::Green, ColourChannel::Blue})
        if (!run.open(run.onSource(false, channel(c)))) return;
}

void makeComplex(CommandRun& run) {
    const std::optional<MakeComplexResult> r = runMakeComplexDialog(run.parent());
    if (!r) return;
    const QPointer<CQDView> re(r->real), im(r->imaginary);
    run.setLine();
    run.setLineInputs({r->real->document(), r->imaginary->document()});
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
    run.setLine();
    run.setLineInputs({r->red->document(), r->green->document(), r->blue->document()});
    run.open(run.call([&]() -> IMHANDLE {
        if (!chosenImage(red) || !chosenImage(green) || !chosenImage(blue)) return nullptr;
        return ColorMakeRGB2D(chosenImage(red), chosenImage(green), chosenImage(blue), nullptr);
    }));
}

} // namespace

void addComplexAndRgbCommands(Commands& table) {
    add(table,
        newMatrixCommand(MenuProcess, "Complex|Real Part", rules::complex, {ResultDisplay::RealLog}, onData(RealPart2D)),
        newImages("RealPart2D"));
    add(table,
        newMatrixCommand(MenuProcess, "Complex|Imaginary Part", rules::complex, {ResultDisplay::RealLog},
                         onData(ImaginaryPart2D)),
        newImages("ImaginaryPart2D"));
    add(table, command(MenuProcess, "Complex|Make Complex", rules::anyNonRgbWindow, makeComplex),
        {CliLine::Kind::NewImages, "MakeComplex2D", {}, "", "REAL IMAGINARY"});

    add(table,
        newMatrixCommand(MenuProcess, "RGB|Make RGB", rules::notBinary, {ResultDisplay::Own, true}, shownColourMatrix),
        newImages("makergb"));
    add(table, newImageCommand(MenuProcess, "RGB|Red Channel", rules::notBinary, channel(ColourChannel::Red)),
        newImages("channel", "", {"--red"}));
    add(table, newImageCommand(MenuProcess, "RGB|Green Channel", rules::notBinary, channel(ColourChannel::Green)),
        newImages("channel", "", {"--green"}));
    add(table, newImageCommand(MenuProcess, "RGB|Blue Channel", rules::notBinary, channel(ColourChannel::Blue)),
        newImages("channel", "", {"--blue"}));
    add(table, command(MenuProcess, "RGB|Split All", rules::notBinary, splitAll),
        newImages("channel", "--red|--green|--blue"));
    add(table, command(MenuProcess, "RGB|Combine RGB", rules::channelSourceExists, combineRgb),
        {CliLine::Kind::NewImages, "ColorMakeRGB2D", {}, "", "RED GREEN BLUE"});
}

} // namespace qd
