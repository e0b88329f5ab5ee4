#pragma once
// The morphology kernel (structuring element) page of the MM kernel and
// background-subtraction sheets.

#include "kernel_page.h"

class CSelectMMKernelPage : public CKernelPage {
    Q_OBJECT
  public:
    // On OK *chosen points at the chosen record of the library.
    CSelectMMKernelPage(qd::CMMKernelLibrary& library, MMKERNEL** chosen, const QString& section,
                        QWidget* parent = nullptr);

  protected:
    void storeResult(int index) override;

  private:
    qd::CMMKernelLibrary& library_;
    MMKERNEL** chosen_;
};
