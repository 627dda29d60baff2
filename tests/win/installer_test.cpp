// The setup and its uninstaller as a user runs them: silently and through their pages,
// over a running copy, with the start-with-Windows option on and off. Each test starts
// with nothing installed and leaves nothing installed.

#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/product.h"
#include "common/version.h"
#include "support/harness.h"

using namespace harness;

namespace {

constexpr wchar_t kProduct[] = L"" RILTO_PRODUCT_TITLE;
constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" RILTO_PRODUCT_TITLE;
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kProgram[] = L"rilto32.exe";
constexpr wchar_t kUninstaller[] = L"uninstall.exe";
constexpr DWORD kSetupWait = 60000;
constexpr DWORD kStartWait = 30000;
constexpr DWORD kPageWait = 30000;

std::wstring Version() {
    const std::string label = rilto::VersionLabel();
    return std::wstring(label.begin(), label.end());
}

bool SameText(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool Exists(const std::wstring& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::wstring out;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) {
        out = path;
    }
    CoTaskMemFree(path);
    return out;
}

std::wstring SetupPath() {
    return BinPath(L"" RILTO_SETUP_FILE);
}
// The program folder the setup was made from.
std::wstring StagedFolder() {
    return BinDir() + L"\\..\\release\\" + kProduct;
}
std::wstring InstallDir() {
    return KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\" + kProduct;
}
std::wstring InstalledProgram() {
    return InstallDir() + L"\\" + kProgram;
}
std::wstring ShortcutPath() {
    return KnownFolder(FOLDERID_Programs) + L"\\" + kProduct + L".lnk";
}

std::optional<std::wstring> ReadString(const wchar_t* key, const wchar_t* value) {
    wchar_t text[1024];
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(text);
}

std::optional<DWORD> ReadDword(const wchar_t* key, const wchar_t* value) {
    DWORD data = 0;
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_DWORD, nullptr, &data, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return data;
}

bool KeyExists(const wchar_t* key) {
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &k) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(k);
    return true;
}

std::string ReadAll(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The files of a folder, by name, with their contents; it holds no folders.
std::map<std::wstring, std::string> FilesIn(const std::wstring& folder) {
    std::map<std::wstring, std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        files[entry.path().filename().wstring()] =
            entry.is_directory() ? std::string("<folder>") : ReadAll(entry.path().wstring());
    }
    return files;
}

std::vector<std::wstring> NamesOf(const std::map<std::wstring, std::string>& files) {
    std::vector<std::wstring> names;
    for (const auto& [name, bytes] : files) {
        names.push_back(name);
    }
    return names;
}

// "major.minor.revision" of a program's version resource.
std::wstring FileVersion(const std::wstring& path) {
    std::vector<BYTE> data(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT size = 0;
    if (data.empty() ||
        !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
        !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &size)) {
        return L"";
    }
    return std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"." +
           std::to_wstring(LOWORD(info->dwFileVersionMS)) + L"." +
           std::to_wstring(HIWORD(info->dwFileVersionLS));
}

// A text of a program's version resource, in the first language it lists.
std::wstring VersionText(const std::wstring& path, const std::wstring& name) {
    std::vector<BYTE> data(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    if (data.empty() ||
        !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data())) {
        return L"";
    }
    WORD* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &size) ||
        size < 2 * sizeof(WORD)) {
        return L"";
    }
    wchar_t block[64];
    swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
    wchar_t* text = nullptr;
    if (!VerQueryValueW(data.data(), (block + name).c_str(), reinterpret_cast<void**>(&text),
                        &size)) {
        return L"";
    }
    return text;
}

std::wstring ShortcutTarget(const std::wstring& link) {
    std::wstring target;
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* shellLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shellLink)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(
                shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t path[MAX_PATH] = L"";
            if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
                SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH))) {
                target = path;
            }
            file->Release();
        }
        shellLink->Release();
    }
    if (SUCCEEDED(init)) {
        CoUninitialize();
    }
    return target;
}

// `"program" arguments`, as Windows keeps a command in the registry.
std::pair<std::wstring, std::wstring> SplitCommand(const std::wstring& command) {
    if (command.empty() || command[0] != L'"') {
        return {command, L""};
    }
    const size_t close = command.find(L'"', 1);
    if (close == std::wstring::npos) {
        return {command, L""};
    }
    const size_t rest = command.find_first_not_of(L' ', close + 1);
    return {command.substr(1, close - 1), rest == std::wstring::npos ? L"" : command.substr(rest)};
}

std::optional<DWORD> RunToEnd(const std::wstring& exe, const std::wstring& arguments) {
    Process p(exe, arguments);
    if (!p.Started()) {
        return std::nullopt;
    }
    return p.WaitExit(kSetupWait);
}

ULONGLONG Ticks(const FILETIME& t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// A process that some other process started: a running copy of the program, say.
class Copy {
  public:
    Copy() = default;
    explicit Copy(DWORD pid)
        : pid_(pid),
          process_(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid)) {}
    ~Copy() {
        if (process_ != nullptr) {
            CloseHandle(process_);
        }
    }
    Copy(Copy&& other) noexcept
        : pid_(std::exchange(other.pid_, 0)), process_(std::exchange(other.process_, nullptr)) {}
    Copy& operator=(Copy&& other) noexcept {
        std::swap(pid_, other.pid_);
        std::swap(process_, other.process_);
        return *this;
    }

    bool Found() const { return process_ != nullptr; }
    DWORD Pid() const { return pid_; }
    bool WaitEnd(DWORD ms) const {
        return Found() &&
               WaitUntil([&] { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }, ms);
    }
    std::wstring Image() const {
        wchar_t path[MAX_PATH] = L"";
        DWORD size = MAX_PATH;
        if (!Found() || !QueryFullProcessImageNameW(process_, 0, path, &size)) {
            return L"";
        }
        return path;
    }
    ULONGLONG Started() const { return Times().first; }
    ULONGLONG Ended() const { return Times().second; }

  private:
    std::pair<ULONGLONG, ULONGLONG> Times() const {
        FILETIME created{}, exited{}, kernel{}, user{};
        GetProcessTimes(process_, &created, &exited, &kernel, &user);
        return {Ticks(created), Ticks(exited)};
    }

    DWORD pid_ = 0;
    HANDLE process_ = nullptr;
};

// The copy that has started from `program` and published its hook window, other than
// the process `notPid`.
Copy WaitForCopyOf(const std::wstring& program, DWORD notPid) {
    Copy found;
    WaitUntil(
        [&] {
            const HWND hook = TrayWindow();
            DWORD pid = 0;
            if (hook == nullptr || ClassOf(hook) != rilto::kHookWindowClass ||
                GetWindowThreadProcessId(hook, &pid) == 0 || pid == notPid ||
                !ReadSetting(L"Options", L"AppPath").has_value()) {
                return false;
            }
            Copy copy(pid);
            if (!SameText(copy.Image(), program)) {
                return false;
            }
            found = std::move(copy);
            return true;
        },
        kStartWait);
    return found;
}

std::wstring Plain(std::wstring label) {
    std::erase(label, L'&');
    return label;
}

// NSIS ends the uninstaller's title with a blank.
std::wstring Trimmed(std::wstring text) {
    text.erase(text.find_last_not_of(L' ') + 1);
    return text;
}

// A visible dialog of any process with this title: the uninstaller's wizard (it runs from
// a copy of itself, in a process of its own) or its question (`question`: with Yes/No).
HWND FindDialogTitled(const std::wstring& title, bool question) {
    return FindDialogWhere([&](HWND hwnd) {
        return Trimmed(TextOf(hwnd)) == title && (GetDlgItem(hwnd, IDYES) != nullptr) == question;
    });
}

// Waits until the wizard's main button reads `label` and can be pressed.
bool WaitForPage(HWND wizard, const std::wstring& label) {
    const HWND button = GetDlgItem(wizard, IDOK);
    return WaitUntil(
        [&] { return Plain(TextOf(button)) == label && IsWindowEnabled(button) != FALSE; },
        kPageWait);
}

void PressMainButton(HWND wizard) {
    PostMessageW(wizard, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(wizard, IDOK)));
}

// Goes on from the page whose main button reads `label`, with a picture of it for
// people to look at when `screenshot` names one.
bool GoOnFrom(HWND wizard, const std::wstring& label, const wchar_t* screenshot = nullptr) {
    if (!WaitForPage(wizard, label)) {
        ADD_FAILURE() << "no page with " << testing::PrintToString(label) << "; the button reads "
                      << testing::PrintToString(TextOf(GetDlgItem(wizard, IDOK)));
        return false;
    }
    if (screenshot != nullptr) {
        PumpFor(400);
        SaveScreenshot(screenshot);
    }
    PressMainButton(wizard);
    return true;
}

// Under Wine a shortcut saved in the Start menu also becomes a menu entry, with icons, on
// the Linux desktop of whoever runs the tests, unless Wine's menu builder is off in the
// prefix.
void KeepOffTheLinuxDesktop() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr) {
        return;
    }
    HKEY overrides = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\DllOverrides", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &overrides, nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(overrides, L"winemenubuilder.exe", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(L""), sizeof(wchar_t));
        RegCloseKey(overrides);
    }
}

bool NothingInstalled() {
    return !Exists(InstallDir()) && !Exists(ShortcutPath()) && !KeyExists(kUninstallKey) &&
           !ReadString(kRunKey, kProduct).has_value();
}

// The program folder as the setup was made from it, the shortcut, the uninstall entry,
// and one version throughout.
void ExpectInstalled() {
    const std::wstring dir = InstallDir();
    const auto staged = FilesIn(StagedFolder());
    for (const wchar_t* file : {kProgram, L"shutdowntrigger.exe", L"riltoctl.exe", L"rsiorril.dll",
                                L"riltomultimedia.exe", L"rilto32.reg", L"title.avi"}) {
        EXPECT_EQ(staged.count(file), 1u) << testing::PrintToString(std::wstring(file));
    }
    auto installed = FilesIn(dir);
    EXPECT_EQ(installed.erase(kUninstaller), 1u);
    ASSERT_EQ(NamesOf(installed), NamesOf(staged));
    ULONGLONG bytes = ReadAll(dir + L"\\" + kUninstaller).size();
    for (const auto& [name, contents] : staged) {
        EXPECT_TRUE(installed[name] == contents) << testing::PrintToString(name);
        bytes += contents.size();
    }

    EXPECT_TRUE(SameText(ShortcutTarget(ShortcutPath()), InstalledProgram()))
        << testing::PrintToString(ShortcutTarget(ShortcutPath()));

    const std::wstring uninstaller = L"\"" + dir + L"\\" + kUninstaller + L"\"";
    EXPECT_EQ(ReadString(kUninstallKey, L"DisplayName"), kProduct);
    EXPECT_EQ(ReadString(kUninstallKey, L"DisplayVersion"), Version());
    EXPECT_EQ(ReadString(kUninstallKey, L"Publisher"),
              VersionText(InstalledProgram(), L"CompanyName"));
    EXPECT_FALSE(VersionText(InstalledProgram(), L"CompanyName").empty());
    EXPECT_TRUE(SameText(ReadString(kUninstallKey, L"DisplayIcon").value_or(L""),
                         InstalledProgram() + L",0"));
    EXPECT_GT(ExtractIconExW(InstalledProgram().c_str(), -1, nullptr, nullptr, 0), 0u);
    EXPECT_TRUE(SameText(ReadString(kUninstallKey, L"InstallLocation").value_or(L""), dir));
    EXPECT_TRUE(SameText(ReadString(kUninstallKey, L"UninstallString").value_or(L""), uninstaller));
    EXPECT_TRUE(SameText(ReadString(kUninstallKey, L"QuietUninstallString").value_or(L""),
                         uninstaller + L" /S"));
    EXPECT_EQ(ReadDword(kUninstallKey, L"NoModify"), 1u);
    EXPECT_EQ(ReadDword(kUninstallKey, L"NoRepair"), 1u);
    // In KB, as Windows shows it.
    const double kb = static_cast<double>(bytes) / 1024;
    EXPECT_NEAR(ReadDword(kUninstallKey, L"EstimatedSize").value_or(0), kb, kb / 20 + 8);

    EXPECT_EQ(FileVersion(SetupPath()), Version());
    EXPECT_EQ(VersionText(SetupPath(), L"ProductVersion"), Version());
    for (const auto& [name, contents] : staged) {
        if (name.ends_with(L".exe") || name.ends_with(L".dll")) {
            EXPECT_EQ(FileVersion(dir + L"\\" + name), Version()) << testing::PrintToString(name);
        }
    }
}

void ExpectRemoved() {
    EXPECT_FALSE(Exists(InstallDir()));
    EXPECT_FALSE(Exists(ShortcutPath()));
    EXPECT_FALSE(KeyExists(kUninstallKey));
    EXPECT_EQ(ReadString(kRunKey, kProduct), std::nullopt);
}

std::wstring RunEntry() {
    return L"\"" + InstalledProgram() + L"\"";
}

class Installer : public ::testing::Test {
  protected:
    void SetUp() override {
        KeepOffTheLinuxDesktop();
        ASSERT_TRUE(Exists(SetupPath())) << testing::PrintToString(SetupPath());
        ASSERT_TRUE(NothingInstalled());
        ClearStore();
        WriteSetting(L"Micropause", L"Audible", L"0");
        WriteSetting(L"Micropause", L"AudiblePre", L"0");
        WriteSetting(L"Exercise", L"AudibleX", L"0");
    }
    // After a failure, what is left goes as a user would remove it, so that the next
    // test starts with nothing installed.
    void TearDown() override {
        if (const auto quiet = ReadString(kUninstallKey, L"QuietUninstallString")) {
            const auto [exe, arguments] = SplitCommand(*quiet);
            RunToEnd(exe, arguments);
            WaitUntil(NothingInstalled, kSetupWait);
        }
        RunToEnd(BinPath(L"shutdowntrigger.exe"), L"");
        ClearStore();
    }
};

TEST_F(Installer, SilentInstallThenReinstallOverTheRunningCopyThenSilentUninstall) {
    DeleteSetting(L"Options", L"AppPath");
    ASSERT_EQ(RunToEnd(SetupPath(), L"/S"), 0u);
    {
        SCOPED_TRACE("installed");
        ExpectInstalled();
    }
    EXPECT_EQ(ReadString(kRunKey, kProduct), RunEntry());
    // It starts the program from the folder it installed.
    const Copy first = WaitForCopyOf(InstalledProgram(), 0);
    ASSERT_TRUE(first.Found());
    EXPECT_TRUE(SameText(ReadSetting(L"Options", L"AppPath").value_or(L""), InstallDir()));

    // Again, over the running copy, with a damaged file and the option off: the copy ends
    // before the new one starts, the file is whole again, and the program no longer starts
    // with Windows.
    std::ofstream(std::filesystem::path(InstallDir() + L"\\rilto32.reg"), std::ios::binary)
        << "damaged";
    ASSERT_EQ(ReadAll(InstallDir() + L"\\rilto32.reg"), "damaged");
    DeleteSetting(L"Options", L"AppPath");
    ASSERT_EQ(RunToEnd(SetupPath(), L"/S /NOAUTOSTART"), 0u);
    EXPECT_TRUE(first.WaitEnd(0));
    const Copy second = WaitForCopyOf(InstalledProgram(), first.Pid());
    ASSERT_TRUE(second.Found());
    EXPECT_NE(first.Ended(), 0u);
    EXPECT_LE(first.Ended(), second.Started());
    {
        SCOPED_TRACE("installed again");
        ExpectInstalled();
    }
    EXPECT_EQ(ReadString(kRunKey, kProduct), std::nullopt);

    // The quiet uninstall, as Windows runs it: the copy ends, everything goes but the
    // settings.
    const auto quiet = ReadString(kUninstallKey, L"QuietUninstallString");
    ASSERT_TRUE(quiet.has_value());
    const auto [exe, arguments] = SplitCommand(*quiet);
    EXPECT_EQ(RunToEnd(exe, arguments), 0u);
    EXPECT_TRUE(WaitUntil(NothingInstalled, kSetupWait));
    ExpectRemoved();
    EXPECT_TRUE(second.WaitEnd(kStartWait));
    EXPECT_EQ(ReadSetting(L"Options", L"Initialised"), L"1");
    EXPECT_EQ(ReadSetting(L"Micropause", L"Audible"), L"0");
}

// The version in the setup's file name, "rilto-setup-<version>.exe".
std::wstring VersionInSetupName() {
    const std::wstring name = std::filesystem::path(SetupPath()).stem().wstring();
    const auto dash = name.rfind(L'-');
    return dash == std::wstring::npos ? std::wstring() : name.substr(dash + 1);
}

// An installation over an earlier one keeps the "start with Windows" choice as the user
// left it, by the setup's switch or by removing the entry; a switch still decides. The
// uninstall entry says what package managers read of it.
TEST_F(Installer, AReinstallKeepsTheStartWithWindowsChoice) {
    const auto runValue = [] { return ReadString(kRunKey, kProduct); };
    ASSERT_EQ(RunToEnd(SetupPath(), L"/S"), 0u);
    EXPECT_EQ(runValue(), RunEntry()) << "on for a first installation";
    ASSERT_EQ(RunToEnd(SetupPath(), L"/S /NOAUTOSTART"), 0u);
    EXPECT_EQ(runValue(), std::nullopt);
    ASSERT_EQ(RunToEnd(SetupPath(), L"/S"), 0u);
    EXPECT_EQ(runValue(), std::nullopt) << "switched off before, off again";
    ASSERT_EQ(RunToEnd(SetupPath(), L"/S /AUTOSTART"), 0u);
    EXPECT_EQ(runValue(), RunEntry());
    ASSERT_EQ(RunToEnd(SetupPath(), L"/S"), 0u);
    EXPECT_EQ(runValue(), RunEntry()) << "switched on before, on again";

    // The user takes it out of the start-up programs.
    ASSERT_EQ(RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kProduct), ERROR_SUCCESS);
    ASSERT_EQ(RunToEnd(SetupPath(), L"/S"), 0u);
    EXPECT_EQ(runValue(), std::nullopt) << "removed by the user, stays away";

    EXPECT_FALSE(VersionInSetupName().empty());
    EXPECT_EQ(ReadString(kUninstallKey, L"DisplayVersion"), VersionInSetupName());
    EXPECT_FALSE(ReadString(kUninstallKey, L"Publisher").value_or(L"").empty());
    const std::wstring icon = ReadString(kUninstallKey, L"DisplayIcon").value_or(L"");
    EXPECT_TRUE(Exists(icon.substr(0, icon.rfind(L',')))) << testing::PrintToString(icon);
    // In KB: more than the program alone, less than a CD.
    const DWORD kb = ReadDword(kUninstallKey, L"EstimatedSize").value_or(0);
    EXPECT_GT(kb, std::filesystem::file_size(InstalledProgram()) / 1024);
    EXPECT_LT(kb, 700u * 1024);
}

TEST_F(Installer, ThroughItsPagesOverACopyElsewhereAndAnUninstallThatRemovesTheSettings) {
    // A copy running from another folder, whose published handle has gone stale: the
    // trigger cannot reach it, the setup must still end it.
    Process elsewhere = StartRilto();
    ASSERT_TRUE(elsewhere.Running());
    WriteSetting(L"Options", L"tray", L"0");

    Process setup(SetupPath(), L"");
    HWND wizard = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (wizard = FindVisibleWindowOfClass(setup.Id(), L"#32770")) != nullptr; },
        kPageWait));
    EXPECT_EQ(TextOf(wizard), std::wstring(kProduct) + L" " + Version() + L" Setup");
    ASSERT_TRUE(GoOnFrom(wizard, L"Next >", L"installer-welcome"));
    ASSERT_TRUE(GoOnFrom(wizard, L"I Agree", L"installer-licence"));
    ASSERT_TRUE(GoOnFrom(wizard, L"Next >", L"installer-components"));
    ASSERT_TRUE(GoOnFrom(wizard, L"Install"));
    ASSERT_TRUE(WaitForPage(wizard, L"Finish"));
    EXPECT_FALSE(elsewhere.Running());
    PumpFor(400);
    SaveScreenshot(L"installer-finish");
    // "Start Rilto Micropause now" is ticked.
    DeleteSetting(L"Options", L"AppPath");
    PressMainButton(wizard);
    EXPECT_EQ(setup.WaitExit(kSetupWait), 0u);
    const Copy installed = WaitForCopyOf(InstalledProgram(), elsewhere.Id());
    EXPECT_TRUE(installed.Found());
    {
        SCOPED_TRACE("installed");
        ExpectInstalled();
    }
    EXPECT_EQ(ReadString(kRunKey, kProduct), RunEntry());

    // The uninstaller as the installed-programs list starts it; it asks about the
    // settings, and the user has them removed too.
    const auto command = ReadString(kUninstallKey, L"UninstallString");
    ASSERT_TRUE(command.has_value());
    const auto [exe, arguments] = SplitCommand(*command);
    const Process uninstall(exe, arguments);
    const std::wstring title = std::wstring(kProduct) + L" " + Version() + L" Uninstall";
    HWND unwizard = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (unwizard = FindDialogTitled(title, false)) != nullptr; },
                          kPageWait));
    DWORD unwizardPid = 0;
    GetWindowThreadProcessId(unwizard, &unwizardPid);
    const Copy unwizardProcess(unwizardPid);
    ASSERT_TRUE(GoOnFrom(unwizard, L"Uninstall"));
    HWND question = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (question = FindDialogTitled(title, true)) != nullptr; },
                          kPageWait));
    EXPECT_NE(StaticTexts(question).find(L"settings"), std::wstring::npos)
        << testing::PrintToString(StaticTexts(question));
    PumpFor(300);
    SaveScreenshot(L"uninstall-settings-question");
    PostMessageW(question, WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(GoOnFrom(unwizard, L"Close"));
    EXPECT_TRUE(unwizardProcess.WaitEnd(kSetupWait));
    EXPECT_TRUE(WaitUntil(NothingInstalled, kSetupWait));
    ExpectRemoved();
    EXPECT_TRUE(installed.WaitEnd(kStartWait));
    EXPECT_FALSE(StoreExists());
    // Nothing else kept settings there in this prefix.
    EXPECT_FALSE(KeyExists(L"Software\\VB and VBA Program Settings"));
}

}  // namespace
