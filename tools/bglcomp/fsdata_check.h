#pragma once

#include <string>
#include <vector>

// The stand-in compiler's check of a BGLComp XML source: a well-formed XML document (UTF-8,
// as a document without an encoding declaration must be) whose root element is FSData and
// which holds exactly one ExclusionRectangle, a child of FSData. DOCTYPE, CDATA sections and
// processing instructions are legal XML but beyond this small checker; it rejects them by name.

struct XmlAttribute {
    std::string name;
    std::string value;  // Decoded: references replaced, white space normalized as XML does.
};

struct FsDataCheck {
    bool ok = false;
    std::string error;                              // "line N: ..." when the fault has a place.
    std::vector<XmlAttribute> exclusionAttributes;  // Of the ExclusionRectangle, in document order.
};

FsDataCheck CheckFsData(const std::string& text);
