#pragma once
// Names compared the way Windows compares registry key and value names, and file
// names: one UTF-16 code unit at a time, each upper-cased by its simple mapping where
// that makes a case pair (the upper case lower-cases back), so "Übung" and "übung" are
// one name while "ß" and "SS", or final sigma and capital sigma, are two. Names are
// UTF-8; bytes that are no valid UTF-8 compare as they are.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rilto {

// A UTF-16 code unit upper-cased by its simple mapping; a unit that is in no case pair,
// and anything beyond the Basic Multilingual Plane, comes back unchanged.
char32_t UpperCaseUnit(char32_t unit);

// The name with every letter upper-cased: two names are the same name when their keys
// are equal.
std::string NameKey(std::string_view name);

bool SameName(std::string_view a, std::string_view b);

// How many bytes at the start of `name` are the same name as `prefix`; nothing when
// `name` does not start so.
std::optional<std::size_t> NamePrefixLength(std::string_view name, std::string_view prefix);

}  // namespace rilto
