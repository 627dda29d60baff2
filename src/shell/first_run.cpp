#include "shell/first_run.h"

#include "common/memory_settings_store.h"
#include "common/paths.h"
#include "common/product.h"
#include "shell/registry_file.h"

namespace rilto {

std::string ImportCommandLine(const std::string& editor, const std::string& programFolder) {
    // Both paths are quoted: a folder with spaces would otherwise make Windows try to
    // start a program named after its first word.
    return Quoted(editor) + " /s " + Quoted(JoinPath(programFolder, kDefaultSettingsFile));
}

std::string CompanionCommandLine(const std::string& programFolder) {
    return Quoted(JoinPath(programFolder, kCompanionProgram));
}

std::string PickRegistryEditor(FirstRunHost& host) {
    const std::string windir = host.ReadEnvironment("windir").value_or("");
    // Not JoinPath: with no windir this is "\regedit.exe", at the root of the drive.
    const std::string systemEditor = windir + kFolderSeparator + kRegistryEditor;
    const std::string shippedEditor = JoinPath(host.ProgramFolder(), kRegistryEditor);
    if (host.IsOrdinaryFile(systemEditor)) {
        if (host.IsOrdinaryFile(shippedEditor)) {
            host.RemoveFile(shippedEditor);
        }
        return systemEditor;
    }
    return shippedEditor;
}

bool HoldsRegistryFile(const SettingsStore& store, std::string_view bytes) {
    MemorySettingsStore wanted;
    ImportRegistryFile(bytes, wanted);
    bool holds = true;
    wanted.ForEachValue(
        [&](const std::string& section, const std::string& key, const std::string& text) {
            // A default that differs from the text stands for a missing value.
            holds = holds && store.GetSetting(section, key, text + "?") == text;
        });
    return holds;
}

void FirstTimeInitialise(SettingsStore& store, FirstRunHost& host) {
    if (store.GetSetting(kOptions, kInitialisedValue, "0") == "1") {
        return;
    }
    const std::string folder = host.ProgramFolder();
    const bool editorRan = host.ShellAndWait(ImportCommandLine(PickRegistryEditor(host), folder));
    // The editor may not start (there is none, or it asks an administrator for
    // elevation), or start and import nothing (a policy that disables registry tools).
    // The file needs no rights to import into the user's own store.
    if (const auto bytes = host.ReadFile(JoinPath(folder, kDefaultSettingsFile))) {
        if (!editorRan || !HoldsRegistryFile(store, *bytes)) {
            ImportRegistryFile(*bytes, store);
        }
    }
    host.ShellAndWait(CompanionCommandLine(folder));
    // Whatever the import and the companion did, this runs once per user.
    store.SaveSetting(kOptions, kInitialisedValue, "1");
}

}  // namespace rilto
