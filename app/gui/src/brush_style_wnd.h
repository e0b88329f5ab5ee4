#pragma once
// The floating brush style bar: shape, size and the value the brush paints,
// with value fields that follow the active image's element type.

#include "qd_view.h"

#include <QDockWidget>

class QComboBox;
class QLabel;
class QLineEdit;

class CBrushStyleWnd : public QDockWidget {
    Q_OBJECT
  public:
    explicit CBrushStyleWnd(QWidget* parent = nullptr);

    void setView(CQDView* view);
    BrushSettings settings() const;

    QComboBox* shapeBox() const { return shape_; }
    QLineEdit* sizeField() const { return size_; }
    QLineEdit* valueField(int i) const { return values_[i]; }
    QLabel* valueLabel(int i) const { return labels_[i]; }

  private:
    QComboBox* shape_;
    QLineEdit* size_;
    QLineEdit* values_[3];
    QLabel* labels_[3];
};
