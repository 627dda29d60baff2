#include "common/name_case.h"

#include <algorithm>
#include <cstdint>

#include "common/name_case_table.h"

namespace rilto {

namespace {

// One character of a UTF-8 name, or one byte that starts no valid character.
struct Piece {
    char32_t value;
    std::size_t length;
    bool valid;
};

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// The piece that starts at `at`. A lead byte limits its second byte: the others would
// make overlong forms, surrogates or code points beyond U+10FFFF.
Piece NextPiece(std::string_view s, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[at + i]); };
    const unsigned char lead = byte(0);
    const Piece raw{lead, 1, false};
    if (lead < 0x80) {
        return Piece{lead, 1, true};
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return raw;
    }
    if (at + length > s.size() || byte(1) < low || byte(1) > high) {
        return raw;
    }
    char32_t value = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(byte(i))) {
            return raw;
        }
        value = value << 6 | (byte(i) & 0x3F);
    }
    return Piece{value, length, true};
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
        return;
    }
    const int length = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    constexpr unsigned char kLeads[] = {0, 0, 0xC0, 0xE0, 0xF0};
    out.push_back(static_cast<char>(kLeads[length] | (c >> (6 * (length - 1)))));
    for (int i = length - 2; i >= 0; --i) {
        out.push_back(static_cast<char>(0x80 | ((c >> (6 * i)) & 0x3F)));
    }
}

bool SamePiece(const Piece& a, const Piece& b) {
    if (a.valid != b.valid) {
        return false;
    }
    return a.valid ? UpperCaseUnit(a.value) == UpperCaseUnit(b.value) : a.value == b.value;
}

}  // namespace

char32_t UpperCaseUnit(char32_t unit) {
    const CaseRange* begin = kUpperCaseRanges;
    const CaseRange* end = kUpperCaseRanges + kUpperCaseRangeCount;
    const CaseRange* after = std::upper_bound(
        begin, end, unit, [](char32_t u, const CaseRange& r) { return u < r.first; });
    if (after == begin) {
        return unit;
    }
    const CaseRange& r = *(after - 1);
    if (unit > r.last || (unit - r.first) % r.stride != 0) {
        return unit;
    }
    return static_cast<char32_t>(static_cast<std::int32_t>(unit) + r.delta);
}

std::string NameKey(std::string_view name) {
    std::string key;
    key.reserve(name.size());
    for (std::size_t at = 0; at < name.size();) {
        const Piece piece = NextPiece(name, at);
        if (piece.valid) {
            AppendUtf8(key, UpperCaseUnit(piece.value));
        } else {
            key.push_back(name[at]);
        }
        at += piece.length;
    }
    return key;
}

bool SameName(std::string_view a, std::string_view b) {
    return NamePrefixLength(a, b) == a.size();
}

std::optional<std::size_t> NamePrefixLength(std::string_view name, std::string_view prefix) {
    std::size_t at = 0;
    for (std::size_t p = 0; p < prefix.size();) {
        if (at >= name.size()) {
            return std::nullopt;
        }
        const Piece want = NextPiece(prefix, p);
        const Piece got = NextPiece(name, at);
        if (!SamePiece(want, got)) {
            return std::nullopt;
        }
        p += want.length;
        at += got.length;
    }
    return at;
}

}  // namespace rilto
