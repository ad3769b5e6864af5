#include "fsdata_check.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "golden_texts.h"

namespace {

using Attributes = std::vector<std::pair<std::string, std::string>>;

// A saved source file: the document and one more line end.
std::string Saved(const char* document) {
    return std::string(document) + "\r\n";
}

// A saved file with the program's opening, up to the rectangle's first line, and these lines in
// the rectangle.
std::string Generated(const std::vector<std::string>& rectangleLines) {
    const std::string document = kWindsocksDocument;
    const std::string rectangle = "   <ExclusionRectangle\r\n";
    const size_t opening = document.find(rectangle);
    EXPECT_NE(opening, std::string::npos);
    std::string text = document.substr(0, opening + rectangle.size());
    for (const std::string& line : rectangleLines) text += line + "\r\n";
    return text + "</FSData>\r\n\r\n";
}

Attributes Pairs(const FsDataCheck& check) {
    Attributes pairs;
    for (const XmlAttribute& attribute : check.exclusionAttributes) pairs.emplace_back(attribute.name, attribute.value);
    return pairs;
}

TEST(CheckFsData, AcceptsWellFormedDocumentsAndDecodesTheRectanglesAttributes) {
    struct Case {
        const char* name;
        std::string text;
        Attributes expected;
    };
    const Case cases[] = {
        {"generated, decimal degrees",
         Saved(kWindsocksDocument),
         {{"latitudeMinimum", "47.25"},
          {"latitudeMaximum", "47.5"},
          {"longitudeMinimum", "-122.5"},
          {"longitudeMaximum", "-122.25"},
          {"excludeWindsockObjects", "TRUE"}}},
        {"generated, degrees minutes seconds",
         Saved(kWindsocksSecondsDocument),
         {{"latitudeMinimum", "N47 15' 10\""},
          {"latitudeMaximum", "N47 25' 53.4\""},
          {"longitudeMinimum", "W122 30' 0.0\""},
          {"longitudeMaximum", "W122 15' 2.5\""},
          {"excludeWindsockObjects", "TRUE"}}},
        {"generated, all objects closing the rectangle on its line",
         Saved(kAllObjectsDocument),
         {{"latitudeMinimum", "47.25"},
          {"latitudeMaximum", "47.5"},
          {"longitudeMinimum", "-122.5"},
          {"longitudeMaximum", "-122.25"},
          {"excludeAllObjects", "TRUE"}}},
        {"generated, escaped markup characters",
         Generated({"        latitudeMinimum = \"a &amp; b &lt;c&gt;\"", " />"}),
         {{"latitudeMinimum", "a & b <c>"}}},
        {"every predefined entity and numeric references",
         "<FSData><ExclusionRectangle a=\"&amp;&lt;&gt;&quot;&apos;&#65;&#x42;&#xe9;&#233;&#x1F600;\"/></FSData>",
         {{"a", "&<>\"'AB\xC3\xA9\xC3\xA9\xF0\x9F\x98\x80"}}},
        {"quotes of the other kind inside a value",
         "<FSData><ExclusionRectangle a='say \"hi\"' b=\"it's\"/></FSData>",
         {{"a", "say \"hi\""}, {"b", "it's"}}},
        {"line ends and tabs in a value become blanks, referenced ones stay",
         "<FSData><ExclusionRectangle a=\"x\r\n\ty\rz\n.\" b=\"&#10;&#13;&#9;\"/></FSData>",
         {{"a", "x  y z ."}, {"b", "\n\r\t"}}},
        {"'>' and UTF-8 letters are plain value characters",
         "<FSData><ExclusionRectangle a=\"N47\xC2\xB0 > 3\"/></FSData>",
         {{"a", "N47\xC2\xB0 > 3"}}},
        {"no declaration, separate end tag, no attributes",
         "<FSData><ExclusionRectangle></ExclusionRectangle></FSData>",
         {}},
        {"byte order mark, full declaration, LF line ends, comments, other elements and text",
         "\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8' standalone='yes' ?>\n<!-- before -->\n"
         "<FSData>\n  text &amp; more &#x41; > ]]\n  <!-- inside - fine -->\n"
         "  <Other><ExclusionRectangleX/></Other>\n"
         "  <ExclusionRectangle x = 'y' ></ExclusionRectangle >\n</FSData >\n<!-- after --><!---->\n",
         {{"x", "y"}}},
    };
    for (const Case& c : cases) {
        const FsDataCheck check = CheckFsData(c.text);
        EXPECT_TRUE(check.ok) << c.name << ": " << check.error;
        EXPECT_EQ(check.error, "") << c.name;
        EXPECT_EQ(Pairs(check), c.expected) << c.name;
    }
}

TEST(CheckFsData, RejectsFaultyDocumentsNamingTheLine) {
    struct Case {
        const char* name;
        std::string text;
        const char* error;  // The whole message is "line N: ..." and holds this.
        int line;
    };
    const std::string rectangleLine = "        latitudeMaximum = \"47.5\"";
    const Case cases[] = {
        {"unescaped '\"' ends the value early", Generated({"        latitudeMinimum = \"N47 25' 53.4\"\" />"}),
         "unexpected '\"' after the value of latitudeMinimum", 7},
        {"raw '&' in a value", Generated({rectangleLine, "        latitudeMinimum = \"47 & 48\" />"}),
         "'&' not starting a reference", 8},
        {"raw '<' in a value", Generated({"        latitudeMinimum = \"<47\" />"}),
         "raw '<' in the value of latitudeMinimum", 7},
        {"value quote never closed", Generated({"        latitudeMinimum = \"47 />"}),
         "raw '<' in the value of latitudeMinimum", 8},
        {"value quote open at the end", "<FSData><ExclusionRectangle a='x", "the value of a has no closing quote", 1},
        {"unknown entity", "<FSData>\n<ExclusionRectangle a=\"&nbsp;\"/></FSData>", "unknown entity &nbsp;", 2},
        {"entity without ';'", "<FSData><ExclusionRectangle a=\"&amp\"/></FSData>", "'&' not starting a reference", 1},
        {"'&#;' has no digits", "<FSData><ExclusionRectangle a=\"&#;\"/></FSData>", "'&' not starting a reference", 1},
        {"upper-case X in a reference", "<FSData><ExclusionRectangle a=\"&#X43;\"/></FSData>",
         "'&' not starting a reference", 1},
        {"hex digits in a decimal reference", "<FSData><ExclusionRectangle a=\"&#1F;\"/></FSData>",
         "'&' not starting a reference", 1},
        {"reference to a surrogate", "<FSData><ExclusionRectangle a=\"&#xD800;\"/></FSData>",
         "&#xD800; is no XML character", 1},
        {"reference to NUL", "<FSData><ExclusionRectangle a=\"&#0;\"/></FSData>", "&#0; is no XML character", 1},
        {"reference past Unicode", "<FSData><ExclusionRectangle a=\"&#x110000;\"/></FSData>", "is no XML character", 1},
        // 2^32 + 65: wrapped around in 32 bits it would read as 'A'.
        {"reference of many digits", "<FSData><ExclusionRectangle a=\"&#4294967361;\"/></FSData>",
         "is no XML character", 1},
        {"raw '&' in text", "<FSData>\r\n a & b\r\n<ExclusionRectangle/></FSData>", "'&' not starting a reference", 2},
        {"raw '<' in text", "<FSData>\r\n<ExclusionRectangle/> a < b</FSData>", "'<' not followed by a tag name", 2},
        {"']]>' in text", "<FSData><ExclusionRectangle/>]]></FSData>", "']]>' is not allowed in text", 1},
        {"mismatched end tag", "<FSData>\n<ExclusionRectangle>\n</Exclusion>\n</FSData>",
         "</Exclusion> does not match <ExclusionRectangle> of line 2", 3},
        {"end tags in the wrong order", "<FSData><A>\n<B></A></B><ExclusionRectangle/></FSData>",
         "</A> does not match <B> of line 2", 2},
        {"root never closed", "<FSData>\r\n<ExclusionRectangle/>\r\n", "<FSData> is not closed by the end of the file",
         1},
        {"tag cut off by the end of the file", "<FSData>\n<ExclusionRectangle a=\"1\"",
         "the tag <ExclusionRectangle> is not closed", 2},
        {"end tag cut off", "<FSData><ExclusionRectangle/></FSData", "the end tag </FSData> is not closed", 1},
        {"end tag first", "</FSData>", "the end tag </FSData> has no start tag", 1},
        {"two rectangles",
         Generated(
             {"        latitudeMinimum = \"1\" />", "   <ExclusionRectangle", "        latitudeMinimum = \"2\" />"}),
         "a second ExclusionRectangle element", 8},
        {"no rectangle", "<?xml version=\"1.0\"?>\r\n<FSData version=\"9.0\">\r\n</FSData>\r\n",
         "FSData holds no ExclusionRectangle element", 2},
        {"rectangle deeper down", "<FSData><Group>\n<ExclusionRectangle/></Group></FSData>",
         "ExclusionRectangle must be a child of FSData, not of Group", 2},
        {"wrong root", "<?xml version=\"1.0\"?>\n<Data><ExclusionRectangle/></Data>",
         "the root element is <Data>, not <FSData>", 2},
        {"root name in the wrong case", "<fsdata><ExclusionRectangle/></fsdata>",
         "the root element is <fsdata>, not <FSData>", 1},
        {"only white space", " \r\n\t\r\n", "the document has no root element", 3},
        {"only a declaration", "<?xml version=\"1.0\"?>\r\n", "the document has no root element", 2},
        {"text before the root", "FSData\r\n<FSData><ExclusionRectangle/></FSData>", "text before the root element", 1},
        {"text after the root", Generated({" />"}) + "x", "only comments and white space may follow the root element",
         10},
        {"a second root", "<FSData><ExclusionRectangle/></FSData>\n<FSData/>",
         "only comments and white space may follow", 2},
        {"duplicate attribute", "<FSData><ExclusionRectangle\r\n a=\"1\"\r\n a='1'/></FSData>",
         "<ExclusionRectangle> has two a attributes", 3},
        {"no blank between attributes", "<FSData><ExclusionRectangle a=\"1\"b=\"2\"/></FSData>",
         "unexpected 'b' after the value of a", 1},
        {"attribute without a value", "<FSData x><ExclusionRectangle/></FSData>", "the attribute x has no '='", 1},
        {"value without quotes", "<FSData x=1><ExclusionRectangle/></FSData>", "the value of x must be in quotes", 1},
        {"stray character in a tag", "<FSData\n ><ExclusionRectangle\n/ ></FSData>",
         "unexpected '/' in <ExclusionRectangle>", 3},
        {"blank before the tag name", "< FSData><ExclusionRectangle/></FSData>", "'<' not followed by a tag name", 1},
        {"'--' inside a comment", "<FSData><!-- a -- b --><ExclusionRectangle/></FSData>", "'--' inside a comment", 1},
        {"comment ending '--->'", "<FSData><ExclusionRectangle/></FSData>\n<!-- x --->", "'--' inside a comment", 2},
        {"comment never closed", "<FSData><ExclusionRectangle/></FSData>\n<!-- x ->", "the comment is not closed", 2},
        {"declaration after a blank line", "\r\n<?xml version=\"1.0\"?><FSData><ExclusionRectangle/></FSData>",
         "the XML declaration must be the first thing in the file", 2},
        {"declaration without version", "<?xml encoding=\"UTF-8\"?><FSData><ExclusionRectangle/></FSData>",
         "the XML declaration must start with the version", 1},
        {"empty declaration", "<?xml?><FSData><ExclusionRectangle/></FSData>", "the XML declaration has no version", 1},
        {"declaration of XML 2.0", "<?xml version=\"2.0\"?><FSData><ExclusionRectangle/></FSData>",
         "is not an XML 1.x version", 1},
        {"declaration out of order", "<?xml version=\"1.0\" standalone=\"no\" encoding=\"UTF-8\"?><FSData/>",
         "unexpected 'encoding' in the XML declaration", 1},
        {"declaration never closed", "<?xml version=\"1.0\"\r\n<FSData><ExclusionRectangle/></FSData>",
         "unexpected '<' in the XML declaration", 2},
        {"another encoding", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><FSData><ExclusionRectangle/></FSData>",
         "encoding \"ISO-8859-1\" is beyond this stand-in", 1},
        {"processing instruction", "<FSData><?pi x?><ExclusionRectangle/></FSData>",
         "processing instructions are beyond", 1},
        {"DOCTYPE", "<!DOCTYPE FSData>\n<FSData><ExclusionRectangle/></FSData>",
         "DOCTYPE and CDATA sections are beyond", 1},
        {"CDATA section", "<FSData><![CDATA[x]]><ExclusionRectangle/></FSData>",
         "DOCTYPE and CDATA sections are beyond", 1},
        {"Windows-1252 degree sign", "<FSData>\r\n<ExclusionRectangle a=\"N47\xB0\"/></FSData>",
         "byte 0xB0 is not UTF-8 text", 2},
        {"overlong UTF-8", "<FSData><ExclusionRectangle a=\"\xC0\xAF\"/></FSData>", "byte 0xC0 is not UTF-8 text", 1},
        {"overlong three-byte UTF-8", "<FSData><ExclusionRectangle a=\"\xE0\x80\xAF\"/></FSData>",
         "byte 0xE0 is not UTF-8", 1},
        {"UTF-8 encoded surrogate", "<FSData><ExclusionRectangle a=\"\xED\xA0\x80\"/></FSData>",
         "byte 0xED is not UTF-8", 1},
        {"UTF-8 sequence cut off at the end", "<FSData><ExclusionRectangle/></FSData>\xE2\x82",
         "byte 0xE2 is not UTF-8 text", 1},
        {"UTF-16 byte order mark", std::string("\xFF\xFE<\0F\0", 6), "byte 0xFF is not UTF-8 text", 1},
        {"control character", "<FSData>\x01<ExclusionRectangle/></FSData>", "control character 0x01 is not allowed", 1},
        {"lone CR line ends are counted", "<FSData>\r\r<ExclusionRectangle a=\"&\"/></FSData>", "'&' not starting", 3},
    };
    for (const Case& c : cases) {
        const FsDataCheck check = CheckFsData(c.text);
        EXPECT_FALSE(check.ok) << c.name;
        const std::string prefix = "line " + std::to_string(c.line) + ": ";
        EXPECT_EQ(check.error.compare(0, prefix.size(), prefix), 0) << c.name << ": " << check.error;
        EXPECT_NE(check.error.find(c.error), std::string::npos) << c.name << ": " << check.error;
        EXPECT_TRUE(check.exclusionAttributes.empty()) << c.name;
    }
}

TEST(CheckFsData, RejectsAnEmptyFile) {
    const FsDataCheck check = CheckFsData("");
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.error, "the file is empty");
}

}  // namespace
