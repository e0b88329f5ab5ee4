#pragma once
// Make Complex: the images that give the real and the imaginary part.

#include <QDialog>
#include <optional>
#include <vector>

class QDialogButtonBox;
class CQDView;
class ImageChoiceBox;

struct MakeComplexResult {
    CQDView* real;
    CQDView* imaginary;
};

class CMakeComplexDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CMakeComplexDialog(const std::vector<CQDView*>& views, QWidget* parent = nullptr);

    ImageChoiceBox* realBox() const { return real_; }
    ImageChoiceBox* imaginaryBox() const { return imaginary_; }
    QDialogButtonBox* buttons() const { return buttons_; }
    // Valid after acceptance.
    const MakeComplexResult& values() const { return values_; }

    void accept() override;

  private:
    ImageChoiceBox* real_;
    ImageChoiceBox* imaginary_;
    QDialogButtonBox* buttons_;
    MakeComplexResult values_{};
};

// Offers every image window; nothing on Cancel or when none is open.
std::optional<MakeComplexResult> runMakeComplexDialog(QWidget* parent);
