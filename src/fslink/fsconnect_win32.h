#pragma once

#include <functional>

#include "fslink/fsconnect_client.h"

// The FSConnect client's platform: window messages and the global atom table. A request is
// sent without blocking on FSConnect and awaited until its time is up; meanwhile the thread
// takes only the answers of other windows' sent messages, no input. An answer that comes
// after its time has its reply atom deleted when it arrives, so none stays in the system's
// atom table.
class Win32FscPlatform : public FscPlatform {
public:
    // `slowAnswer` is called once when an answer has not come within kSlowAnswerMs: the time
    // to show that the program waits.
    explicit Win32FscPlatform(std::function<void()> slowAnswer = nullptr);
    static constexpr uint32_t kSlowAnswerMs = 50;

    uint32_t RegisterMessage(const std::string& name) override;
    uintptr_t FindTopWindow(const std::string& className) override;
    bool Send(uintptr_t window, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t timeoutMs,
              intptr_t& result) override;
    std::string AtomName(uint16_t atom, int bufferSize) override;
    void DeleteAtom(uint16_t atom) override;
    uint64_t NowMs() override;

private:
    std::function<void()> slowAnswer_;
};
