#pragma once
// Reading files that come from outside the program: regular files only
// (opened without blocking, so a FIFO or device never hangs the caller) and
// never more than a fixed number of bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pathwick {

// Up to `maxBytes` from the start of the regular file at `path`; the file
// may be shorter. Empty when it is not a regular file or cannot be read.
std::optional<std::vector<std::uint8_t>> readFilePrefix(const std::string& path,
                                                        std::size_t maxBytes);

// The whole regular file; empty when it is larger than `maxBytes`, not a
// regular file, cannot be read, or is longer than its size said (it grew
// while being read).
std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path,
                                                       std::size_t maxBytes);

}  // namespace pathwick
