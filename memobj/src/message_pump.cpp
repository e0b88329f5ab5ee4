// The cooperative pump of long loops. The program installs its own function
// once at start-up; without one, libraries and tools run GUI-free.
#include <atomic>

#include <qd/memobj.h>

namespace {
std::atomic<QDMessagePump> installedPump{nullptr};
}

extern "C" {

int32_t ProcessMessage(void) noexcept {
    const QDMessagePump pump = installedPump.load(std::memory_order_relaxed);
    return pump ? pump() : 0;
}

void SetMessagePump(QDMessagePump pump) noexcept {
    installedPump.store(pump, std::memory_order_relaxed);
}

} // extern "C"
