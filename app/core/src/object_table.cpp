// Object identification: labels, measurements, the label image and the
// result-window table.
#include <qd/core/program_ops.h>

#include <cstdio>
#include <cstring>
#include <new>

namespace qd {

ObjectTable identifyObjects(MTHANDLE binary, bool eight, bool dropBorder) {
    ObjectTable table;
    table.count = FindObjects(binary, eight, dropBorder, &table.labels);
    if (table.count < 1) {
        if (table.labels) MTDestroy(table.labels);
        table.labels = nullptr;
        table.count = 0;
        return table;
    }
    try {
        table.objects.resize(size_t(table.count));
    } catch (const std::bad_alloc&) {
        MTDestroy(table.labels);
        return ObjectTable{};
    }
    ObjectProperty(table.labels, table.count, eight, dropBorder, table.objects.data());
    return table;
}

IMHANDLE labelImage(MTHANDLE labels, int32_t count, PMHANDLE palettes) {
    IMHANDLE im = IMCreateFromMatrix(labels);
    if (!im) {
        MTDestroy(labels);
        return nullptr;
    }
    IMSetInitialValue(im, 0.0);
    IMSetFinalValue(im, 256.0);
    IMChangePaletteName(im, "Separate (256)");
    IMSetPalette(im, palettes);
    std::vector<uint8_t> named;
    try {
        named.assign(size_t(count) + 1, 0);
    } catch (const std::bad_alloc&) {
        IMDestroy(im);
        return nullptr;
    }
    const int32_t w = MTGetWidth(labels), h = MTGetHeight(labels);
    int32_t found = 0;
    auto name = [&](int32_t k, int32_t x, int32_t y) {
        if (k < 1 || k > count || named[size_t(k)]) return;
        named[size_t(k)] = 1;
        ++found;
        char text[16];
        std::snprintf(text, sizeof text, "%d", k);
        IMAddTextObject(im, x, y, text, "Arial", 12, 0, 0, 0x00FFFF);
    };
    // Labels come as 16-bit values; their rows are read directly, a pixel
    // at a time through the accessor would cost more than the labelling.
    // Only the first pixel of a run can be the first of its label.
    const bool direct = MTGetFlags(labels) == MT_USHORT;
    int32_t x0 = 0, y0 = 0;
    MTGetWindowOrigin(labels, &x0, &y0);
    auto* const* rows = reinterpret_cast<const uint16_t* const*>(MTGetMatrixPointer(labels));
    for (int32_t y = h - 1; y >= 0 && found < count; --y) {
        if (!direct) {
            for (int32_t x = 0; x < w; ++x) name(MTRealInt(labels, x, y), x, y);
            continue;
        }
        const uint16_t* row = rows[y0 + y] + x0;
        for (int32_t x = 0; x < w;) {
            // Most of an image is background: pass it four labels at a time.
            for (uint64_t four; x + 4 <= w && (std::memcpy(&four, row + x, sizeof four), four == 0);) x += 4;
            if (x >= w) break;
            const uint16_t k = row[x];
            if (k != 0) name(k, x, y);
            while (x < w && row[x] == k) ++x;
        }
    }
    IMPrepareBitmap(im);
    return im;
}

std::string objectCountLine(int32_t count) {
    return "The number of identified objects is " + std::to_string(count) + ".";
}

std::vector<std::string> objectTableLines(const std::vector<ObjectPropertyRecord>& objects) {
    char line[512];
    std::vector<std::string> lines = {objectCountLine(int32_t(objects.size()))};
    lines.emplace_back("Object\tArea\tPerimeter\tAngle\tMajor Axis\tMinor Axis\tnumber of holes\tRg");
    double area = 0, perimeter = 0;
    long long holes = 0;
    for (size_t i = 0; i < objects.size(); ++i) {
        const ObjectPropertyRecord& o = objects[i];
        std::snprintf(line, sizeof line, "%d\t%e\t%e\t%e\t%e\t%e\t%d\t%e", int(i + 1), o.area, o.perimeter,
                      o.angle * kDegreesPerRadian, o.majorAxis, o.minorAxis, o.holes, o.Rg);
        lines.emplace_back(line);
        area += o.area;
        perimeter += o.perimeter;
        holes += o.holes;
    }
    std::snprintf(line, sizeof line, "Total\t%e\t%e\t\t\t\t%lld", area, perimeter, holes);
    lines.emplace_back(line);
    return lines;
}

} // namespace qd
