#include "graphic_list.h"

#include <algorithm>
#include <limits>
#include <new>

QDGraphicList::QDGraphicList() : items_(new (std::nothrow) void*[kGrowth]) {
    if (items_) capacity_ = kGrowth;
}

QDGraphicList::~QDGraphicList() { delete[] items_; }

void* QDGraphicList::get(int32_t index) const {
    return index >= 0 && index < count_ ? items_[index] : nullptr;
}

bool QDGraphicList::grow() {
    if (capacity_ > std::numeric_limits<int32_t>::max() - kGrowth) return false;
    void** bigger = new (std::nothrow) void*[size_t(capacity_) + kGrowth];
    if (!bigger) return false;
    std::copy(items_, items_ + count_, bigger);
    delete[] items_;
    items_ = bigger;
    capacity_ += kGrowth;
    return true;
}

int32_t QDGraphicList::append(void* item) {
    if (count_ == capacity_ && !grow()) return 0;
    items_[count_++] = item;
    return count_;
}

int32_t QDGraphicList::deleteAt(int32_t index) {
    if (index < 0 || index >= count_) return -1;
    std::copy(items_ + index + 1, items_ + count_, items_ + index);
    return --count_;
}

int32_t QDGraphicList::deleteItem(const void* item) {
    const auto it = std::find(items_, items_ + count_, item);
    return it == items_ + count_ ? -1 : deleteAt(int32_t(it - items_));
}

extern "C" {

GMHANDLE GMCreate(void) noexcept {
    auto* list = new (std::nothrow) QDGraphicList();
    if (list && !list->valid()) {
        delete list;
        return nullptr;
    }
    return list;
}

void GMDestroy(GMHANDLE list) noexcept { delete list; }

int32_t GMGetCount(GMHANDLE list) noexcept { return list ? list->getCount() : 0; }

GOHANDLE GMGetGraphicObject(GMHANDLE list, int32_t index) noexcept {
    return list ? static_cast<GOHANDLE>(list->get(index)) : nullptr;
}

int32_t GMAddGraphicObject(GMHANDLE list, GOHANDLE obj) noexcept {
    return list && obj ? list->append(obj) : 0;
}

int32_t GMDeleteGraphicObject(GMHANDLE list, GOHANDLE obj) noexcept {
    return list ? list->deleteItem(obj) : -1;
}

int32_t GMDeleteGraphicObjectAt(GMHANDLE list, int32_t index) noexcept {
    return list ? list->deleteAt(index) : -1;
}

} // extern "C"
