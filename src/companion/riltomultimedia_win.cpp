// riltomultimedia: started once when a user first runs Rilto Micropause, and ends by
// itself. It notes in the program's settings whether Windows can play the exercise
// videos (the AVI video device of the multimedia command interface), where a user or a
// support person can look it up; and it checks that the program folder holds every
// video and picture the stored exercise schemes name. When some are missing it tells
// the user once, from a copy of itself started for that, so that Rilto Micropause
// does not wait for the user to read the notice before it starts.

#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "common/handles_win.h"
#include "common/product.h"
#include "common/program_folder_win.h"
#include "common/registry_settings_store_win.h"
#include "common/texts.h"
#include "common/wide_text_win.h"
#include "exercise/media_check.h"

namespace {

constexpr char kAviValue[] = "AviVideo";
// The copy that shows the notice is started with this argument.
constexpr wchar_t kNotifyArgument[] = L"/notify";

bool CanPlayAvi() {
    wchar_t answer[32] = L"";
    return mciSendStringW(L"capability avivideo can play", answer, 32, nullptr) == 0 &&
           lstrcmpiW(answer, L"true") == 0;
}

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(rilto::Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<std::string> Missing(const rilto::SettingsStore& store, const std::string& folder) {
    return rilto::MissingMedia(store, folder, IsFile);
}

// Starts this program again to show the notice, without waiting for it.
void StartNotifier() {
    wchar_t self[MAX_PATH] = L"";
    if (GetModuleFileNameW(nullptr, self, MAX_PATH) == 0) {
        return;
    }
    std::wstring commandLine = L"\"";
    commandLine.append(self);
    commandLine.append(L"\" ");
    commandLine.append(kNotifyArgument);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

void ShowNotice(const std::vector<std::string>& missing, const std::string& folder) {
    const std::wstring text = rilto::Widen(rilto::MissingMediaMessage(missing, folder));
    const std::wstring title = rilto::Widen(rilto::kMissingMediaTitle);
    MessageBoxW(nullptr, text.c_str(), title.c_str(),
                MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND | MB_TOPMOST);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int) {
    rilto::RegistrySettingsStore store;
    const std::string folder = rilto::ProgramFolder();
    if (arguments != nullptr && lstrcmpiW(arguments, kNotifyArgument) == 0) {
        if (const auto missing = Missing(store, folder); !missing.empty()) {
            ShowNotice(missing, folder);
        }
        return 0;
    }
    store.SaveSetting(rilto::kOptions, kAviValue, CanPlayAvi() ? "1" : "0");
    if (!Missing(store, folder).empty()) {
        StartNotifier();
    }
    return 0;
}
