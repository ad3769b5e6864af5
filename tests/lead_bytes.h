#pragma once

#include "storage/ansi_text.h"

// The lead bytes of the Japanese code page 932: 0x81-0x9F and 0xE0-0xFC. The byte after one may
// be a backslash (0x5C), a "[" (0x5B) or a letter.
inline LeadBytes JapaneseLeadBytes() {
    LeadBytes lead;
    for (int byte = 0x81; byte <= 0xFC; ++byte) lead.set(byte, byte <= 0x9F || byte >= 0xE0);
    return lead;
}
