#include "kernel_book.h"

#include <qd/core/kernel_edit.h>
#include <qd/core/kernel_text.h>

#include <type_traits>

namespace qd {

namespace {

constexpr int kInvalidName = 61456;
constexpr int kZeroWeight = 61455;
constexpr int kShortLines = 61457;

QString fieldName(const char (&name)[128]) { return fromFieldBytes(name, int(sizeof name)); }

template <class Record> class LibraryBook final : public KernelBook {
  public:
    static constexpr bool kConv = std::is_same_v<Record, CONVKERNEL>;

    explicit LibraryBook(KernelLibrary<Record>& library) : lib_(library) {}

    bool hasDivisor() const override { return kConv; }
    int count() const override { return lib_.count(); }
    bool isBuiltIn(int index) const override { return lib_.isBuiltIn(index); }
    QString name(int index) const override { return fieldName(at(index).name); }
    int dim(int index) const override { return at(index).N; }
    int find(const QString& name, int dim) const override {
        return lib_.indexOf(toFieldBytes(name, -1).toStdString(), dim);
    }
    QString entriesText(int index) const override { return boxText(kernelEntriesText(at(index))); }
    QString divisorText(int index) const override {
        if constexpr (kConv) return QString::fromStdString(kernelDivisorText(at(index).divisor));
        return {};
    }
    QString editorEntriesText(int index) const override {
        if constexpr (kConv) return boxText(qd::editorEntriesText(at(index)));
        return entriesText(index);
    }
    QString editorDivisorText(int index) const override {
        if constexpr (kConv)
            return QString::fromStdString(qd::editorDivisorText(at(index).divisor));
        return {};
    }

    std::vector<DialogMessage> store(const KernelFields& f, int editIndex) override {
        const KernelInput input{toFieldBytes(f.name, -1).toStdString(), f.n,
                                toFieldBytes(f.divisor, -1).toStdString(),
                                toFieldBytes(f.entries, -1).toStdString()};
        std::conditional_t<kConv, ConvKernelData, MMKernelData> data;
        switch (checkKernel(lib_, input, editIndex, data)) {
        case KernelFault::Name:
            return {warning(kInvalidName)};
        case KernelFault::Divisor:
            return {warning(kZeroWeight)};
        case KernelFault::Entries:
            return {warning(kShortLines)};
        case KernelFault::None:
            break;
        }
        const bool stored = editIndex < 0
                                ? lib_.add(data.record()) != nullptr
                                : lib_.at(editIndex) && replaceKernel(*lib_.at(editIndex), data);
        // Only a dimension the library cannot hold gets here.
        if (!stored) return {warning(kShortLines)};
        return {};
    }

    bool remove(int index) override { return lib_.remove(index); }

  private:
    const Record& at(int index) const {
        static const Record none{};
        const Record* r = lib_.at(index);
        return r ? *r : none;
    }

    KernelLibrary<Record>& lib_;
};

} // namespace

std::unique_ptr<KernelBook> makeKernelBook(CKernelLibrary& library) {
    return std::make_unique<LibraryBook<CONVKERNEL>>(library);
}

std::unique_ptr<KernelBook> makeKernelBook(CMMKernelLibrary& library) {
    return std::make_unique<LibraryBook<MMKERNEL>>(library);
}

QString boxText(const std::string& text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size())).replace("\r\n", "\n");
}

} // namespace qd
