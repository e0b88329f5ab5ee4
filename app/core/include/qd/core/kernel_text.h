#pragma once

// How kernels read as text in the kernel page and its editors, and how the
// editors' text is read back. Texts are bytes in the Western code page; line
// ends are "\r\n" as written, "\n" or "\r\n" when read.

#include <qd/prcs.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qd {

// A kernel name fills a 128-byte field with its NUL.
constexpr size_t kKernelNameChars = 127;
// The editor reads each line of the entries box up to this many characters.
constexpr size_t kKernelLineChars = 512;
// What the divisor field takes when typed.
constexpr int kKernelDivisorChars = 10;
// A smaller divisor (in magnitude) is refused.
constexpr double kMinKernelDivisor = 1e-10;
// The sizes the "New" editors offer: odd, from 3 while below 64.
constexpr int32_t kMinNewKernelDim = 3;
constexpr int32_t kMaxNewKernelDim = 63;

// "%d X %d".
std::string kernelDimText(int32_t n);
// The number before the first blank of a dimension text; 0 when there is none.
int32_t kernelDimFromText(std::string_view text);

// What the page shows: rows of "%.0f  " (morphology "%d  ") separated by
// "\r\n", and the divisor as "%.0f".
std::string kernelEntriesText(const CONVKERNEL& kernel);
std::string kernelEntriesText(const MMKERNEL& kernel);
std::string kernelDivisorText(double divisor);

// What the editors show. Whole numbers look as in the page; a fractional
// value is written with the shortest text that reads back as the same
// double, so that confirming an editor without retyping keeps the kernel.
std::string editorValueText(double value);
std::string editorEntriesText(const CONVKERNEL& kernel);
std::string editorDivisorText(double divisor);

// A new kernel's box: n lines of n "0  ", each ended by "\r\n".
std::string blankKernelText(int32_t n);

// The entries box read line by line: the first n lines must each give n
// entries (blanks and tabs separate them, extra ones are ignored). An entry
// that is not a number ends its line, so the line comes up short; a short
// line gives nothing. Morphology entries are integers, stored as 1 when
// non-zero.
std::optional<std::vector<double>> readConvEntries(std::string_view text, int32_t n);
std::optional<std::vector<int32_t>> readMMEntries(std::string_view text, int32_t n);

// The divisor field as a number of magnitude kMinKernelDivisor or more;
// nothing otherwise, or when the text is not a number.
std::optional<double> readKernelDivisor(std::string_view text);

// One entry as the C library reads a decimal number whatever the user's
// locale (leading plus allowed); the whole token must be a finite number.
std::optional<double> readKernelNumber(std::string_view token);

// The name as stored: cut to kKernelNameChars bytes.
std::string kernelFieldName(std::string_view name);

} // namespace qd
