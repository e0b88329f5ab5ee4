#pragma once
// The kernel page the processing commands show in their sheets: a kernel
// list, the chosen kernel shown read-only, and "New...", "Edit" and "Delete",
// which change the library at once. It remembers the chosen kernel per
// command section. The convolution and morphology pages differ only in their
// library, keys and titles.

#include "kernel_book.h"
#include "property_sheet.h"

#include <memory>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CKernelPage : public CPropertyPage {
    Q_OBJECT
  public:
    // The names that differ between the two kinds of kernels.
    struct Names {
        const char* pageTitle;
        const char* nameKey; // in the command's section
        const char* dimKey;
        const char* newSection; // the "New" editor's last dimension
        const char* newDimKey;
        const char* newTitle;
        const char* editTitle;
    };

    ~CKernelPage() override;

    QComboBox* kernels() const { return kernels_; }
    QLineEdit* dimensionField() const { return dim_; }
    QPlainTextEdit* entriesBox() const { return entries_; }
    QLineEdit* divisorField() const { return divisor_; } // null for morphology
    QPushButton* newButton() const { return new_; }
    QPushButton* editButton() const { return edit_; }
    QPushButton* deleteButton() const { return delete_; }
    int current() const;
    const QString& section() const { return section_; }

    void newKernel();
    void editKernel();
    void deleteKernel();
    void commit() override;

  protected:
    CKernelPage(std::unique_ptr<qd::KernelBook> book, const Names& names, const QString& section,
                QWidget* parent);
    // Hands the chosen kernel to the sheet.
    virtual void storeResult(int index) = 0;

  private:
    void showKernel(int index);

    std::unique_ptr<qd::KernelBook> book_;
    Names names_;
    QString section_;
    QComboBox* kernels_;
    QLineEdit* dim_;
    QPlainTextEdit* entries_;
    QLineEdit* divisor_ = nullptr;
    QPushButton* new_;
    QPushButton* edit_;
    QPushButton* delete_;
};
