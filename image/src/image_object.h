// The image object behind IMHANDLE. One implementation; each export is a
// one-line call into it.
#pragma once

#include <cstddef>
#include <cstdint>

#include <qd/image.h>

struct QDImage {
    // Members, all owned by the image.
    IMHEADER header{};
    MTHANDLE data = nullptr;
    MTHANDLE bitmap = nullptr;
    ARHANDLE histogram = nullptr; // null for RGB images
    QDBITMAPFILEHEADER fileHeader{};
    QDBITMAPINFO info{};
    GMHANDLE objects = nullptr;
    QDRECT drawRect{};
    QDRECT defaultRect{};
    QDRECT selectedRect{};
    // Origin of the data window last set through this image; line drawing
    // keeps its points inside the matrix with it.
    int32_t windowX = 0;
    int32_t windowY = 0;

    QDImage() = default;
    QDImage(const QDImage&) = delete;
    QDImage& operator=(const QDImage&) = delete;
    ~QDImage();

    // Creation (image_create.cpp).
    static QDImage* create(MTHANDLE mt);
    bool makeHeaderFor(MTHANDLE mt);
    MTHANDLE setDataHandle(MTHANDLE mt);
    void writeDefaultPalette();
    void terminateTexts();

    // Kind of image.
    int32_t type() const { return header.DataType; }
    bool isRgb() const { return header.DataType == MT_RGB; }
    int32_t width() const { return header.Width; }
    int32_t height() const { return header.Height; }
    int32_t paletteColors() const;
    int32_t bitsPerPixel() const;

    // Bitmap (bitmap_layout.cpp).
    int32_t bitmapWidth(int32_t w) const;
    bool setBmpBitMemory();
    void setAllBmpStruct();
    int32_t bmpVal(int32_t x, int32_t y) const;
    void setBmpVal(int32_t x, int32_t y, int32_t level);
    uint32_t bmpRgbVal(int32_t x, int32_t y) const;
    void setBmpRgbVal(int32_t x, int32_t y, uint32_t rgb);

    // Rendering (render.cpp, default_range.cpp, colour_table.cpp).
    double range() const { return header.FinalValue - header.InitialValue; }
    void prepareBitmap();
    void defaultRange(bool quick);
    void setPalette(PMHANDLE palettes);
    uint32_t tableColor(int32_t level) const;

    // Pixel setters (values.cpp).
    int32_t setRealPixel(int32_t x, int32_t y, double v);
    int32_t setComplexPixel(int32_t x, int32_t y, MTCOMPLEX v);
    int32_t setRgbPixel(int32_t x, int32_t y, uint32_t rgb);

    // Geometry (geometry.cpp).
    bool isSelected() const;
    QDRECT imageRect() const;
    void magnification(int32_t& reduction, int32_t& enlargement) const;
    QDRECT selectedRectOnImage() const;
    int32_t setWindow(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
    int32_t setDefaultWindow();
    int32_t select(bool on);

    // Drawing (draw.cpp, overlay.cpp).
    void drawImage(HDC hdc);
    void drawPixel(HDC hdc, int32_t x, int32_t y) const;
    int32_t drawSelectedRect(HDC hdc) const;
    void drawGraphicObjects(HDC hdc);
    int32_t addObject(GOHANDLE obj);

    // Native files and raw import, defined in image_file.cpp.
    static QDImage* createFromFile(const char* path);
    int32_t readFile(const char* path);
    int32_t importFile(const char* path, int64_t offset);
    int32_t writeFile(const char* path);
};

namespace qd::image {

// Copies text into a header field of `size` bytes, cut to size - 1
// characters, and clears every byte behind it.
void copyText(char* field, size_t size, const char* text);

// Length of a header text, never reading past its field.
size_t textLength(const char* field, size_t size);

// Double to int32 truncated toward zero; NaN gives 0, beyond the range
// saturates.
inline int32_t truncToInt(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(v);
}

inline uint32_t rgbOf(const QDRGBQUAD& q) {
    return (uint32_t(q.rgbRed) << 16) | (uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
}

} // namespace qd::image
