// Reading an exclusion source back: the bytes of an XML file on their way to the parser, and the
// elements a parser gives turned into areas, any bytes. Input: the whole is first taken as a
// file's bytes; then it is cut at NULs into nodes. An empty node is an element's end; any other
// is a start, its fields cut at the byte 0x01: the element's name, then attributes as name=value.
// A value that begins with 0x02 is one with characters the code page lacks. The one-byte names
// F and R stand for FSData and ExclusionRectangle, 0 to 3 for the four corners and a to h for the
// eight object types.

#include <algorithm>
#include <cstring>

#include "fuzz_input.h"
#include "generator/exclusion_source_reader.h"
#include "generator/xml_input.h"

namespace {

const char* const kCornerNames[] = {"latitudeMaximum", "longitudeMinimum", "latitudeMinimum", "longitudeMaximum"};

std::string Expanded(const std::string& name) {
    if (name == "F") return "FSData";
    if (name == "R") return "ExclusionRectangle";
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '3') return kCornerNames[name[0] - '0'];
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'h') return kObjectTypes[name[0] - 'a'].attribute;
    return name;
}

XmlNode Node(const std::string& piece) {
    XmlNode node;
    node.end = piece.empty();
    std::vector<std::string> fields;
    for (size_t start = 0;;) {
        const size_t cut = piece.find('\x01', start);
        fields.push_back(piece.substr(start, cut - start));
        if (cut == std::string::npos) break;
        start = cut + 1;
    }
    node.name = Expanded(fields[0]);
    for (size_t i = 1; i < fields.size(); ++i) {
        const size_t equals = fields[i].find('=');
        XmlAttribute attribute;
        attribute.name = Expanded(fields[i].substr(0, equals));
        if (equals != std::string::npos) attribute.value = fields[i].substr(equals + 1);
        attribute.exact = attribute.value.empty() || attribute.value[0] != '\x02';
        node.attributes.push_back(attribute);
    }
    return node;
}

// The last value of the attribute of this name, or none.
const XmlAttribute* Last(const XmlNode& node, const char* name) {
    const XmlAttribute* last = nullptr;
    for (const XmlAttribute& attribute : node.attributes) {
        if (attribute.name == name) last = &attribute;
    }
    return last;
}

void CheckBytes(const std::string& input) {
    const XmlBytes prepared = PrepareXmlBytes(input);
    Require(prepared.bytes.size() == input.size(), "the parser gets as many bytes");
    const bool bigEndian = input.size() >= 2 && (input.compare(0, 2, "\xFE\xFF") == 0 || (!input[0] && input[1]));
    if (!prepared.codePage && !bigEndian) Require(prepared.bytes == input, "what the parser reads goes unchanged");
    if (prepared.codePage) {
        const size_t end = input.find("?>");
        const size_t changed = end == std::string::npos ? 0 : end;
        Require(prepared.bytes.compare(changed, std::string::npos, input, changed, std::string::npos) == 0,
                "only the declaration changes");
    }
    if (!prepared.codePage) {
        Require(BeginsLikeXml(prepared.bytes) == BeginsLikeXml(input), "turned little-endian, the same start");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckBytes(std::string(reinterpret_cast<const char*>(data), size));

    ExclusionSourceReader reader;
    std::vector<std::string> open;
    std::vector<XmlNode> rectangles;
    for (const std::string& piece : SplitAtNul(data, size, size + 1)) {
        const XmlNode node = Node(piece);
        reader.Read(node);
        if (node.end) {
            if (!open.empty()) open.pop_back();
            continue;
        }
        if (open.size() == 1 && open[0] == "FSData" && node.name == "ExclusionRectangle") rectangles.push_back(node);
        open.push_back(node.name);
    }
    const Result<SourceAreas> read = reader.Finish();
    Require(read.value.areas.size() == rectangles.size(), "an area for each rectangle directly in FSData");
    Require(!read.error == !rectangles.empty(), "no rectangle is the one failure");
    for (size_t i = 0; i < rectangles.size(); ++i) {
        const ExclusionArea& area = read.value.areas[i];
        const std::string* const texts[] = {&area.latitudeMaximum, &area.longitudeMinimum, &area.latitudeMinimum,
                                            &area.longitudeMaximum};
        for (size_t k = 0; k < 4; ++k) {
            const XmlAttribute* corner = Last(rectangles[i], kCornerNames[k]);
            Require(*texts[k] == (corner && corner->exact ? corner->value : ""), "a corner's text as decoded");
        }
        for (size_t type = 0; type < kObjectTypes.size(); ++type) {
            const XmlAttribute* value = Last(rectangles[i], kObjectTypes[type].attribute);
            const bool ticked = area.objectTypes[type] == CheckState::Ticked;
            Require(ticked || area.objectTypes[type] == CheckState::Clear, "ticked or clear");
            Require(!ticked || (value && value->value.find_first_of("TtYy") != std::string::npos),
                    "ticked by TRUE, YES");
            if (value && (value->value == "TRUE" || value->value == "yes")) Require(ticked, "TRUE and yes tick");
        }
    }
    const std::string message = DroppedMessage("C:\\x.xml", read.value);
    Require(message.empty() == read.value.dropped.empty(), "a message when something was dropped");
    for (const std::string& line : read.value.dropped) {
        Require(!line.empty(), "no empty line");
        if (line.compare(0, 5, "area ") == 0) {
            Require(std::strtoul(line.c_str() + 5, nullptr, 10) - 1 < rectangles.size(), "the area is one of them");
        }
    }
    return 0;
}
