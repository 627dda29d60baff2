#include "shell/single_instance_win.h"

#include <sddl.h>

#include <string>

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

}  // namespace

SingleInstance::SingleInstance() {
    const std::wstring name = L"Local\\Rilto Micropause " + UserSid();
    mutex_.reset(CreateMutexW(nullptr, FALSE, name.c_str()));
    alreadyRunning_ = GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace rilto
