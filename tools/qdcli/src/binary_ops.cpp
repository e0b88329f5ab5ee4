// Thresholding, binary shape, object identification and measurement.
#include <qd/prcs.h>

#include <qd/core/program_ops.h>

#include "op_helpers.h"
#include "report.h"

namespace qdcli {

void addBinaryOperations(OperationTable& table) {
    table.push_back({.name = "ThresholdPun",
                     .summary = "Prints the automatic threshold of the image's display histogram.",
                     .wholeImage = true,
                     .makesImage = false,
                     .readsDisplay = true,
                     .prepare = [](const Call& call) -> Run {
                         // The threshold of the image's display histogram, as
                         // the program's automatic threshold takes it.
                         ARHANDLE histogram = IMGetHistogramHandle(call.image());
                         return [histogram] {
                             if (!histogram) return refusedProduct("an RGB image has no display histogram");
                             const int32_t t = ThresholdPun(histogram);
                             Product p;
                             p.report = {{"threshold : " + std::to_string(t)},
                                         JsonObject().whole("threshold", t).str()};
                             return p;
                         };
                     }});
    table.push_back(plainOperation("Contour", "Outlines the objects of a binary image.", Contour));
    table.push_back(plainOperation("Skeletonize", "Thins the objects of a binary image to lines one pixel wide.", Skeletonize));
    Operation triangulation = plainOperation("Triangulation", "Draws the triangulation between the points of a binary image.", Triangulation);
    triangulation.wholeImage = true;
    table.push_back(triangulation);
    Operation voronoi = plainOperation("VoronoiDiagram", "Draws the Voronoi diagram of the points of a binary image.", VoronoiDiagram);
    voronoi.wholeImage = true;
    table.push_back(voronoi);
    table.push_back({.name = "FindObjects",
                     .summary = "Labels the connected objects of a binary image and prints their count.",
                     .options = kConnectivityOptions,
                     .prepare = [](const Call& call) -> Run {
                         MTHANDLE m = call.matrix();
                         const Connectivity c = connectivityOf(call.options);
                         return [m, c] {
                             MTHANDLE labels = nullptr;
                             const int32_t n = FindObjects(m, c.eight, c.dropBorder, &labels);
                             Product p(labels);
                             if (labels)
                                 p.report = {{qd::objectCountLine(n)},
                                             JsonObject().whole("count", n).str()};
                             return p;
                         };
                     }});
    table.push_back({.name = "ObjectProperty",
                     .summary = "Measures every object of a label image and prints the object table.",
                     .options = kConnectivityOptions,
                     .makesImage = false,
                     .prepare = [](const Call& call) -> Run {
                         // Objects 1 .. the largest label of the label image.
                         MTHANDLE labels = call.matrix();
                         const Connectivity c = connectivityOf(call.options);
                         return [labels, c] {
                             if (MTGetFlags(labels) != MT_USHORT)
                                 return refusedProduct("a label image is of type ushort");
                             double min = 0, max = 0;
                             MinMaxReal2D(labels, &min, &max);
                             std::vector<ObjectPropertyRecord> objects(size_t(max > 0 ? max : 0));
                             if (!objects.empty())
                                 ObjectProperty(labels, int32_t(objects.size()), c.eight, c.dropBorder, objects.data());
                             Product p;
                             p.report = objectsReport(objects);
                             return p;
                         };
                     }});
}

} // namespace qdcli
