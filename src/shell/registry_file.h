#pragma once
// Reads a registry editor's export file (.reg) into the settings store: the program's
// own import for when the registry editor cannot be started.

#include <string_view>

#include "common/settings_store.h"

namespace rilto {

// Imports the sections of `bytes` that lie directly under the store's root in
// HKEY_CURRENT_USER; every other key of the file is ignored, so a settings file can
// change nothing but this program's store. Text and dword values are saved as text,
// "=-" deletes a value and "[-key]" a whole section; other value types, default values
// and malformed lines are skipped. A file without a registry editor's header imports
// nothing. Returns how many values and sections were saved or deleted.
int ImportRegistryFile(std::string_view bytes, SettingsStore& store);

}  // namespace rilto
