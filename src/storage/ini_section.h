#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The NUL-ended entries among the first `count` characters of a profile-function buffer.
std::vector<std::string> SplitAtNuls(const char* buffer, size_t count);

// Splits "key=value" entries at their first "=". False at the first entry without one; the
// arrays then hold the entries before it.
bool SplitKeyValues(const std::vector<std::string>& entries, std::vector<std::string>& keys,
                    std::vector<std::string>& values);
