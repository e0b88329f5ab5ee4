// The computations the program makes itself: grey scale, channels, the
// colours shown, statistics and background subtraction.
#include <qd/core/program_ops.h>

#include "op_helpers.h"
#include "report.h"

namespace qdcli {

void addProgramOperations(OperationTable& table) {
    table.push_back({.name = "greyscale",
                     .summary = "The grey levels an image shows, as a new image.",
                     .readsDisplay = true,
                     .display = Display::Own,
                     .prepare = [](const Call& call) -> Run {
                         IMHANDLE im = call.image();
                         return [im] { return Product(qd::greyScaleImage(im)); };
                     }});
    table.push_back({.name = "channel",
                     .summary = "One colour channel of the colours an image shows.",
                     .options = "--red|--green|--blue",
                     .readsDisplay = true,
                     .display = Display::Own,
                     .prepare = [](const Call& call) -> Run {
                         const Options& o = call.options;
                         if (o.flag("red") + o.flag("green") + o.flag("blue") != 1)
                             throw UsageError("give one of --red, --green and --blue");
                         const qd::ColourChannel channel = o.flag("red")     ? qd::ColourChannel::Red
                                                           : o.flag("green") ? qd::ColourChannel::Green
                                                                             : qd::ColourChannel::Blue;
                         IMHANDLE im = call.image();
                         PMHANDLE palettes = call.settings.palettes();
                         return [im, channel, palettes] {
                             return Product(qd::channelImage(im, channel, palettes));
                         };
                     }});
    table.push_back({.name = "makergb",
                     .summary = "The colours an image shows, as an RGB image.",
                     .wholeImage = true,
                     .readsDisplay = true,
                     .display = Display::Own,
                     .prepare = [](const Call& call) -> Run {
                         IMHANDLE im = call.image();
                         return [im] { return Product(qd::shownColourMatrix(im)); };
                     }});
    table.push_back({.name = "autothreshold",
                     .summary = "The binary image of the levels above the automatic threshold of the display histogram.",
                     .wholeImage = true,
                     .readsDisplay = true,
                     .display = Display::Own,
                     .prepare = [](const Call& call) -> Run {
                         IMHANDLE im = call.image();
                         return [im] { return Product(qd::autoThreshold(im)); };
                     }});
    table.push_back({.name = "threshold",
                     .summary = "The binary image of the display levels from the lower to the upper one.",
                     .options = "--lower L --upper U",
                     .wholeImage = true,
                     .readsDisplay = true,
                     .display = Display::Own,
                     .prepare = [](const Call& call) -> Run {
                         IMHANDLE im = call.image();
                         const int32_t lower = call.options.integer("lower");
                         const int32_t upper = call.options.integer("upper");
                         return [im, lower, upper] { return Product(qd::manualThreshold(im, lower, upper)); };
                     }});
    table.back().notes = {{"lower", "the lowest display level kept, 0 to 255"}, {"upper", "the highest display level kept, 0 to 255"}};
    table.push_back({.name = "objects",
                     .summary = "Labels the objects of a binary image and prints their measurements.",
                     .options = kConnectivityOptions,
                     .display = Display::Own,
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE m = call.matrix();
                         const Connectivity c = connectivityOf(call.options);
                         PMHANDLE palettes = call.settings.palettes();
                         return [m, c, palettes] {
                             if (MTGetFlags(m) != MT_BINARY) return refusedProduct("the image is not binary");
                             qd::ObjectTable table = qd::identifyObjects(m, c.eight, c.dropBorder);
                             if (table.count < 1) return refusedProduct(qd::kNoObjectMessage);
                             Product p(qd::labelImage(table.labels, table.count, palettes));
                             if (p.image) p.report = objectsReport(table.objects);
                             return p;
                         };
                     }});
    table.push_back({.name = "stats",
                     .summary = "Prints the statistics lines of the program's Analysis menu.",
                     .makesImage = false,
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE m = call.matrix();
                         return [m] { return allStatistics(m); };
                     }});
    table.push_back({.name = "bgsub",
                     .summary = "Subtracts the background that repeated erosions or dilations leave.",
                     .options = "--count M --operator erosion|dilation --kernel NAME | --weights ROWS",
                     .prepare = [](const Call& call) -> Run {
                         const int32_t count = call.options.integer("count");
                         if (count < 1) throw UsageError("--count must be 1 or more");
                         const std::string op = call.options.text("operator");
                         if (op != "erosion" && op != "dilation")
                             throw UsageError("--operator is erosion or dilation");
                         const MorphologyKernel kernel = call.settings.morphologyKernel(call.options);
                         MTHANDLE m = call.matrix();
                         const bool dilation = op == "dilation";
                         return [m, count, dilation, kernel] {
                             return Product(qd::backgroundSubtract(m, count, dilation, kernel.record()));
                         };
                     }});
}

} // namespace qdcli
