#pragma once
// What the kernel page and its editors need from either kernel library, so
// that one page serves convolution and morphology kernels alike. Texts are
// as the widgets show them (lines separated by "\n").

#include "dialog_values.h"

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include <qd/core/kernel_library.h>

namespace qd {

// An editor's fields as typed.
struct KernelFields {
    QString name;
    int n = 0;
    QString entries;
    QString divisor; // convolution kernels only
};

class KernelBook {
  public:
    virtual ~KernelBook() = default;

    virtual bool hasDivisor() const = 0;
    virtual int count() const = 0;
    virtual bool isBuiltIn(int index) const = 0;
    virtual QString name(int index) const = 0;
    virtual int dim(int index) const = 0;
    // First kernel of that name (and dimension, when dim >= 1); -1 if none.
    virtual int find(const QString& name, int dim) const = 0;
    // As the page shows the kernel, and as the editors prefill it.
    virtual QString entriesText(int index) const = 0;
    virtual QString divisorText(int index) const = 0;
    virtual QString editorEntriesText(int index) const = 0;
    virtual QString editorDivisorText(int index) const = 0;
    // The editor's checks, in order; when they pass, the kernel is added
    // (editIndex -1) or replaces the one at editIndex. The messages to show.
    virtual std::vector<DialogMessage> store(const KernelFields& fields, int editIndex) = 0;
    virtual bool remove(int index) = 0;
};

std::unique_ptr<KernelBook> makeKernelBook(CKernelLibrary& library);
std::unique_ptr<KernelBook> makeKernelBook(CMMKernelLibrary& library);

// "\r\n" line ends as an edit box shows them.
QString boxText(const std::string& text);

} // namespace qd
