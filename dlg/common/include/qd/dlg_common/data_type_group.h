#pragma once
// The thirteen element-type radio buttons of the new-image and import
// dialogs, in the order of qd::layout.

#include <QGroupBox>

class QButtonGroup;

class DataTypeGroup : public QGroupBox {
    Q_OBJECT
  public:
    // The dialogs spell the 4-bit radio differently, so the caller names it.
    explicit DataTypeGroup(const QString& fourBitsLabel, QWidget* parent = nullptr);

    int position() const;
    // A position outside 0..12 checks unsigned char.
    void setPosition(int position);
    int32_t type() const;

  signals:
    void changed();

  private:
    QButtonGroup* group_;
};
