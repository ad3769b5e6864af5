#pragma once

#include <string>

#include "model/result.h"
#include "storage/ansi_text.h"

// The value of the first line of Key in a section Section of the settings-file text, or "".
// Section and key match without regard to case; the value keeps its case and blanks.
std::string FindIniValue(const std::string& text, const std::string& section, const std::string& key,
                         const LeadBytes& lead = SystemLeadBytes());

// Whether FindIniValue finds this value again once it is written under a key: a line that holds
// a "[" ends a section for the reader and is never a key line, and a CR ends the line early.
bool ReadsBackAsIniValue(const std::string& value, const LeadBytes& lead = SystemLeadBytes());

// Reads one value from the settings file, creating the file empty when it is missing and
// resetting its attributes to archive alone. The value is "" when the section or key is missing
// or the value is empty; the error is the file's when it could not be created or read.
Result<std::string> ReadIniValue(const std::string& filePath, const std::string& section, const std::string& key);

// Reads one value as ReadIniValue does, but writes nothing: no file is made, no attribute reset.
// "" also when the file is not there or cannot be read.
std::string PeekIniValue(const std::string& filePath, const std::string& section, const std::string& key);

std::string LowerCase(std::string text);
