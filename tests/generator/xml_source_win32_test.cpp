#include "generator/xml_source_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "generator/area_text.h"
#include "generator/exclusion_source.h"
#include "generator/xml_input.h"
#include "storage/text_file.h"
#include "test_folder.h"

namespace {

// Text of Latin-1 characters in UTF-16, little-endian with its byte-order mark or big-endian.
std::string Utf16(const std::string& latin1, bool bigEndian = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : latin1) bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return bytes;
}

const char* const kCorners =
    "latitudeMaximum=\"47\xC2\xB0 30'\" longitudeMinimum='W122' latitudeMinimum=\"47\" longitudeMaximum=\"-122\"";

// The source file Zonewright saves for a document: its lines, each ended by CR LF, and one more.
std::string SavedSource(const std::vector<ExclusionArea>& areas) {
    ExclusionDocument document;
    document.areas = areas;
    std::string text;
    for (const std::string& line : GenerateExclusionSource(document).lines) text += line + "\r\n";
    return text + "\r\n";
}

TEST(ReadExclusionSourceFile, ReadsDocumentsInTheirEncodingThroughXmlLite) {
    TestFolder folder;
    if (GetACP() != 1252) GTEST_SKIP() << "needs the ANSI code page 1252";
    const std::string path = folder.Path("source.xml");
    const std::string unreadable = "The XML source \"" + path + "\" could not be read: ";
    const std::string degrees =
        "<FSData><ExclusionRectangle latitudeMaximum=\"47\xB0 30'\" latitudeMinimum=\"47\" "
        "longitudeMinimum=\"W122\" longitudeMaximum=\"-122\" excludeAllObjects=\"TRUE\"/>"
        "</FSData>";
    // What Zonewright writes comes back as it was typed, blanks and characters to escape included.
    ExclusionArea typed;
    typed.latitudeMaximum = "N47\xB0 25' 53.4\"";
    typed.longitudeMinimum = " a&b <c> ";
    typed.latitudeMinimum = "47.25";
    typed.longitudeMaximum = "-122.25";
    typed.objectTypes[GenBuild] = typed.objectTypes[Windsocks] = CheckState::Ticked;
    ExclusionArea all = typed;
    all.objectTypes = {CheckState::Ticked};
    const std::string typedText = "N47\xB0 25' 53.4\"| a&b <c> |47.25|-122.25|...x...x";
    const std::string allText = "N47\xB0 25' 53.4\"| a&b <c> |47.25|-122.25|x.......";
    struct Case {
        std::string bytes;
        std::vector<std::string> areas;
        std::string reportOrDropped;  // the failure's report, or the first line dropped
    };
    const Case cases[] = {
        {SavedSource({typed}), {typedText}, ""},
        {SavedSource({all, typed, all}), {allText, typedText, allText}, ""},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- by hand -->\r\n<FSData version=\"9.0\">\r\n"
         "<ExclusionRectangle latitudeMaximum='N47 25&apos; 53\"' longitudeMinimum=\"a &amp; b &lt;&#x3E;&#34;\" "
         "latitudeMinimum=\"47\" longitudeMaximum=\"-122\" excludeBeaconObjects=' Yes'/>\r\n"
         "<SceneryObject><LibraryObject/></SceneryObject></FSData>",
         {"N47 25' 53\"|a & b <>\"|47|-122|.x......"},
         "1 SceneryObject"},
        {"\xEF\xBB\xBF<FSData><ExclusionRectangle " + std::string(kCorners) + "/></FSData>",
         {"47\xB0 30'|W122|47|-122|........"},
         ""},
        {Utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + degrees), {"47\xB0 30'|W122|47|-122|x......."}, ""},
        {Utf16(degrees, true), {"47\xB0 30'|W122|47|-122|x......."}, ""},
        {"<?xml version=\"1.0\" encoding=\"windows-1252\"?>" + degrees, {"47\xB0 30'|W122|47|-122|x......."}, ""},
        {"<?xml version='1.0' encoding='ISO-8859-1' ?>\n" + degrees, {"47\xB0 30'|W122|47|-122|x......."}, ""},
        // Zhe, a Cyrillic letter, has no form in code page 1252.
        {"<FSData><ExclusionRectangle latitudeMaximum=\"\xD0\x96\"/></FSData>",
         {"||||........"},
         "area 1: latitudeMaximum has characters that Windows' ANSI code page lacks (the northwest latitude, left "
         "empty)"},
        {"<FSData>\r\n<ExclusionRectangle " + std::string(kCorners) + ">\r\n</FSData>\r\n",
         {},
         unreadable + "it is not well-formed XML (line 3, column "},
        // Cut short: Wine's XmlLite would give the last node for ever, an element, blanks or a comment.
        {"<FSData><ExclusionRectangle " + std::string(kCorners) + "/>", {}, unreadable + "it is not well-formed XML"},
        {"<FSData><ExclusionRectangle " + std::string(kCorners) + "/>\r\n", {}, unreadable + "it is not well-formed XML"},
        {"<FSData><!--a--><!--b-->", {}, unreadable + "it is not well-formed XML"},
        {"<?xml version=\"1.0\" encoding=\"x-unknown\"?><FSData/>",
         {},
         unreadable + "its encoding is one that Zonewright cannot read, or its bytes are not text in it (line 1, "},
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE FSData [<!ENTITY e \"1\">]>\n<FSData/>",
         {},
         unreadable + "it holds a document type declaration (DOCTYPE), which Zonewright does not read (line 2, "},
        {"<FSData><SceneryObject/></FSData>",
         {},
         "The XML source \"" + path +
             "\" holds no exclusion area: it has no ExclusionRectangle element directly in its root element "
             "FSData.\r\n\r\nNothing was loaded."},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(WriteWholeFile(path, c.bytes));
        EXPECT_TRUE(IsXmlFile(path)) << c.bytes;
        const Result<SourceAreas> read = ReadExclusionSourceFile(path);
        EXPECT_EQ(AreaTexts(read.value.areas), c.areas) << c.bytes;
        if (read.error) {
            EXPECT_EQ(read.report.substr(0, c.reportOrDropped.size()), c.reportOrDropped) << c.bytes;
            const std::string end = ".\r\n\r\nNothing was loaded.";
            EXPECT_EQ(read.report.substr(read.report.size() - end.size()), end) << read.report;
        } else {
            EXPECT_EQ(read.value.dropped.empty() ? "" : read.value.dropped[0], c.reportOrDropped) << c.bytes;
        }
        EXPECT_EQ(ReadWholeFile(path).value, c.bytes) << "the file is only read";
    }

    ASSERT_FALSE(WriteWholeFile(path, "\xEF\xBB\xBF [area]\r\nlatitudemaximum=<1>\r\n"));
    EXPECT_FALSE(IsXmlFile(path)) << "a project, whatever it is called";
    ASSERT_FALSE(WriteWholeFile(path, degrees + std::string(kXmlSourceLimit, ' ')));
    EXPECT_EQ(ReadExclusionSourceFile(path).report, "The XML source \"" + path +
                                                        "\" could not be opened.\r\n\r\nIt is larger than 16 MB, "
                                                        "which no exclusion source is.\r\n\r\nNothing was loaded.");
    const std::string missing = folder.Path("missing.xml");
    const std::string told = "The XML source \"" + missing + "\" could not be opened.\r\n\r\n";
    EXPECT_GT(ReadExclusionSourceFile(missing).report.size(), told.size()) << "with the system's reason";
    EXPECT_EQ(ReadExclusionSourceFile(missing).report.rfind(told, 0), 0u);
}

}  // namespace
