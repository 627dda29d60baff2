#include "support/device_use_record.h"

#include <cwchar>

namespace harness {

ULONGLONG FileTimeNow() {
    FILETIME ft{};
    GetSystemTimeAsFileTime(&ft);
    return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

DeviceUseRecord::DeviceUseRecord(const std::wstring& device, const std::wstring& program,
                                 ULONGLONG began)
    : path_(std::wstring(kAccessManager) + L"\\ConsentStore\\" + device + L"\\" + program) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    key_.reset(key);
    Write(L"LastUsedTimeStart", began);
    Write(L"LastUsedTimeStop", 0);
}

DeviceUseRecord::~DeviceUseRecord() {
    key_.reset();
    // Each key from the program's up to CapabilityAccessManager, while nothing else is below
    // it: a key with subkeys is not deleted.
    const std::size_t keep =
        std::wcslen(kAccessManager) - std::wcslen(L"\\CapabilityAccessManager");
    std::wstring path = path_;
    while (path.size() > keep && RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str()) == ERROR_SUCCESS) {
        path.resize(path.find_last_of(L'\\'));
    }
}

void DeviceUseRecord::Write(const wchar_t* name, ULONGLONG value) {
    RegSetValueExW(key_.get(), name, 0, REG_QWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
}

}  // namespace harness
