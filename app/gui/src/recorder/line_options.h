#pragma once
// The options of a recorded line that come from the program's own records:
// kernels, displays and numbers, written so that qdcli reads back exactly
// what the program used.

#include <QString>
#include <QStringList>

#include <qd/core/display_record.h>
#include <qd/core/kernel_edit.h>

namespace qd {

// The shortest text that reads back as the same double.
QString lineNumber(double v);

// --kernel NAME when the program's library has that built-in kernel with
// these very weights; otherwise the weights too (and the name as label).
QStringList kernelOptions(const ConvKernelData& k);
QStringList elementOptions(const MMKernelData& k);

// --display-type and --range that leave a result as the record does; the
// source's display when the record takes it.
QStringList displayOptions(const DisplayRecord& d, IMHANDLE source);

} // namespace qd
