#pragma once
// The thirteen element-type radio buttons of the new-image and import
// dialogs, in their fixed order.

#include <QGroupBox>

class QButtonGroup;

class DataTypeGroup : public QGroupBox {
    Q_OBJECT
  public:
    static constexpr int kCount = 13;
    static int typeAt(int position); // element type code of a radio position
    static double bytesPerPixel(int position);

    explicit DataTypeGroup(QWidget* parent = nullptr);
    int position() const;
    void setPosition(int position);
    int type() const { return typeAt(position()); }

  signals:
    void changed();

  private:
    QButtonGroup* group_;
};

// An IMHEADER for a new image of the given size and type, all else zero.
struct IMHEADER;
void initNewImageHeader(IMHEADER& h, int width, int height, int type);
