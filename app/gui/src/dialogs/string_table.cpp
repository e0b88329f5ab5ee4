#include "string_table.h"

#include <iterator>

namespace qd {
namespace {

struct Entry {
    int id;
    const char* text;
};

const Entry kStrings[] = {
    {61446, "Width or Height should be greater than 0."},
    {61447, "Image dimension is not valid.\nProbably width or height is too large."},
    {61448, "Brightness should be integer value between -100 and 100."},
    {61449, "Contrast should be integer value between -100 and 100"},
    {61450, "Hue value should be integer value greater than -100 and less than 100."},
    {61451, "Saturation value should be integer value greater than -100 and less than 100."},
    {61452, "Intensity value should be integer value greater than -100 and less than 100."},
    {61453, "From value canot be greater than To value."},
    {61454, "Aspect ratio should be greater than zero."},
    {61455, "Weight should be non zero."},
    {61456, "Invalid kernel name."},
    {61457, "The number of kernel elements are not sufficient."},
    {61458, "convolution"},
    {61459, "You cannot modify selected kernel."},
    {61460, "erosion"},
    {61461, "Erosion"},
    {61462, "diation"},
    {61463, "opening"},
    {61464, "closing"},
    {61465, "top-hat"},
    {61466, "convolution"},
    {61467, "deconvolution"},
    {61468, "simple convolution"},
    {61469, "color convolution"},
    {61470, "simple color convolution"},
    {61471, "background subtraction"},
    {61472, "Power should be positive integer."},
    {61473, "Upper cutoff should be between 0 and 1."},
    {61474, "Lower cutoff should be between 0 and 1."},
    {61475, "Upper cutoff should be greater than lower cutoff."},
    {61476, "low pass"},
    {61477, "high pass"},
    {61478, "band pass"},
    {61479, "color low pass"},
    {61480, "color high pass"},
    {61481, "color band pass"},
    {61482, "median filter"},
    {61483, "Select wavelet"},
    {61484, "Wavelet Transformation"},
    {61485, "Inverse Wavelet Transformation"},
    {61486, "Selected images should have same dimension."},
    {61487, "Image Math"},
};

} // namespace

QString loadString(int id) {
    for (const Entry& e : kStrings)
        if (e.id == id) return QString::fromLatin1(e.text);
    return {};
}

} // namespace qd
