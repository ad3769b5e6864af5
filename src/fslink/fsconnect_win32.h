#pragma once

#include "fslink/fsconnect_client.h"

// The FSConnect client's platform: window messages and the global atom table. A request that
// has no answer within five seconds, or goes to a hung window, counts as no answer.
class Win32FscPlatform : public FscPlatform {
public:
    uint32_t RegisterMessage(const std::string& name) override;
    uintptr_t FindTopWindow(const std::string& className) override;
    bool Send(uintptr_t window, uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result) override;
    std::string AtomName(uint16_t atom, int bufferSize) override;
    void DeleteAtom(uint16_t atom) override;
};
