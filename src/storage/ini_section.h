#pragma once

#include <string>
#include <vector>

// Splits "key=value" entries at their first "=". False at the first entry without one; the
// arrays then hold the entries before it.
bool SplitKeyValues(const std::vector<std::string>& entries, std::vector<std::string>& keys,
                    std::vector<std::string>& values);
