#include "command_rules.h"

#include "qd_app.h"
#include "qd_view.h"

#include <utility>

namespace qd::rules {
namespace {

int typeOf(const CQDView& v) { return MTGetFlags(IMGetDataHandle(v.image())); }

} // namespace

bool notRgb(const CQDView& v) { return typeOf(v) != MT_RGB; }
bool binary(const CQDView& v) { return typeOf(v) == MT_BINARY; }
bool notBinary(const CQDView& v) { return typeOf(v) != MT_BINARY; }
bool grey(const CQDView& v) { return notBinary(v) && notRgb(v); }
bool realGrey(const CQDView& v) { return grey(v) && typeOf(v) != MT_4BITS; }
bool complex(const CQDView& v) { return typeOf(v) == MT_COMPLEX8 || typeOf(v) == MT_COMPLEX16; }
bool wide(const CQDView& v) { return typeOf(v) > 15; }

bool square(const CQDView& v) {
    return IMGetImageWidth(v.image()) == IMGetImageHeight(v.image());
}

bool anyNonRgbWindow(const CQDView&) {
    const ImageRegistry& r = qdApp()->registry();
    return r.count() - r.rgbCount() > 0;
}

bool channelSourceExists(const CQDView&) {
    const ImageRegistry& r = qdApp()->registry();
    return r.count() - r.binaryCount() - r.fourBitCount() - r.rgbCount() > 0;
}

} // namespace qd::rules

namespace qd {

const char* ruleText(Rule rule) {
    static const std::pair<Rule, const char*> texts[] = {
        {rules::notRgb, "not RGB"},
        {rules::binary, "binary"},
        {rules::notBinary, "not binary"},
        {rules::grey, "neither binary nor RGB"},
        {rules::realGrey, "none of binary, 4-bit and RGB"},
        {rules::complex, "complex"},
        {rules::wide, "two bytes per element or more"},
        {rules::square, "square"},
        {rules::anyNonRgbWindow, "some open image is not RGB"},
        {rules::channelSourceExists, "some open image is none of binary, 4-bit and RGB"},
    };
    for (const auto& [r, text] : texts)
        if (r == rule) return text;
    return rule ? "its own rule" : "any image";
}

} // namespace qd
