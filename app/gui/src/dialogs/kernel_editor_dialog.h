#pragma once
// The kernel editors: "New Kernel" and "define nw MM kernel" with a
// dimension list, "Edit Kernel" and "Edit MM kernel" with the dimension
// fixed. OK hands the fields to a store function that checks them and
// changes the library; its messages keep the dialog open.

#include "kernel_book.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

struct KernelEditorSetup {
    QString title;
    bool hasDivisor = true;
    bool fixedDim = false; // editing: the dimension cannot change
    int dim = 3;
    QString name;
    QString entries; // a new kernel's box is filled from dim
    QString divisor = "1";
};

class CKernelEditorDialog : public QDialog {
    Q_OBJECT
  public:
    using Store = std::function<std::vector<qd::DialogMessage>(const qd::KernelFields&)>;

    CKernelEditorDialog(const KernelEditorSetup& setup, Store store, QWidget* parent = nullptr);

    QLineEdit* nameField() const { return name_; }
    QComboBox* dimensions() const { return dims_; }         // null when fixed
    QLineEdit* dimensionField() const { return fixedDim_; } // null for a new kernel
    QPlainTextEdit* entriesBox() const { return entries_; }
    QLineEdit* divisorField() const { return divisor_; } // null for morphology
    int dimension() const;
    qd::KernelFields fields() const;

    void accept() override;

  private:
    void refill();

    Store store_;
    int fixed_ = 0;
    QLineEdit* name_;
    QComboBox* dims_ = nullptr;
    QLineEdit* fixedDim_ = nullptr;
    QPlainTextEdit* entries_;
    QLineEdit* divisor_ = nullptr;
};
