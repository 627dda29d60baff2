#pragma once
// First-run initialisation: once per user, import the default settings with the
// registry editor (or by the program itself when the editor cannot be started) and
// start the companion program, then remember that it ran.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/settings_store.h"

namespace rilto {

// A default settings file is a few kilobytes; anything past this is not one.
inline constexpr std::size_t kMaxSettingsFileBytes = 1024 * 1024;

// What first-run initialisation needs of the system.
class FirstRunHost {
  public:
    virtual ~FirstRunHost() = default;
    virtual std::optional<std::string> ReadEnvironment(const std::string& name) = 0;
    // An existing file that is neither hidden nor a system file.
    virtual bool IsOrdinaryFile(const std::string& path) = 0;
    virtual void RemoveFile(const std::string& path) = 0;
    // Runs the command line and returns when the process it started has ended: true,
    // or false at once when the process could not be created.
    virtual bool ShellAndWait(const std::string& commandLine) = 0;
    // The whole file, or nothing when it cannot be read or is larger than
    // kMaxSettingsFileBytes.
    virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
    // The folder that holds the program, without a trailing backslash except at a root.
    virtual std::string ProgramFolder() = 0;
};

// The command lines first-run initialisation runs, in order.
std::string ImportCommandLine(const std::string& editor, const std::string& programFolder);
std::string CompanionCommandLine(const std::string& programFolder);

// The registry editor to use: the system's copy when it exists (a copy shipped in
// the program folder is then deleted), otherwise the shipped copy.
std::string PickRegistryEditor(FirstRunHost& host);

// Whether every value that the registry file `bytes` saves is in the store with its text:
// the file's import arrived.
bool HoldsRegistryFile(const SettingsStore& store, std::string_view bytes);

// Imports the default settings, with the registry editor or, when it cannot start or
// imports nothing, by the program itself; starts the companion; once per user.
void FirstTimeInitialise(SettingsStore& store, FirstRunHost& host);

}  // namespace rilto
