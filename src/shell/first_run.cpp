#include "shell/first_run.h"

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

void FirstTimeInitialise(SettingsStore& store, FirstRunHost& host) {
    if (store.GetSetting(kOptions, kInitialisedValue, "0") == "1") {
        return;
    }
    const std::string folder = host.ProgramFolder();
    if (!host.ShellAndWait(ImportCommandLine(PickRegistryEditor(host), folder))) {
        // No editor could be started: there is none, or it asks an administrator for
        // elevation. The file needs no rights to import into the user's own store.
        if (const auto bytes = host.ReadFile(JoinPath(folder, kDefaultSettingsFile))) {
            ImportRegistryFile(*bytes, store);
        }
    }
    host.ShellAndWait(CompanionCommandLine(folder));
    // Whatever the import and the companion did, this runs once per user.
    store.SaveSetting(kOptions, kInitialisedValue, "1");
}

}  // namespace rilto
