#include "shell/single_instance_win.h"

#include <sddl.h>

#include <string>

#include "common/hook_window_address_win.h"
#include "common/texts.h"
#include "common/wide_text_win.h"

namespace rilto {

namespace {

// The user's SID as text, so that each user has an instance of their own.
std::wstring UserSid() {
    HANDLE rawToken = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken)) {
        return L"unknown";
    }
    const UniqueHandle token(rawToken);
    alignas(TOKEN_USER) BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    if (!GetTokenInformation(token.get(), TokenUser, buffer, sizeof buffer, &size)) {
        return L"unknown";
    }
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text)) {
        return L"unknown";
    }
    std::wstring sid(text);
    LocalFree(text);
    return sid;
}

void TellAlreadyRunning() {
    MessageBoxW(nullptr, Widen(kAlreadyRunning).c_str(), Widen(kAlreadyRunningTitle).c_str(),
                MB_OK);
}

void HandOver(const StartDecision& start) {
    const HWND target = RunningCopyWindow(start.handle);
    if (target == nullptr) {
        TellAlreadyRunning();
        return;
    }
    // This start has the foreground; the running copy needs it for the menu it opens,
    // which otherwise would neither close on an outside click nor take keys.
    DWORD processId = 0;
    GetWindowThreadProcessId(target, &processId);
    AllowSetForegroundWindow(processId);
    // Waits until the running copy has handled it: for the menu, until it closes.
    SendMessageW(target, WM_KEYDOWN, static_cast<WPARAM>(start.keyCode), 0);
}

}  // namespace

SingleInstance::SingleInstance() {
    const std::wstring name = L"Local\\Rilto Micropause " + UserSid();
    mutex_.reset(CreateMutexW(nullptr, FALSE, name.c_str()));
    alreadyRunning_ = GetLastError() == ERROR_ALREADY_EXISTS;
}

bool RunsHere(const StartDecision& start) {
    switch (start.kind) {
        case StartKind::EndAtOnce:
            return false;
        case StartKind::AlreadyRunning:
            TellAlreadyRunning();
            return false;
        case StartKind::HandOver:
            HandOver(start);
            return false;
        case StartKind::RunHere:
            break;
    }
    return true;
}

}  // namespace rilto
