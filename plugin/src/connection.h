// The connection to the program, kept once per process and shared by every
// plug-in, and the one way requests reach the program.
#pragma once

#include <cstdint>

namespace qd::plugin {

// The server and the program's application object are both known.
bool connected() noexcept;

// The server's reply; 0 when no server is stored (before any connection).
intptr_t request(uint32_t code, intptr_t arg = 0) noexcept;

template <class T> intptr_t request(uint32_t code, T* record) noexcept {
    return request(code, reinterpret_cast<intptr_t>(record));
}

} // namespace qd::plugin
