#include "shell/first_run.h"

#include "shell/settings.h"

namespace rilto {

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') {
        return folder + name;
    }
    return folder + "\\" + name;
}

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

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
    const std::string systemEditor = windir + "\\" + kRegistryEditor;
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
    if (store.GetSetting(kOptions, "Initialised", "0") == "1") {
        return;
    }
    const std::string folder = host.ProgramFolder();
    host.ShellAndWait(ImportCommandLine(PickRegistryEditor(host), folder));
    host.ShellAndWait(CompanionCommandLine(folder));
    // Whatever the import and the companion did, this runs once per user.
    store.SaveSetting(kOptions, "Initialised", "1");
}

}  // namespace rilto
