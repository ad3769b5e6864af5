#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "model/exclusion_area.h"
#include "model/result.h"

// Reading an exclusion source back: the elements of a parsed XML document, as a pull parser gives
// them in order, become the areas of its ExclusionRectangle elements and the list of what those
// areas cannot carry, which the next Generate will not write.

// An attribute as the parser decoded it (entities and character references), in the ANSI code page.
struct XmlAttribute {
    std::string name;   // as written, prefix and all
    std::string value;  // a character the code page lacks stands as its default character here
    bool exact = true;  // false when the value had such a character
};

// The start of an element with its attributes, or (end) the end of the element last started. An
// empty element gives both.
struct XmlNode {
    bool end = false;
    std::string name;
    std::vector<XmlAttribute> attributes;
};

// What a document gives: its rectangles as areas, in document order, and what they do not carry,
// one line for the user each ("2 SceneryObject").
struct SourceAreas {
    std::vector<ExclusionArea> areas;
    std::vector<std::string> dropped;
};

// The areas are the ExclusionRectangle elements directly in the root element FSData. Each
// coordinate attribute gives its text unchanged; each object-type attribute of kObjectTypes ticks
// its type when its value is TRUE or YES, in any case with blanks around it, and leaves it clear
// for FALSE or NO. Dropped: the other elements in FSData or in a rectangle (each counted by name
// with what it holds), the attributes of a rectangle that are neither, any other value of an
// object type, a coordinate that is missing or empty, and one with characters the ANSI code page
// lacks, which is left empty rather than loaded garbled.
class ExclusionSourceReader {
public:
    void Read(const XmlNode& node);
    // Once, after the document's last node. Failure::NoExclusionRectangle when it held no rectangle.
    Result<SourceAreas> Finish();

private:
    enum class Place { Root, Rectangle, Dropped, Inside };
    void ReadRectangle(const std::vector<XmlAttribute>& attributes);
    static void Count(std::map<std::string, size_t>& counts, std::vector<std::string>& order, const std::string& name);

    std::vector<Place> open_;
    SourceAreas read_;
    std::vector<std::string> areaLines_;  // the dropped lines of single areas, in area order
    std::map<std::string, size_t> elements_, attributes_;
    std::vector<std::string> elementOrder_, attributeOrder_;  // the names as first met
};

// The message to show after a load that dropped something, naming the file; "" when nothing was.
std::string DroppedMessage(const std::string& path, const SourceAreas& read);
