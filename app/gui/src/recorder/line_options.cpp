#include "line_options.h"

#include "qd_app.h"

#include <QLocale>
#include <algorithm>
#include <qd/core/kernel_library.h>

namespace qd {
namespace {

template <class Value> QString rows(int32_t n, const std::vector<Value>& values) {
    QStringList out;
    for (int32_t y = 0; y < n; ++y) {
        QStringList row;
        for (int32_t x = 0; x < n; ++x) row << lineNumber(double(values[size_t(y) * n + x]));
        out << row.join(',');
    }
    return out.join(';');
}

QStringList named(const std::string& name) {
    return name.empty() ? QStringList() : QStringList{"--kernel", QString::fromLatin1(name.c_str())};
}

} // namespace

QString lineNumber(double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); }

QStringList kernelOptions(const ConvKernelData& k) {
    const CKernelLibrary* library = qdApp()->kernelLibrary();
    const int32_t at = library ? library->indexOf(k.name, k.n) : -1;
    if (library && library->isBuiltIn(at)) {
        const CONVKERNEL* rec = library->at(at);
        if (rec->divisor == k.divisor && std::equal(k.weights.begin(), k.weights.end(), rec->weights))
            return named(k.name);
    }
    return named(k.name) << "--weights" << rows(k.n, k.weights) << "--divisor" << lineNumber(k.divisor);
}

QStringList elementOptions(const MMKernelData& k) {
    const CMMKernelLibrary* library = qdApp()->mmKernelLibrary();
    const int32_t at = library ? library->indexOf(k.name, k.n) : -1;
    if (library && library->isBuiltIn(at) && std::equal(k.values.begin(), k.values.end(), library->at(at)->values))
        return named(k.name);
    return named(k.name) << "--weights" << rows(k.n, k.values);
}

QStringList displayOptions(const DisplayRecord& d, IMHANDLE source) {
    if (d.sameDisplay) {
        if (!source) return {};
        return {"--display-type", QString::number(IMGetDrawType(source)), "--range",
                lineNumber(IMGetInitialValue(source)) + ',' + lineNumber(IMGetFinalValue(source))};
    }
    QStringList out{"--display-type", QString::number(d.displayType)};
    if (!d.defaultRange) out << "--range" << lineNumber(d.from) + ',' + lineNumber(d.to);
    return out;
}

} // namespace qd
