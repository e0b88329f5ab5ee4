#pragma once
// The convolution kernel page of the kernel sheets.

#include "kernel_page.h"

class CSelectKernelPage : public CKernelPage {
    Q_OBJECT
  public:
    // On OK *chosen points at the chosen record of the library.
    CSelectKernelPage(qd::CKernelLibrary& library, CONVKERNEL** chosen, const QString& section,
                      QWidget* parent = nullptr);

  protected:
    void storeResult(int index) override;

  private:
    qd::CKernelLibrary& library_;
    CONVKERNEL** chosen_;
};
