#include "fslink/fsconnect_win32.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

// One request's answer, shared with the callback that receives it.
struct Answer {
    bool arrived = false;
    bool abandoned = false;  // its time is up: the callback clears it up alone
    LRESULT result = 0;
};

// A reply atom is a negative 16-bit result; an abandoned answer's atom has no other taker.
void DeleteReplyAtom(LRESULT result) {
    const int16_t value = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uintptr_t>(result)));
    if (value < 0) GlobalDeleteAtom(static_cast<ATOM>(static_cast<uint16_t>(value)));
}

VOID CALLBACK OnAnswer(HWND, UINT, ULONG_PTR data, LRESULT result) {
    Answer* answer = reinterpret_cast<Answer*>(data);
    if (answer->abandoned) {
        DeleteReplyAtom(result);
        delete answer;
        return;
    }
    answer->arrived = true;
    answer->result = result;
}

}  // namespace

Win32FscPlatform::Win32FscPlatform(std::function<void()> slowAnswer) : slowAnswer_(std::move(slowAnswer)) {}

uint32_t Win32FscPlatform::RegisterMessage(const std::string& name) { return RegisterWindowMessageA(name.c_str()); }

uintptr_t Win32FscPlatform::FindTopWindow(const std::string& className) {
    return reinterpret_cast<uintptr_t>(FindWindowA(className.c_str(), nullptr));
}

bool Win32FscPlatform::Send(uintptr_t window, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t timeoutMs,
                            intptr_t& result) {
    HWND target = reinterpret_cast<HWND>(window);
    Answer* answer = new Answer;
    if (!SendMessageCallbackA(target, message, wParam, lParam, &OnAnswer, reinterpret_cast<ULONG_PTR>(answer))) {
        delete answer;
        return false;
    }
    // The callback comes with the sent messages of this thread's queue: those alone are taken,
    // so no click or key of the user's is handled while the answer is awaited. The wait goes in
    // slices, so that a window that is gone, and so will never answer, is noticed.
    const uint64_t start = NowMs();
    const uint64_t deadline = start + timeoutMs;
    while (!answer->arrived) {
        const uint64_t now = NowMs();
        if (now >= deadline) break;
        if (slowAnswer_ && now >= start + kSlowAnswerMs) {
            slowAnswer_();
            slowAnswer_ = nullptr;
        }
        const uint64_t sliceEnd = std::min(deadline, slowAnswer_ ? start + kSlowAnswerMs : now + 100);
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(sliceEnd - now), QS_SENDMESSAGE) ==
                WAIT_TIMEOUT &&
            !IsWindow(target)) {
            break;
        }
        MSG ignored;
        PeekMessageA(&ignored, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    if (!answer->arrived) {
        answer->abandoned = true;
        return false;
    }
    result = static_cast<intptr_t>(answer->result);
    delete answer;
    return true;
}

std::string Win32FscPlatform::AtomName(uint16_t atom, int bufferSize) {
    std::vector<char> name(static_cast<size_t>(bufferSize), '\0');
    const UINT copied = GlobalGetAtomNameA(atom, name.data(), bufferSize);
    return std::string(name.data(), copied);
}

void Win32FscPlatform::DeleteAtom(uint16_t atom) { GlobalDeleteAtom(atom); }

uint64_t Win32FscPlatform::NowMs() { return GetTickCount64(); }
