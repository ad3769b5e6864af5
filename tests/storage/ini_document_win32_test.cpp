#include <windows.h>

#include <gtest/gtest.h>

#include "storage/ini_document.h"
#include "storage/text_file.h"
#include "test_folder.h"

namespace {

// The profile functions are the measure: a file edited whole here must come out as they leave it,
// and read as they read it, odd files included.
TEST(IniDocumentOnWindows, EditsAndReadsAsTheProfileFunctionsDo) {
    const char* const starts[] = {
        "",
        "[area]\r\nx=1\r\n\r\n[user]\r\nk = v\r\n\r\n\r\n",
        "; note\r\nlead=1\r\n[Area]\r\n a = 1 \r\nno equals\r\n[other]\r\nDeleteSource=0\r\n[exclusion]\r\nq=1",
        "[area2]\r\na=b\r\n[area]\r\nz=1\r\n[AREA]\r\ny=2\r\n[area3]\r\n",
        "  [ area ] trailing \r\n;c=1\r\nx\t=\t1\x1A\r\n[broken\r\n[]\r\ne=1\r\n[a]b]\r\nk=v",
        "[user]\rk=v\r[area]\rx=1\r",
        "[user]\nk=v\n[other]\n=empty key\n",
    };
    const std::vector<std::string> area = {"latitudemaximum= 47.5 ", "longitudeminimum=-122 30",
                                           "latitudeminimum=", "longitudemaximum=x=y", "no equals"};
    const std::vector<std::string> other = {"DeleteSource=1"};
    TestFolder folder;
    const std::string path = folder.Path("project.exc");
    for (const char* start : starts) {
        ASSERT_FALSE(WriteWholeFile(path, start));
        IniDocument document = ReadIniText(start);
        SectionIndex index = IndexSections(document);
        for (const char* name : {"area", "other", "user", "a]b", "AREA"}) {
            char buffer[4096];
            const DWORD count = GetPrivateProfileSectionA(name, buffer, sizeof buffer, path.c_str());
            std::vector<std::string> read;
            for (const char* entry = buffer; entry < buffer + count; entry += strlen(entry) + 1) read.push_back(entry);
            const std::optional<std::vector<std::string>> entries = SectionEntries(document, index, name);
            EXPECT_EQ(entries.value_or(std::vector<std::string>{}), read) << start << " [" << name << "]";
        }
        auto write = [&](const char* name, const std::vector<std::string>& entries) {
            std::string list;
            for (const std::string& entry : entries) list += entry + '\0';
            ASSERT_TRUE(WritePrivateProfileSectionA(name, (list + '\0').c_str(), path.c_str()));
            WriteSection(document, index, name, entries);
        };
        write("area", area);
        write("other", other);
        write("area2", {"k=v"});
        ASSERT_TRUE(WritePrivateProfileStringA("area3", nullptr, nullptr, path.c_str()));
        RemoveSections(document, index, [](const std::string& name) { return SameSectionName(name, "area3"); });
        const Result<std::string> written = ReadWholeFile(path);
        ASSERT_FALSE(written.error);
        EXPECT_EQ(IniText(document), written.value) << start;
    }
}

}  // namespace
