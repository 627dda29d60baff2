// riltoctl against the real rilto32: its exit codes with and without a running copy, the
// status it prints, and the commands that change the running copy's state; a command it
// does not know changes nothing.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>

#include "support/rilto_test.h"

using namespace harness;

namespace {

constexpr DWORD kExitWait = 30000;

struct CtlRun {
    std::optional<DWORD> exit;
    std::string out;
    std::string err;
};

// riltoctl with its standard output and error going to `out` and `err`: its exit code,
// or nothing when it does not end in time.
std::optional<DWORD> RunCtlInto(const std::wstring& arguments, HANDLE out, HANDLE err) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::wstring command = L"\"" + BinPath(L"riltoctl.exe") + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process)) {
        return std::nullopt;
    }
    std::optional<DWORD> exit;
    if (WaitForSingleObject(process.hProcess, kExitWait) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        exit = code;
    } else {
        TerminateProcess(process.hProcess, 99);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exit;
}

std::string ReadAll(HANDLE from) {
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(from, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        text.append(buffer, got);
    }
    return text;
}

// Standard output and error redirected to files, as "riltoctl status > status.txt".
CtlRun RunCtl(const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE files[2];
    for (HANDLE& file : files) {
        wchar_t folder[MAX_PATH];
        wchar_t path[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        GetTempFileNameW(folder, L"ctl", 0, path);
        file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &inherit, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    }
    CtlRun run;
    run.exit = RunCtlInto(arguments, files[0], files[1]);
    for (std::string* text : {&run.out, &run.err}) {
        const HANDLE file = files[text == &run.out ? 0 : 1];
        SetFilePointer(file, 0, nullptr, FILE_BEGIN);
        *text = ReadAll(file);
        CloseHandle(file);
    }
    return run;
}

// Both into an anonymous pipe, as "riltoctl status | findstr ..." (what it prints fits
// the pipe's buffer, so it is read at the end).
CtlRun RunCtlIntoPipe(const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    CtlRun run;
    if (CreatePipe(&read, &write, &inherit, 64 * 1024)) {
        SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
        run.exit = RunCtlInto(arguments, write, write);
        CloseHandle(write);
        run.out = ReadAll(read);
        CloseHandle(read);
    }
    return run;
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no line end>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

constexpr char kUsageStart[] = "Usage: riltoctl COMMAND";

// The whole store but the day's figures, which the running copy writes on its own when a
// minute passes.
std::map<std::wstring, std::wstring> StoreWithoutFigures() {
    std::map<std::wstring, std::wstring> values = SectionsStartingWith(L"");
    std::erase_if(values,
                  [](const auto& entry) { return entry.first.rfind(L"Statistics", 0) == 0; });
    return values;
}

TEST(RiltoctlAlone, WithoutARunningCopyItExitsWithOneAndSaysSo) {
    ClearStore();
    for (const wchar_t* arguments : {L"status", L"pause 30", L"resume", L"micropause"}) {
        const CtlRun run = RunCtl(arguments);
        EXPECT_EQ(run.exit, 1u) << testing::PrintToString(std::wstring(arguments));
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(Contains(run.err, "Rilto Micropause is not running")) << run.err;
    }
    // A handle that names no running copy: a window of another program.
    OtherProgramWindow foreign;
    WriteSetting(L"Options", L"tray", Decimal(foreign.hwnd()));
    EXPECT_EQ(RunCtl(L"status").exit, 1u);
    ClearStore();
}

TEST(RiltoctlAlone, HelpPrintsTheUsageOnStandardOutput) {
    const CtlRun help = RunCtl(L"HELP");
    EXPECT_EQ(help.exit, 0u);
    EXPECT_EQ(help.out.rfind(kUsageStart, 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");
}

class Riltoctl : public RiltoTest {
  protected:
    void SetUp() override {
        RiltoTest::SetUp();
        Start();
    }
};

TEST_F(Riltoctl, StatusPrintsOneFactALineIntoAFileAndAPipe) {
    const CtlRun run = RunCtl(L"status");
    ASSERT_EQ(run.exit, 0u) << run.err;
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> lines = LinesOf(run.out);
    ASSERT_EQ(lines.size(), 4u) << run.out;
    EXPECT_TRUE(std::regex_match(lines[0], std::regex("next micropause in [0-9]+:[0-5][0-9]")))
        << lines[0];
    EXPECT_TRUE(std::regex_match(lines[1], std::regex("next exercise break in [0-9]+ minutes?")))
        << lines[1];
    EXPECT_EQ(lines[2], "not paused");
    EXPECT_EQ(lines[3], "micropauses today: 0 taken, 0 skipped, 0 natural");

    // For the README's picture of a console.
    const std::wstring folder = BinDir() + L"\\..\\..\\screenshots";
    CreateDirectoryW(folder.c_str(), nullptr);
    std::ofstream((folder + L"\\riltoctl-status.txt").c_str(), std::ios::binary) << run.out;

    const CtlRun piped = RunCtlIntoPipe(L"Status");
    EXPECT_EQ(piped.exit, 0u);
    EXPECT_EQ(LinesOf(piped.out).size(), 4u) << piped.out;
    EXPECT_EQ(LinesOf(piped.out)[2], "not paused");
}

TEST_F(Riltoctl, PauseStoresItsEndAndResumeClearsIt) {
    const CtlRun pause = RunCtl(L"pause 30");
    ASSERT_EQ(pause.exit, 0u) << pause.err;
    EXPECT_EQ(pause.out, "");
    const std::optional<std::wstring> until = ReadSetting(L"Options", L"PausedUntil");
    ASSERT_TRUE(until.has_value());
    EXPECT_TRUE(
        std::regex_match(until->begin(), until->end(),
                         std::wregex(L"[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}Z")))
        << testing::PrintToString(*until);
    const std::vector<std::string> paused = LinesOf(RunCtl(L"status").out);
    ASSERT_EQ(paused.size(), 4u);
    EXPECT_EQ(paused[0], "next micropause off");
    EXPECT_TRUE(std::regex_match(paused[2], std::regex("paused until [0-2][0-9]:[0-5][0-9]")))
        << paused[2];

    ASSERT_EQ(RunCtl(L"RESUME").exit, 0u);
    EXPECT_EQ(ReadSetting(L"Options", L"PausedUntil").value_or(L""), L"");
    EXPECT_TRUE(Contains(RunCtl(L"status").out, "\r\nnot paused\r\n"));
}

TEST_F(Riltoctl, MicropauseBringsTheScreenAndStatisticsItsWindow) {
    ASSERT_EQ(RunCtl(L"micropause").exit, 0u);
    EXPECT_TRUE(WaitUntil([&] { return Shown() && IsTopmost(form_); }, kShowWait));
    EXPECT_EQ(RunCtl(L"status").out.rfind("micropause on screen\r\n", 0), 0u);
    ASSERT_EQ(RunCtl(L"statistics").exit, 0u);
    EXPECT_TRUE(
        WaitUntil([&] { return FindProcessWindow(running_.Id(), L"Rilto Statistics") != nullptr; },
                  kShowWait));
}

TEST_F(Riltoctl, AnUnknownCommandChangesNothingInTheStore) {
    const std::map<std::wstring, std::wstring> before = StoreWithoutFigures();
    for (const wchar_t* arguments :
         {L"", L"bogus", L"pause", L"pause 1441", L"pause -5", L"resume now", L"shutdown"}) {
        const CtlRun run = RunCtl(arguments);
        EXPECT_EQ(run.exit, 2u) << testing::PrintToString(std::wstring(arguments));
        EXPECT_TRUE(Contains(run.err, kUsageStart));
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(StoreWithoutFigures(), before);
    EXPECT_TRUE(running_.Running());
    EXPECT_FALSE(Shown());
}

}  // namespace
