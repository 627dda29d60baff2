#include "engine/calls_win.h"

#include <windows.h>

#include <optional>
#include <string>

#include "common/handles_win.h"
#include "common/wide_text_win.h"

namespace rilto {

namespace {

constexpr const wchar_t* kDevices[] = {L"microphone", L"webcam"};
// Desktop programs are one key further down, under this one; the others are packages.
constexpr wchar_t kNonPackaged[] = L"NonPackaged";
// Registry key names are at most 255 characters.
constexpr DWORD kLongestKeyName = 256;

UniqueKey OpenKey(HKEY parent, const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, name, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return UniqueKey(key);
}

std::optional<std::uint64_t> QwordOf(HKEY key, const wchar_t* value) {
    std::uint64_t data = 0;
    DWORD size = sizeof data;
    if (RegGetValueW(key, nullptr, value, RRF_RT_REG_QWORD, nullptr, &data, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return data;
}

// Calls `each` with the name of every subkey of `key`.
template <typename Each>
void ForEachSubkey(HKEY key, Each each) {
    wchar_t name[kLongestKeyName];
    for (DWORD index = 0;; ++index) {
        DWORD length = kLongestKeyName;
        const LONG result =
            RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA) {
            continue;
        }
        if (result != ERROR_SUCCESS) {
            return;
        }
        each(std::wstring(name, length));
    }
}

// The program's key, when its use has no end yet.
void AddIfInUse(HKEY parent, const std::wstring& name, bool packaged,
                std::vector<DeviceUse>& uses) {
    const UniqueKey program = OpenKey(parent, name.c_str());
    if (!program || QwordOf(program.get(), L"LastUsedTimeStop") != std::uint64_t{0}) {
        return;
    }
    uses.push_back(DeviceUse{Narrow(name), packaged,
                             QwordOf(program.get(), L"LastUsedTimeStart").value_or(0)});
}

}  // namespace

std::vector<DeviceUse> DevicesInUseNow() {
    std::vector<DeviceUse> uses;
    const UniqueKey store = OpenKey(HKEY_CURRENT_USER, kConsentStore);
    if (!store) {
        return uses;
    }
    for (const wchar_t* device : kDevices) {
        const UniqueKey apps = OpenKey(store.get(), device);
        if (!apps) {
            continue;
        }
        ForEachSubkey(apps.get(), [&](const std::wstring& name) {
            if (lstrcmpiW(name.c_str(), kNonPackaged) != 0) {
                AddIfInUse(apps.get(), name, true, uses);
                return;
            }
            const UniqueKey programs = OpenKey(apps.get(), kNonPackaged);
            if (programs) {
                ForEachSubkey(programs.get(), [&](const std::wstring& path) {
                    AddIfInUse(programs.get(), path, false, uses);
                });
            }
        });
    }
    return uses;
}

}  // namespace rilto
