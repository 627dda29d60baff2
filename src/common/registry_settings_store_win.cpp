#include "common/registry_settings_store_win.h"

#include <windows.h>

#include <vector>

#include "common/handles_win.h"
#include "common/paths.h"
#include "common/product.h"
#include "common/wide_text_win.h"

namespace rilto {

namespace {

std::wstring SectionPath(std::string_view section) {
    return Widen(JoinPath(kStoreRoot, section));
}

UniqueKey OpenSection(std::string_view section, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, access, &key) !=
        ERROR_SUCCESS) {
        return nullptr;
    }
    return UniqueKey(key);
}

}  // namespace

std::string RegistrySettingsStore::GetSetting(std::string_view section, std::string_view key,
                                              std::string_view def) const {
    const UniqueKey k = OpenSection(section, KEY_QUERY_VALUE);
    if (!k) {
        return std::string(def);
    }
    const std::wstring name = Widen(key);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(k.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return std::string(def);
    }
    if (type == REG_DWORD) {
        DWORD value = 0;
        size = sizeof value;
        RegQueryValueExW(k.get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                         &size);
        return std::to_string(value);
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        return std::string(def);
    }
    // The value may grow between the two queries; try again until it fits.
    for (;;) {
        std::vector<wchar_t> buf(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(buf.size() * sizeof(wchar_t));
        const LONG rc = RegQueryValueExW(k.get(), name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(buf.data()), &got);
        if (rc == ERROR_MORE_DATA) {
            size = got;
            continue;
        }
        if (rc != ERROR_SUCCESS) {
            return std::string(def);
        }
        std::size_t chars = got / sizeof(wchar_t);
        while (chars > 0 && buf[chars - 1] == L'\0') {
            --chars;
        }
        return Narrow(std::wstring_view(buf.data(), chars));
    }
}

void RegistrySettingsStore::SaveSetting(std::string_view section, std::string_view key,
                                        std::string_view text) {
    HKEY raw = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &raw, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const UniqueKey k(raw);
    const std::wstring value = Widen(text);
    RegSetValueExW(k.get(), Widen(key).c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void RegistrySettingsStore::DeleteSetting(std::string_view section, std::string_view key) {
    const UniqueKey k = OpenSection(section, KEY_SET_VALUE);
    if (k) {
        RegDeleteValueW(k.get(), Widen(key).c_str());
    }
}

void RegistrySettingsStore::DeleteSection(std::string_view section) {
    RegDeleteTreeW(HKEY_CURRENT_USER, SectionPath(section).c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, SectionPath(section).c_str());
}

std::vector<std::string> RegistrySettingsStore::KeysOf(std::string_view section) const {
    std::vector<std::string> names;
    const UniqueKey k = OpenSection(section, KEY_QUERY_VALUE);
    if (!k) {
        return names;
    }
    // Value names are at most 16,383 characters.
    std::vector<wchar_t> name(16'384);
    for (DWORD index = 0;; ++index) {
        auto length = static_cast<DWORD>(name.size());
        const LONG rc =
            RegEnumValueW(k.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (rc == ERROR_SUCCESS) {
            names.push_back(Narrow(std::wstring(name.data(), length)));
        }
    }
    return names;
}

}  // namespace rilto
