#include "generator/exclusion_source_reader.h"

#include <algorithm>
#include <array>

namespace {

struct Corner {
    const char* attribute;
    std::string ExclusionArea::*text;
    const char* description;
};

const std::array<Corner, 4> kCorners = {{
    {"latitudeMaximum", &ExclusionArea::latitudeMaximum, "the northwest latitude"},
    {"longitudeMinimum", &ExclusionArea::longitudeMinimum, "the northwest longitude"},
    {"latitudeMinimum", &ExclusionArea::latitudeMinimum, "the southeast latitude"},
    {"longitudeMaximum", &ExclusionArea::longitudeMaximum, "the southeast longitude"},
}};

const size_t kShownLines = 20;
// A line longer than this is cut: a value of thousands of characters would leave no message to read.
const size_t kShownLineLength = 120;

std::string Shown(const std::string& line) {
    return line.size() <= kShownLineLength ? line : line.substr(0, kShownLineLength) + "...";
}

// The value in capitals without the blanks around it.
std::string Word(const std::string& value) {
    const size_t first = value.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    std::string word = value.substr(first, value.find_last_not_of(" \t\r\n") + 1 - first);
    for (char& c : word) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return word;
}

}  // namespace

void ExclusionSourceReader::Read(const XmlNode& node) {
    if (node.end) {
        if (!open_.empty()) open_.pop_back();
        return;
    }
    Place place = Place::Inside;
    if (open_.empty()) {
        place = node.name == "FSData" ? Place::Root : Place::Dropped;
    } else if (open_.back() == Place::Root && node.name == "ExclusionRectangle") {
        place = Place::Rectangle;
        ReadRectangle(node.attributes);
    } else if (open_.back() == Place::Root || open_.back() == Place::Rectangle) {
        place = Place::Dropped;
        Count(elements_, elementOrder_, node.name);
    }
    open_.push_back(place);
}

void ExclusionSourceReader::ReadRectangle(const std::vector<XmlAttribute>& attributes) {
    ExclusionArea area;
    const std::string number = "area " + std::to_string(read_.areas.size() + 1) + ": ";
    std::array<bool, 4> garbled{};
    for (const XmlAttribute& attribute : attributes) {
        const auto corner = std::find_if(kCorners.begin(), kCorners.end(),
                                         [&](const Corner& c) { return attribute.name == c.attribute; });
        const auto type = std::find_if(kObjectTypes.begin(), kObjectTypes.end(),
                                       [&](const ObjectTypeInfo& t) { return attribute.name == t.attribute; });
        if (corner != kCorners.end()) {
            garbled[corner - kCorners.begin()] = !attribute.exact;
            area.*corner->text = attribute.exact ? attribute.value : "";
        } else if (type != kObjectTypes.end()) {
            const std::string word = Word(attribute.value);
            CheckState& state = area.objectTypes[type - kObjectTypes.begin()];
            state = word == "TRUE" || word == "YES" ? CheckState::Ticked : CheckState::Clear;
            if (word != "TRUE" && word != "YES" && word != "FALSE" && word != "NO") {
                areaLines_.push_back(number + attribute.name + "=\"" + attribute.value +
                                     "\", which is neither TRUE, YES, FALSE nor NO: the type is left clear");
            }
        } else {
            Count(attributes_, attributeOrder_, attribute.name);
        }
    }
    for (size_t i = 0; i < kCorners.size(); ++i) {
        const Corner& corner = kCorners[i];
        if (garbled[i]) {
            areaLines_.push_back(number + corner.attribute + " has characters that Windows' ANSI code page lacks (" +
                                 corner.description + ", left empty)");
        } else if ((area.*corner.text).empty()) {
            areaLines_.push_back(number + "no " + corner.attribute + " (" + corner.description + ")");
        }
    }
    read_.areas.push_back(area);
}

void ExclusionSourceReader::Count(std::map<std::string, size_t>& counts, std::vector<std::string>& order,
                                  const std::string& name) {
    if (counts[name]++ == 0) order.push_back(name);
}

Result<SourceAreas> ExclusionSourceReader::Finish() {
    Result<SourceAreas> result;
    if (read_.areas.empty()) {
        result.error = Failure::NoExclusionRectangle;
        return result;
    }
    for (const std::string& name : elementOrder_) read_.dropped.push_back(std::to_string(elements_[name]) + " " + name);
    for (const std::string& name : attributeOrder_) {
        const size_t count = attributes_[name];
        read_.dropped.push_back("the attribute " + name + ", in " +
                                (count == 1 ? "1 area" : std::to_string(count) + " areas"));
    }
    read_.dropped.insert(read_.dropped.end(), areaLines_.begin(), areaLines_.end());
    result.value = std::move(read_);
    return result;
}

std::string DroppedMessage(const std::string& path, const SourceAreas& read) {
    if (read.dropped.empty()) return "";
    const size_t count = read.areas.size();
    std::string message = "The XML source \"" + path + "\" was opened as " +
                          (count == 1 ? "1 area" : std::to_string(count) + " areas") +
                          ". Zonewright does not keep what follows, and the next Generate will not write it:\r\n";
    for (size_t i = 0; i < read.dropped.size() && i < kShownLines; ++i) message += "\r\n" + Shown(read.dropped[i]);
    if (read.dropped.size() > kShownLines) {
        message += "\r\nand " + std::to_string(read.dropped.size() - kShownLines) + " more";
    }
    return message + "\r\n\r\nThe file itself is unchanged.";
}
