#include "shell/registry_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "common/product.h"
#include "common/text.h"

namespace rilto {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool IsHighSurrogate(char32_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char32_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
    const std::size_t units = bytes.size() / 2;  // a stray last byte is no character
    const auto unit = [&](std::size_t i) -> char32_t {
        return static_cast<unsigned char>(bytes[2 * i]) |
               static_cast<unsigned char>(bytes[2 * i + 1]) << 8;
    };
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t u = unit(i);
        if (IsHighSurrogate(u) && i + 1 < units && IsLowSurrogate(unit(i + 1))) {
            AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
            AppendUtf8(out, kReplacementCharacter);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

// Shortest forms only, no surrogates, nothing past U+10FFFF: what Windows accepts.
bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char lead = static_cast<unsigned char>(s[i]);
        std::size_t length = 1;
        char32_t smallest = 0;
        char32_t c = lead;
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            smallest = 0x80;
            c = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            smallest = 0x800;
            c = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            smallest = 0x10000;
            c = lead & 0x07;
        } else if (lead >= 0x80) {
            return false;
        }
        if (s.size() - i < length) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(s[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

// The file's text as UTF-8, whichever way it was saved: the registry editor writes
// UTF-16 in its newer format and the ANSI code page in its older one.
std::string DecodeText(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) {
        return Utf16LeToUtf8(bytes.substr(2));
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    if (IsValidUtf8(bytes)) {
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char b : bytes) {
        AppendUtf8(out, static_cast<unsigned char>(b));
    }
    return out;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && AsciiLower(s.substr(0, prefix.size())) == prefix;
}

// The store's section that a key names, when the key lies directly under the store's
// root; nothing for any other key.
std::optional<std::string> OwnSection(std::string_view key) {
    const std::string root = AsciiLower(std::string("HKEY_CURRENT_USER\\") + kStoreRoot + "\\");
    if (!StartsWithNoCase(key, root)) {
        return std::nullopt;
    }
    const std::string_view section = key.substr(root.size());
    if (section.empty() || section.find('\\') != std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(section);
}

// A quoted text at the start of `s`, with \\ and \" undone; `s` is left after the
// closing quote. Nothing when the quote is not closed.
std::optional<std::string> TakeQuoted(std::string_view& s) {
    if (s.empty() || s.front() != '"') {
        return std::nullopt;
    }
    std::string text;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return text;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
            ++i;
        }
        text.push_back(s[i]);
    }
    return std::nullopt;
}

// "dword:" data: one to eight hex digits, as unsigned decimal text.
std::optional<std::string> DwordText(std::string_view data) {
    constexpr std::string_view kPrefix = "dword:";
    if (!StartsWithNoCase(data, kPrefix)) {
        return std::nullopt;
    }
    const std::string_view digits = data.substr(kPrefix.size());
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char c : digits) {
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return std::to_string(value);
}

// One "name"=data line of a section of the store; anything it does not understand
// changes nothing. Returns how many changes it made.
int ImportValue(std::string_view line, const std::string& section, SettingsStore& store) {
    std::optional<std::string> name = TakeQuoted(line);
    line = Trimmed(line);
    if (!name || name->empty() || !line.starts_with('=')) {
        return 0;  // an empty name is the default value, which the store has no use for
    }
    std::string_view data = Trimmed(line.substr(1));
    if (data == "-") {
        store.DeleteSetting(section, *name);
        return 1;
    }
    if (std::optional<std::string> text = TakeQuoted(data); text && data.empty()) {
        store.SaveSetting(section, *name, *text);
        return 1;
    }
    if (std::optional<std::string> number = DwordText(data)) {
        store.SaveSetting(section, *name, *number);
        return 1;
    }
    return 0;
}

// Binary data runs on over the following lines while a line ends in a backslash.
bool ContinuesOnNextLine(std::string_view line) {
    if (!line.ends_with('\\')) {
        return false;
    }
    if (line.starts_with('@')) {
        line.remove_prefix(1);
    } else if (!TakeQuoted(line)) {
        return false;
    }
    line = Trimmed(line);
    return line.starts_with('=') && StartsWithNoCase(Trimmed(line.substr(1)), "hex");
}

}  // namespace

int ImportRegistryFile(std::string_view bytes, SettingsStore& store) {
    const std::string text = DecodeText(bytes);
    std::string_view rest = text;
    bool headerSeen = false;
    bool continued = false;
    std::optional<std::string> section;  // none while outside the store
    int changes = 0;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        line = Trimmed(line);

        if (!headerSeen) {
            if (line != "REGEDIT4" && line != "Windows Registry Editor Version 5.00") {
                return 0;
            }
            headerSeen = true;
            continue;
        }
        // A key line always ends binary data: an unfinished one must not carry the
        // next key's values into the section before it.
        if (continued && !line.starts_with('[')) {
            continued = line.ends_with('\\');
            continue;
        }
        continued = false;
        if (line.empty() || line.starts_with(';')) {
            continue;
        }
        if (line.starts_with('[')) {
            section.reset();
            if (!line.ends_with(']')) {
                continue;
            }
            std::string_view key = line.substr(1, line.size() - 2);
            const bool remove = key.starts_with('-');
            if (remove) {
                key.remove_prefix(1);
            }
            std::optional<std::string> own = OwnSection(key);
            if (own && remove) {
                store.DeleteSection(*own);
                ++changes;
            } else if (own) {
                section = std::move(own);
            }
            continue;
        }
        continued = ContinuesOnNextLine(line);
        if (section) {
            changes += ImportValue(line, *section, store);
        }
    }
    return changes;
}

}  // namespace rilto
