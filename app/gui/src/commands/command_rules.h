#pragma once
// The enabling rules of the image commands, named once: each asks the active
// window's image (its element type or shape) or the open windows' counts.

class CQDView;

namespace qd {

using Rule = bool (*)(const CQDView&);

// The rule in words, for the command list; "any image" for none.
const char* ruleText(Rule rule);

namespace rules {

bool notRgb(const CQDView& v);
bool binary(const CQDView& v);
bool notBinary(const CQDView& v);
// Neither binary nor RGB.
bool grey(const CQDView& v);
// None of binary, 4-bit and RGB.
bool realGrey(const CQDView& v);
bool complex(const CQDView& v);
// Two bytes per element or more.
bool wide(const CQDView& v);
bool square(const CQDView& v);
// Some open image is not RGB.
bool anyNonRgbWindow(const CQDView& v);
// Some open image can give a colour channel: neither binary, 4-bit nor RGB.
bool channelSourceExists(const CQDView& v);

} // namespace rules
} // namespace qd
