#pragma once
// What the fuzz targets share: a property that does not hold stops the run where
// libFuzzer keeps the input, and the input read as the contents of a settings store.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/memory_settings_store.h"

namespace rilto::fuzz {

// Stops the run, naming the property; libFuzzer reports the input as a crash.
void Require(bool holds, const char* property);

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return std::string_view(reinterpret_cast<const char*>(data), size);
}

// The input's lines ("\n" ends one; a "\r" before it stays part of the line).
std::vector<std::string_view> Lines(std::string_view text);

// Saves each line "Section/Key=text" (split at the first "/" and the first "=" after it)
// into the store, as hostile as the fuzzer makes it; returns the other lines, which a
// target reads as its own commands.
std::vector<std::string_view> FillStore(std::string_view text, SettingsStore& store);

// Every value of a store, under its section's and its own name as stored.
using StoreValues = std::map<std::pair<std::string, std::string>, std::string>;
StoreValues ValuesOf(const MemorySettingsStore& store);

}  // namespace rilto::fuzz
