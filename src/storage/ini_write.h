#pragma once

#include <string>
#include <system_error>

#include "storage/ansi_text.h"

// The settings-file text with Key set to Value within section Section: a new key goes directly
// under its section's header, an existing key line is replaced in place, a missing section is
// appended after one empty line. Section and key match without regard to case and are written
// as passed. Runs of empty lines shrink to one, control characters go from both ends, and the
// text ends with one CR LF.
std::string SetIniValue(const std::string& text, const std::string& section, const std::string& key,
                        const std::string& value, const LeadBytes& lead = SystemLeadBytes());

// Makes the settings file anew, holding this one value and nothing else: what the settings
// window's OK stores. The old file stays intact until the new one is complete.
std::error_code ReplaceIniFile(const std::string& filePath, const std::string& section, const std::string& key,
                               const std::string& value);
