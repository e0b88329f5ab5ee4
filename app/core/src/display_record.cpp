#include <qd/core/display_record.h>

namespace qd {

void applyDisplayRecord(IMHANDLE image, const DisplayRecord& record, IMHANDLE source) {
    if (record.sameDisplay) {
        IMSetDrawType(image, IMGetDrawType(source));
        IMSetInitialValue(image, IMGetInitialValue(source));
        IMSetFinalValue(image, IMGetFinalValue(source));
    } else {
        IMSetDrawType(image, record.displayType);
        if (record.defaultRange) {
            IMDefaultRange(image, 0);
        } else {
            IMSetInitialValue(image, record.from);
            IMSetFinalValue(image, record.to);
        }
    }
    IMPrepareBitmap(image);
}

} // namespace qd
