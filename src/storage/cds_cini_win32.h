#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Access to one INI file through the platform's profile-file functions. Every method returns
// whether it succeeded; after a failure LastErrorDescription says why. The object keeps no
// file open and caches nothing.
class CDS_CIni {
public:
    const std::string& FileName() const { return fileName_; }
    void FileName(const std::string& New_FileName) { fileName_ = New_FileName; }
    // Changes only when a method fails: read it right after a false result.
    const std::string& LastErrorDescription() const { return lastErrorDescription_; }

    // A key with an empty value reads as a failure, as a missing key does.
    bool ReadValue(const std::string& psSection, const std::string& psKey, std::string& psValue);
    // The section's lines in file order, split at the first "=" of each.
    bool ReadSection(const std::string& psSection, std::vector<std::string>& psKeys,
                     std::vector<std::string>& psValues);
    bool WriteValue(const std::string& psSection, const std::string& psKey, const std::string& psValue);
    // Replaces the whole section with these entries.
    bool WriteSection(const std::string& psSection, const std::vector<std::string>& psKeys,
                      const std::vector<std::string>& psValues);
    bool Enum_SectionNames(std::vector<std::string>& psSectionNames);

private:
    bool HasFileName();
    void CaptureLastError();

    std::string fileName_;
    DWORD LastErrorCode = 0;
    std::string lastErrorDescription_;
};
