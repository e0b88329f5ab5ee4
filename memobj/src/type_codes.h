// Facts about element type codes that depend on the code alone.
#pragma once

#include <cstdint>

namespace qd::mem {

bool codeIsInteger(int32_t code);
bool codeIsSigned(int32_t code);
bool codeIsComplex(int32_t code);
bool codeIsRgb(int32_t code);
double codeMaxLimit(int32_t code);
double codeMinLimit(int32_t code);
// Bytes per component for byte swapping; 0 when swapping does not apply.
int codeSwapSize(int32_t code);
// Codes that can be created keep their code; every other one becomes MT_FLOAT.
int32_t creatableCode(int32_t code);
// Bytes that `count` elements of a creatable code take in one row.
int64_t rowBytes(int32_t code, int64_t count);
// Data block size by the code's rule (the unknown codes count 4 bytes).
int64_t blockBytes(int32_t code, int64_t width, int64_t height);

} // namespace qd::mem
