#include "storage/cds_cini_win32.h"

#include "storage/ini_section.h"
#include "win32/system_error_win32.h"

namespace {

constexpr DWORD kValueBuffer = 255;
constexpr DWORD kSectionBuffer = 32767;
constexpr DWORD kErrorBuffer = 255;

}  // namespace

bool CDS_CIni::HasFileName() {
    if (!fileName_.empty()) return true;
    lastErrorDescription_ = "No filename specified";
    return false;
}

void CDS_CIni::CaptureLastError() {
    LastErrorCode = GetLastError();
    if (LastErrorCode == 0) {
        lastErrorDescription_ = "An unknown error has occured";
        return;
    }
    lastErrorDescription_ = SystemMessage(LastErrorCode, kErrorBuffer);
}

// Each platform call starts from a clear error code, so that a failure which sets none is not
// described by an older one.

bool CDS_CIni::ReadValue(const std::string& psSection, const std::string& psKey, std::string& psValue) {
    if (!HasFileName()) return false;
    char value[kValueBuffer] = {};
    SetLastError(0);
    if (GetPrivateProfileStringA(psSection.c_str(), psKey.c_str(), "", value, kValueBuffer, fileName_.c_str()) == 0) {
        CaptureLastError();
        return false;
    }
    psValue = value;
    return true;
}

bool CDS_CIni::ReadSection(const std::string& psSection, std::vector<std::string>& psKeys,
                           std::vector<std::string>& psValues) {
    if (!HasFileName()) return false;
    std::vector<char> buffer(kSectionBuffer, '\0');
    SetLastError(0);
    const DWORD count = GetPrivateProfileSectionA(psSection.c_str(), buffer.data(), kSectionBuffer, fileName_.c_str());
    if (count == 0) {
        CaptureLastError();
        return false;
    }
    if (!SplitKeyValues(SplitAtNuls(buffer.data(), count), psKeys, psValues)) {
        // No key can be cut out of a line: the caller's work ends here.
        lastErrorDescription_ = "Invalid procedure call or argument";
        return false;
    }
    return true;
}

bool CDS_CIni::WriteValue(const std::string& psSection, const std::string& psKey, const std::string& psValue) {
    if (!HasFileName()) return false;
    SetLastError(0);
    if (!WritePrivateProfileStringA(psSection.c_str(), psKey.c_str(), psValue.c_str(), fileName_.c_str())) {
        CaptureLastError();
        return false;
    }
    return true;
}

bool CDS_CIni::WriteSection(const std::string& psSection, const std::vector<std::string>& psKeys,
                            const std::vector<std::string>& psValues) {
    if (!HasFileName()) return false;
    if (psKeys.size() != psValues.size()) {
        lastErrorDescription_ = "Key array and Value array must be of the same size";
        return false;
    }
    std::string entries;
    for (size_t i = 0; i < psKeys.size(); ++i) {
        entries += psKeys[i] + "=" + psValues[i];
        entries.push_back('\0');
    }
    entries.push_back('\0');
    SetLastError(0);
    if (!WritePrivateProfileSectionA(psSection.c_str(), entries.c_str(), fileName_.c_str())) {
        CaptureLastError();
        return false;
    }
    return true;
}

bool CDS_CIni::Enum_SectionNames(std::vector<std::string>& psSectionNames) {
    if (!HasFileName()) return false;
    std::vector<char> buffer(kSectionBuffer, '\0');
    SetLastError(0);
    const DWORD count = GetPrivateProfileSectionNamesA(buffer.data(), kSectionBuffer, fileName_.c_str());
    if (count == 0) {
        CaptureLastError();
        return false;
    }
    psSectionNames = SplitAtNuls(buffer.data(), count);
    return true;
}
