#include "generator/xml_source_win32.h"

#include <windows.h>

#include <objidl.h>
#include <xmllite.h>

#include <cstdio>
#include <memory>
#include <optional>

#include "generator/xml_input.h"
#include "storage/text_file.h"
#include "win32/loaded_library.h"
#include "win32/wide_text.h"

namespace {

static_assert(kAnsiCodePage == CP_ACP, "the ANSI code page as Windows numbers it");

using CreateReaderFunction = decltype(&CreateXmlReader);
using MemoryStreamFunction = IStream*(WINAPI*)(const BYTE*, UINT);

// Loaded at the first XML source opened.
LoadedLibrary xmllite("xmllite.dll");
LoadedLibrary shlwapi("shlwapi.dll");

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <class Interface>
using ComPointer = std::unique_ptr<Interface, Releaser>;

const char* const kNothingLoaded = "\r\n\r\nNothing was loaded.";

std::string CouldNotRead(const std::string& path) {
    return "The XML source \"" + path + "\" could not be read: ";
}

// What the parser's failure means for the user.
std::string ParseFailure(HRESULT result) {
    switch (static_cast<unsigned long>(result)) {
        case MX_E_ENCODING:
        case MX_E_ENCODINGSWITCH:
        case MX_E_ENCODINGSIGNATURE:
        case WC_E_ENCNAME: return "its encoding is one that Zonewright cannot read, or its bytes are not text in it";
        case WC_E_DTDPROHIBITED:
            return "it holds a document type declaration (DOCTYPE), which Zonewright does not read";
        default: return "it is not well-formed XML";
    }
}

std::string Narrow(const WCHAR* text, UINT length, bool& exact) {
    std::optional<std::string> narrow = Narrowed(text, length, CP_ACP, true);
    exact = narrow.has_value();
    if (!narrow) narrow = Narrowed(text, length, CP_ACP, false);
    return narrow.value_or("");
}

std::string Name(IXmlReader& reader) {
    const WCHAR* name = nullptr;
    UINT length = 0;
    bool exact = true;
    return SUCCEEDED(reader.GetQualifiedName(&name, &length)) ? Narrow(name, length, exact) : "";
}

// The bytes the parser reads: the file's, or its text in UTF-16 with a byte-order mark.
Result<std::string> ParserBytes(const std::string& path, std::string bytes) {
    XmlBytes input = PrepareXmlBytes(std::move(bytes));
    if (!input.codePage) return {std::move(input.bytes), {}, ""};
    const std::optional<WideText> wide = Widened(input.bytes, *input.codePage, MB_ERR_INVALID_CHARS);
    if (!wide) {
        return {"", Failure::NotReadableXml,
                CouldNotRead(path) + "its bytes are not text in the code page of its encoding." + kNothingLoaded};
    }
    std::string utf16 = "\xFF\xFE";
    utf16.append(reinterpret_cast<const char*>(wide->data()), wide->size() * sizeof(wchar_t));
    return {std::move(utf16), {}, ""};
}

// The parser over these bytes.
Result<ComPointer<IXmlReader>> StartParser(const std::string& path, const std::string& bytes) {
    Result<ComPointer<IXmlReader>> started;
    const auto create = xmllite.Get<CreateReaderFunction>("CreateXmlReader");
    const auto memoryStream = shlwapi.Get<MemoryStreamFunction>("SHCreateMemStream");
    LoadedLibrary& missing = !create ? xmllite : shlwapi;
    if (!create || !memoryStream) {
        started.error = missing.error();
        started.report = CouldNotRead(path) + (!create ? "xmllite.dll" : "shlwapi.dll") +
                         " could not be loaded.\r\n\r\n" + DescribeError(started.error);
        return started;
    }
    const ComPointer<IStream> stream(
        memoryStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
    IXmlReader* reader = nullptr;
    HRESULT result = stream ? create(__uuidof(IXmlReader), reinterpret_cast<void**>(&reader), nullptr) : E_OUTOFMEMORY;
    started.value.reset(reader);
    // Deeper than any exclusion source is nested, and a bound on what the reader keeps.
    if (SUCCEEDED(result)) result = reader->SetProperty(XmlReaderProperty_MaxElementDepth, 256);
    if (SUCCEEDED(result)) result = reader->SetInput(stream.get());
    if (FAILED(result)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
        started.error = std::error_code(static_cast<int>(result), std::system_category());
        started.report =
            CouldNotRead(path) + "the XML parser could not be started (error " + code + ")." + kNothingLoaded;
    }
    return started;
}

XmlNode Element(IXmlReader& reader) {
    XmlNode node;
    node.name = Name(reader);
    for (HRESULT at = reader.MoveToFirstAttribute(); at == S_OK; at = reader.MoveToNextAttribute()) {
        XmlAttribute attribute;
        attribute.name = Name(reader);
        const WCHAR* value = nullptr;
        UINT length = 0;
        if (SUCCEEDED(reader.GetValue(&value, &length))) attribute.value = Narrow(value, length, attribute.exact);
        node.attributes.push_back(std::move(attribute));
    }
    reader.MoveToElement();
    return node;
}

}  // namespace

Result<SourceAreas> ReadExclusionSourceFile(const std::string& path) {
    Result<std::string> file = ReadWholeFile(path, kXmlSourceLimit);
    if (file.error == Failure::FileTooLarge) {
        return Failed<SourceAreas>(file.error,
                                   "The XML source \"" + path +
                                       "\" could not be opened.\r\n\r\nIt is larger than 16 MB, which no exclusion "
                                       "source is." +
                                       kNothingLoaded);
    }
    if (file.error) {
        return Failed<SourceAreas>(
            file.error, "The XML source \"" + path + "\" could not be opened.\r\n\r\n" + DescribeError(file.error));
    }
    const Result<std::string> bytes = ParserBytes(path, std::move(file.value));
    if (bytes.error) return Failed<SourceAreas>(bytes.error, bytes.report);
    const Result<ComPointer<IXmlReader>> parser = StartParser(path, bytes.value);
    if (parser.error) return Failed<SourceAreas>(parser.error, parser.report);

    IXmlReader& reader = *parser.value;
    ExclusionSourceReader step;
    XmlNodeType type;
    HRESULT result;
    // Wine's XmlLite gives the last node again and again, at the same place, when the file ends
    // inside its root element. No two nodes in a row are of one type at one place: the second is a
    // file that ended too soon.
    XmlNodeType last = XmlNodeType_None;
    UINT lastLine = 0, lastColumn = 0;
    while ((result = reader.Read(&type)) == S_OK) {
        UINT line = 0, column = 0;
        reader.GetLineNumber(&line);
        reader.GetLinePosition(&column);
        if (type == last && line == lastLine && column == lastColumn) {
            result = MX_E_INPUTEND;
            break;
        }
        last = type;
        lastLine = line;
        lastColumn = column;
        if (type == XmlNodeType_Element) {
            const bool empty = reader.IsEmptyElement();
            step.Read(Element(reader));
            if (empty) step.Read(XmlNode{true, "", {}});
        } else if (type == XmlNodeType_EndElement) {
            step.Read(XmlNode{true, "", {}});
        }
    }
    if (FAILED(result)) {
        UINT line = 0, column = 0;
        reader.GetLineNumber(&line);
        reader.GetLinePosition(&column);
        const std::string where =
            line ? " (line " + std::to_string(line) + ", column " + std::to_string(column) + ")" : "";
        return Failed<SourceAreas>(Failure::NotReadableXml,
                                   CouldNotRead(path) + ParseFailure(result) + where + "." + kNothingLoaded);
    }
    Result<SourceAreas> read = step.Finish();
    if (read.error) {
        read.report =
            "The XML source \"" + path +
            "\" holds no exclusion area: it has no ExclusionRectangle element directly in its root element FSData." +
            kNothingLoaded;
    }
    return read;
}
