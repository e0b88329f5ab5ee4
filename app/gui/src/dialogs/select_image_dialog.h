#pragma once
// The image-window choice a plug-in asks for, under its own prompt.

#include <QDialog>
#include <vector>

class QDialogButtonBox;
class QLabel;
class CQDView;
class ImageChoiceBox;

class CSelectImageDialog : public QDialog {
    Q_OBJECT
  public:
    CSelectImageDialog(const QString& prompt, const std::vector<CQDView*>& views,
                       QWidget* parent = nullptr);

    QLabel* promptLabel() const { return prompt_; }
    ImageChoiceBox* imageBox() const { return images_; }
    QDialogButtonBox* buttons() const { return buttons_; }
    // Valid after acceptance.
    CQDView* view() const { return view_; }

    void accept() override;

  private:
    QLabel* prompt_;
    ImageChoiceBox* images_;
    QDialogButtonBox* buttons_;
    CQDView* view_ = nullptr;
};

// The plug-in protocol's answer: -1 at once when no image window is open,
// 0 on Cancel, 1 on OK with *chosen set to the view.
int runSelectImageDialog(QWidget* parent, const QString& prompt, CQDView** chosen);
