#include <qd/dlg_common/data_type_group.h>
#include <qd/dlg_common/image_layout.h>

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

DataTypeGroup::DataTypeGroup(const QString& fourBitsLabel, QWidget* parent)
    : QGroupBox("data type", parent), group_(new QButtonGroup(this)) {
    setObjectName("dataType");
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < qd::layout::kTypeCount; ++i) {
        const QString label = qd::layout::typeCode(i) == MT_4BITS
                                  ? fourBitsLabel
                                  : QString::fromLatin1(qd::layout::typeLabel(i));
        auto* b = new QRadioButton(label, this);
        group_->addButton(b, i);
        grid->addWidget(b, i % 7, i / 7);
    }
    connect(group_, &QButtonGroup::idClicked, this, &DataTypeGroup::changed);
    setPosition(qd::layout::kDefaultPosition);
}

int DataTypeGroup::position() const { return group_->checkedId(); }

void DataTypeGroup::setPosition(int position) {
    if (position < 0 || position >= qd::layout::kTypeCount) position = qd::layout::kDefaultPosition;
    group_->button(position)->setChecked(true);
    emit changed();
}

int32_t DataTypeGroup::type() const { return qd::layout::typeCode(position()); }
