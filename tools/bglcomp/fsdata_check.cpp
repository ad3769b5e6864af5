#include "fsdata_check.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// ASCII letters and the XML name punctuation; any non-ASCII letter is taken as a name character.
bool IsNameStart(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_' || u == ':' || u >= 0x80;
}

bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// The characters XML allows in a document.
bool IsXmlChar(uint32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

void AppendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The length of the UTF-8 sequence at pos when it encodes an XML character, otherwise 0.
size_t Utf8CharLength(const std::string& text, size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) return IsXmlChar(lead) ? 1 : 0;
    size_t length;
    uint32_t c;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() - pos < length) return 0;
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[pos + k]);
        if ((next & 0xC0) != 0x80) return 0;
        c = (c << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
    return !overlong && IsXmlChar(c) ? length : 0;
}

// The digit's value, or -1 when c is no digit of the base.
int DigitValue(char c, bool hex) {
    if (c >= '0' && c <= '9') return c - '0';
    if (hex && c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Hex(unsigned value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", value);
    return buffer;
}

// How an unexpected character is named in a message.
std::string Describe(char c) {
    if (c == '\'') return "\"'\"";
    if (c > ' ' && c < 0x7F) return std::string("'") + c + "'";
    if (IsSpace(c)) return "white space";
    return "character " + Hex(static_cast<unsigned char>(c));
}

struct OpenElement {
    std::string name;
    size_t start;
};

class Checker {
public:
    explicit Checker(const std::string& text) : text_(text) {}

    FsDataCheck Run() {
        FsDataCheck result;
        if (text_.empty()) {
            result.error = "the file is empty";
        } else if (CheckDocument()) {
            result.ok = true;
            result.exclusionAttributes = exclusionAttributes_;
        } else {
            result.error = error_;
        }
        return result;
    }

private:
    bool CheckDocument() {
        if (StartsWith("\xEF\xBB\xBF")) pos_ = 3;  // A UTF-8 byte order mark.
        if (StartsWith("<?xml") && pos_ + 5 < text_.size() && (IsSpace(text_[pos_ + 5]) || text_[pos_ + 5] == '?')) {
            if (!ParseDeclaration()) return false;
        }
        if (!CheckCharacters()) return false;
        if (!SkipMisc()) return false;
        if (AtEnd()) return Fail(pos_, "the document has no root element");
        if (Peek() != '<') return Fail(pos_, "text before the root element");
        if (!ParseElements()) return false;
        if (!SkipMisc()) return false;
        if (!AtEnd()) return Fail(pos_, "only comments and white space may follow the root element");
        if (exclusionCount_ == 0) return Fail(rootStart_, "FSData holds no ExclusionRectangle element");
        return true;
    }

    // The whole text at once, before the markup: the parser may then take any non-ASCII byte as part of a valid
    // character.
    bool CheckCharacters() {
        for (size_t i = pos_; i < text_.size();) {
            const size_t length = Utf8CharLength(text_, i);
            if (length == 0) {
                const auto byte = static_cast<unsigned char>(text_[i]);
                if (byte < 0x20) return Fail(i, "control character " + Hex(byte) + " is not allowed in XML");
                return Fail(i, "byte " + Hex(byte) + " is not UTF-8 text, and the document declares no other encoding");
            }
            i += length;
        }
        return true;
    }

    // <?xml version="1.x" encoding="..." standalone="..."?>, the last two optional, in this order.
    bool ParseDeclaration() {
        const size_t start = pos_;
        pos_ += 5;
        static const char* const kOrder[] = {"version", "encoding", "standalone"};
        size_t next = 0;
        for (;;) {
            const bool spaced = SkipSpace();
            if (StartsWith("?>")) break;
            if (AtEnd()) return Fail(start, "the XML declaration is not closed");
            if (!spaced || !IsNameStart(Peek())) {
                return Fail(pos_, "unexpected " + Describe(Peek()) + " in the XML declaration");
            }
            const size_t nameStart = pos_;
            const std::string name = ParseName();
            size_t k = next;
            while (k < 3 && name != kOrder[k]) ++k;
            if (k == 3) return Fail(nameStart, "unexpected '" + name + "' in the XML declaration");
            if (next == 0 && k != 0) return Fail(nameStart, "the XML declaration must start with the version");
            next = k + 1;
            std::string value;
            if (!ParseDeclarationValue(name, value)) return false;
            if (!CheckDeclarationValue(name, value, nameStart)) return false;
        }
        pos_ += 2;
        if (next == 0) return Fail(start, "the XML declaration has no version");
        return true;
    }

    bool ParseDeclarationValue(const std::string& name, std::string& value) {
        SkipSpace();
        if (AtEnd() || Peek() != '=') return Fail(pos_, "'" + name + "' in the XML declaration has no '='");
        ++pos_;
        SkipSpace();
        if (AtEnd() || (Peek() != '"' && Peek() != '\'')) {
            return Fail(pos_, "the value of '" + name + "' must be in quotes");
        }
        const char quote = text_[pos_++];
        const size_t end = text_.find(quote, pos_);
        if (end == std::string::npos) return Fail(pos_, "the value of '" + name + "' has no closing quote");
        value = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        return true;
    }

    bool CheckDeclarationValue(const std::string& name, const std::string& value, size_t at) {
        if (name == "version") {
            const bool valid = value.size() > 2 && value.compare(0, 2, "1.") == 0 &&
                               value.find_first_not_of("0123456789", 2) == std::string::npos;
            if (!valid) return Fail(at, "version \"" + value + "\" is not an XML 1.x version");
        } else if (name == "encoding") {
            std::string upper;
            for (char c : value) upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
            if (upper != "UTF-8") {
                return Fail(at, "encoding \"" + value + "\" is beyond this stand-in, which reads UTF-8 only");
            }
        } else if (value != "yes" && value != "no") {
            return Fail(at, "standalone must be \"yes\" or \"no\"");
        }
        return true;
    }

    // White space and comments, as allowed around the root element.
    bool SkipMisc() {
        for (;;) {
            SkipSpace();
            if (!StartsWith("<!--")) return true;
            if (!ParseComment()) return false;
        }
    }

    bool ParseComment() {
        const size_t start = pos_;
        const size_t dashes = text_.find("--", pos_ + 4);
        if (dashes == std::string::npos) return Fail(start, "the comment is not closed");
        if (dashes + 2 >= text_.size() || text_[dashes + 2] != '>') return Fail(dashes, "'--' inside a comment");
        pos_ = dashes + 3;
        return true;
    }

    // From the root's start tag to its end tag; an explicit stack, so deep nesting cannot exhaust the call stack.
    bool ParseElements() {
        std::vector<OpenElement> open;
        do {
            if (AtEnd()) {
                return Fail(open.back().start, "<" + open.back().name + "> is not closed by the end of the file");
            }
            if (StartsWith("<!--")) {
                if (!ParseComment()) return false;
            } else if (StartsWith("<?")) {
                return Fail(pos_, StartsWith("<?xml") ? "the XML declaration must be the first thing in the file"
                                                      : "processing instructions are beyond this stand-in");
            } else if (StartsWith("<!")) {
                return Fail(pos_, "DOCTYPE and CDATA sections are beyond this stand-in");
            } else if (StartsWith("</")) {
                if (!ParseEndTag(open)) return false;
            } else if (Peek() == '<') {
                if (!ParseStartTag(open)) return false;
            } else if (!ParseText()) {
                return false;
            }
        } while (!open.empty());
        return true;
    }

    bool ParseStartTag(std::vector<OpenElement>& open) {
        const size_t start = pos_++;
        if (AtEnd() || !IsNameStart(Peek())) {
            return Fail(start, "'<' not followed by a tag name (write &lt; for a '<')");
        }
        const std::string name = ParseName();
        std::vector<XmlAttribute> attributes;
        bool selfClosing = false;
        for (;;) {
            const bool spaced = SkipSpace();
            if (AtEnd()) return Fail(start, "the tag <" + name + "> is not closed");
            if (Peek() == '>') {
                ++pos_;
                break;
            }
            if (StartsWith("/>")) {
                pos_ += 2;
                selfClosing = true;
                break;
            }
            if (!spaced && !attributes.empty()) {
                return Fail(pos_, "unexpected " + Describe(Peek()) + " after the value of " + attributes.back().name);
            }
            if (!spaced || !IsNameStart(Peek())) {
                return Fail(pos_, "unexpected " + Describe(Peek()) + " in <" + name + ">");
            }
            const size_t attributeStart = pos_;
            XmlAttribute attribute;
            if (!ParseAttribute(attribute)) return false;
            for (const XmlAttribute& earlier : attributes) {
                if (earlier.name == attribute.name) {
                    return Fail(attributeStart, "<" + name + "> has two " + attribute.name + " attributes");
                }
            }
            attributes.push_back(attribute);
        }
        if (!CheckPlace(open, name, start)) return false;
        if (name == "ExclusionRectangle") exclusionAttributes_ = attributes;
        if (!selfClosing) open.push_back({name, start});
        return true;
    }

    // Where FSData and ExclusionRectangle may stand.
    bool CheckPlace(const std::vector<OpenElement>& open, const std::string& name, size_t start) {
        if (open.empty()) {
            rootStart_ = start;
            if (name != "FSData") return Fail(start, "the root element is <" + name + ">, not <FSData>");
        } else if (name == "ExclusionRectangle") {
            if (open.size() != 1) {
                return Fail(start, "ExclusionRectangle must be a child of FSData, not of " + open.back().name);
            }
            if (++exclusionCount_ > 1) return Fail(start, "a second ExclusionRectangle element");
        }
        return true;
    }

    bool ParseAttribute(XmlAttribute& attribute) {
        attribute.name = ParseName();
        SkipSpace();
        if (AtEnd() || Peek() != '=') return Fail(pos_, "the attribute " + attribute.name + " has no '='");
        ++pos_;
        SkipSpace();
        if (AtEnd() || (Peek() != '"' && Peek() != '\'')) {
            return Fail(pos_, "the value of " + attribute.name + " must be in quotes");
        }
        const size_t start = pos_;
        const char quote = text_[pos_++];
        for (;;) {
            if (AtEnd()) return Fail(start, "the value of " + attribute.name + " has no closing quote");
            const char c = Peek();
            if (c == quote) break;
            if (c == '<') return Fail(pos_, "a raw '<' in the value of " + attribute.name + " (write &lt;)");
            if (c == '&') {
                if (!ParseReference(attribute.value)) return false;
                continue;
            }
            // XML turns each literal line end (CR LF counts once) and tab in a value into one blank.
            if (c == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
            attribute.value += IsSpace(c) ? ' ' : c;
            ++pos_;
        }
        ++pos_;
        return true;
    }

    bool ParseEndTag(std::vector<OpenElement>& open) {
        const size_t start = pos_;
        pos_ += 2;
        if (AtEnd() || !IsNameStart(Peek())) return Fail(start, "'</' not followed by a tag name");
        const std::string name = ParseName();
        SkipSpace();
        if (AtEnd() || Peek() != '>') return Fail(start, "the end tag </" + name + "> is not closed");
        ++pos_;
        if (open.empty()) return Fail(start, "the end tag </" + name + "> has no start tag");
        if (open.back().name != name) {
            return Fail(start, "the end tag </" + name + "> does not match <" + open.back().name + "> of line " +
                                   std::to_string(LineAt(open.back().start)));
        }
        open.pop_back();
        return true;
    }

    // Character data, up to the next markup; only checked, as no text is reported.
    bool ParseText() {
        std::string ignored;
        while (!AtEnd() && Peek() != '<') {
            if (Peek() == '&') {
                if (!ParseReference(ignored)) return false;
            } else if (StartsWith("]]>")) {
                return Fail(pos_, "']]>' is not allowed in text");
            } else {
                ++pos_;
            }
        }
        return true;
    }

    // &amp; &lt; &gt; &quot; &apos;, &#decimal; or &#xhex;, appended to out decoded.
    bool ParseReference(std::string& out) {
        const size_t start = pos_++;
        const std::string fault = "'&' not starting a reference such as &amp; (write &amp; for a '&')";
        if (!AtEnd() && Peek() == '#') {
            ++pos_;
            const bool hex = !AtEnd() && Peek() == 'x';
            if (hex) ++pos_;
            uint32_t code = 0;
            size_t digits = 0;
            for (int digit; !AtEnd() && (digit = DigitValue(Peek(), hex)) >= 0; ++pos_, ++digits) {
                // Capped, so that long digit strings cannot overflow; anything past 0x10FFFF is refused below.
                if (code <= 0x10FFFF) code = code * (hex ? 16 : 10) + digit;
            }
            if (digits == 0 || AtEnd() || Peek() != ';') return Fail(start, fault);
            ++pos_;
            if (!IsXmlChar(code)) {
                return Fail(start, "the reference " + text_.substr(start, pos_ - start) + " is no XML character");
            }
            AppendUtf8(out, code);
            return true;
        }
        if (AtEnd() || !IsNameStart(Peek())) return Fail(start, fault);
        const std::string name = ParseName();
        if (AtEnd() || Peek() != ';') return Fail(start, fault);
        ++pos_;
        static const struct {
            const char* name;
            char text;
        } kEntities[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
        for (const auto& entity : kEntities) {
            if (name == entity.name) {
                out += entity.text;
                return true;
            }
        }
        return Fail(start, "unknown entity &" + name + ";");
    }

    std::string ParseName() {
        const size_t start = pos_;
        while (!AtEnd() && IsNameChar(Peek())) ++pos_;
        return text_.substr(start, pos_ - start);
    }

    // Whether any white space was skipped.
    bool SkipSpace() {
        const size_t start = pos_;
        while (!AtEnd() && IsSpace(Peek())) ++pos_;
        return pos_ != start;
    }

    bool StartsWith(const char* prefix) const {
        return text_.compare(pos_, std::char_traits<char>::length(prefix), prefix) == 0;
    }
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return text_[pos_]; }

    // Lines end with LF, CR LF or a lone CR, as XML reads them.
    size_t LineAt(size_t at) const {
        size_t line = 1;
        for (size_t i = 0; i < at && i < text_.size(); ++i) {
            if (text_[i] == '\n' || (text_[i] == '\r' && (i + 1 >= text_.size() || text_[i + 1] != '\n'))) ++line;
        }
        return line;
    }

    bool Fail(size_t at, const std::string& message) {
        error_ = "line " + std::to_string(LineAt(at)) + ": " + message;
        return false;
    }

    const std::string& text_;
    size_t pos_ = 0;
    std::string error_;
    size_t rootStart_ = 0;
    int exclusionCount_ = 0;
    std::vector<XmlAttribute> exclusionAttributes_;
};

}  // namespace

FsDataCheck CheckFsData(const std::string& text) {
    return Checker(text).Run();
}
