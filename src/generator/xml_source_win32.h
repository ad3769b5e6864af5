#pragma once

#include <string>

#include "generator/exclusion_source_reader.h"
#include "model/result.h"

// Reads an exclusion source, an XML file whatever it is called, with the platform's XML parser
// (XmlLite, loaded at the first call) in the encoding the file declares: its areas and what they
// do not carry (DroppedMessage words it). Texts come in the ANSI code page. A failure comes with
// its report, after which nothing is to be loaded: a file that cannot be read or is larger than
// kXmlSourceLimit, one the parser cannot read (with the line and column where it stopped), one
// without an exclusion rectangle. The file is only read.
Result<SourceAreas> ReadExclusionSourceFile(const std::string& path);
