#include "data_type_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <cstring>

#include <qd/image.h>

namespace {

struct TypeSpec {
    const char* label;
    int code;
    double bytes;
};

const TypeSpec kTypes[DataTypeGroup::kCount] = {
    {"binary", MT_BINARY, 0.125},
    {"4 bits", MT_4BITS, 0.5},
    {"char", MT_CHAR, 1},
    {"unsigned char", MT_UCHAR, 1},
    {"short", MT_SHORT, 2},
    {"unsigned short", MT_USHORT, 2},
    {"long", MT_LONG, 4},
    {"unsigned long", MT_ULONG, 4},
    {"float", MT_FLOAT, 4},
    {"double", MT_DOUBLE, 8},
    {"complex (8 bytes)", MT_COMPLEX8, 8},
    {"complex (16 bytes)", MT_COMPLEX16, 16},
    {"RGB", MT_RGB, 4},
};

} // namespace

int DataTypeGroup::typeAt(int position) {
    return position >= 0 && position < kCount ? kTypes[position].code : MT_UCHAR;
}

double DataTypeGroup::bytesPerPixel(int position) {
    return position >= 0 && position < kCount ? kTypes[position].bytes : 1;
}

DataTypeGroup::DataTypeGroup(QWidget* parent) : QGroupBox("data type", parent) {
    group_ = new QButtonGroup(this);
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < kCount; ++i) {
        auto* b = new QRadioButton(QString::fromLatin1(kTypes[i].label), this);
        group_->addButton(b, i);
        grid->addWidget(b, i % 7, i / 7);
    }
    connect(group_, &QButtonGroup::idClicked, this, &DataTypeGroup::changed);
    setPosition(3);
}

int DataTypeGroup::position() const { return group_->checkedId(); }

void DataTypeGroup::setPosition(int position) {
    if (position < 0 || position >= kCount) position = 3;
    group_->button(position)->setChecked(true);
    emit changed();
}

void initNewImageHeader(IMHEADER& h, int width, int height, int type) {
    std::memset(&h, 0, sizeof h);
    std::strncpy(h.Version, IM_VERSION, sizeof h.Version - 1);
    h.Levels = 256;
    h.Width = width;
    h.Height = height;
    h.DataType = type;
    h.Scale = 1.0;
}
