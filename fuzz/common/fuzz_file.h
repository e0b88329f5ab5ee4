// Fuzz input handed to readers that take a path: a file in a directory of
// this process alone, removed when the process ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qdfuzz {

// Writes the bytes to a file named name in the private directory and
// returns its path (the same path for the same name, overwritten each time).
std::string spill(const uint8_t* data, size_t size, const std::string& name = "input");

// The private directory (created on first use).
const std::string& privateDir();

} // namespace qdfuzz
