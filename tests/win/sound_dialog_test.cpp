// The warning sound dialog in this process, made from its template with the program's
// manifest. The test's main thread shows it, as the settings dialog would; a second
// thread works it as the user would: the options, "Sound..." and the file dialog, OK
// by Enter and Cancel by ESC.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "common/memory_settings_store.h"
#include "common/settings.h"
#include "common/settings_writer.h"
#include "common/wide_text_win.h"
#include "engine/sound.h"
#include "engine/warning_sounds.h"
#include "settings/frm_sound_ids.h"
#include "settings/frm_sound_win.h"
#include "settings/sound_choice.h"
#include "support/harness.h"

namespace {

using rilto::FrmSound;
using rilto::SoundTarget;

constexpr wchar_t kDialogTitle[] = L"Sound warning";
constexpr wchar_t kFileDialogTitle[] = L"Select warning sound";
// How long a dialog may take to show, beside many other Wine programs on two cores.
constexpr DWORD kShowWait = 30000;
constexpr int kFileNameBox = 0x47C;   // cmb13, the file name box of the file dialog
constexpr int kFileNameEdit = 0x480;  // edt1, where a dialog has a plain edit instead

// What would have sounded: "play <path> wait|nowait".
class RecordingSound : public rilto::Sound {
  public:
    void Play(rilto::SoundSteps steps, std::function<void()> done) override {
        for (const rilto::SoundStep& step : steps) {
            if (step.kind == rilto::SoundStep::Kind::file) {
                played.push_back("play " + step.path + (step.wait ? " wait" : " nowait"));
            } else if (step.kind == rilto::SoundStep::Kind::beep) {
                played.push_back("beep");
            }
        }
        if (done) {
            done();
        }
    }

    std::vector<std::string> played;
};

bool Poll(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= ms) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

// A modal dialog once it shows: made, its controls filled and placed.
HWND FindDialog(const wchar_t* title, DWORD ms) {
    HWND found = nullptr;
    Poll(
        [&] {
            found = FindWindowW(L"#32770", title);
            return found != nullptr && IsWindowVisible(found);
        },
        ms);
    return found;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[512] = {};
    GetWindowTextW(hwnd, text, 512);
    return text;
}

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void Click(HWND dialog, int id) {
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// A key to the control with the focus in the dialog's thread, as the keyboard gives it.
void PostKey(HWND dialog, WORD vk) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    const HWND target = info.hwndFocus != nullptr ? info.hwndFocus : dialog;
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    PostMessageW(target, WM_KEYUP, vk, 0xC0000001);
}

// A short wave file of silence: 8 kHz, 8 bits, mono.
void WriteWave(const std::wstring& path) {
    constexpr std::uint32_t kSamples = 800;
    auto u32 = [](std::ofstream& out, std::uint32_t v) {
        out.write(reinterpret_cast<char*>(&v), 4);
    };
    auto u16 = [](std::ofstream& out, std::uint16_t v) {
        out.write(reinterpret_cast<char*>(&v), 2);
    };
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write("RIFF", 4);
    u32(out, 36 + kSamples);
    out.write("WAVEfmt ", 8);
    u32(out, 16);
    u16(out, 1);  // PCM
    u16(out, 1);
    u32(out, 8000);
    u32(out, 8000);
    u16(out, 1);
    u16(out, 8);
    out.write("data", 4);
    u32(out, kSamples);
    out.write(std::string(kSamples, '\x80').data(), kSamples);
}

class SoundDialog : public ::testing::Test {
  protected:
    // Shows the dialog for `target` on this thread while `drive` works it from another;
    // whatever the driver leaves open, or what shows only after it gave up on a loaded
    // machine, is cancelled until the dialog has returned, so that a failure cannot hang.
    bool ChooseDriven(SoundTarget target, const std::function<void(HWND)>& drive) {
        std::atomic<bool> returned{false};
        std::thread driver([&] {
            if (const HWND dialog = FindDialog(kDialogTitle, kShowWait); dialog != nullptr) {
                found_ = true;
                drive(dialog);
            }
            while (!returned) {
                const HWND files = FindWindowW(L"#32770", kFileDialogTitle);
                const HWND dialog = FindWindowW(L"#32770", kDialogTitle);
                if (files != nullptr || dialog != nullptr) {
                    PostMessageW(files != nullptr ? files : dialog, WM_COMMAND, IDCANCEL, 0);
                }
                Sleep(100);
            }
        });
        const bool ok = FrmSound::Choose(nullptr, writer_, static_cast<int>(target), sounds_);
        returned = true;
        driver.join();
        EXPECT_TRUE(found_) << "no dialog titled \"Sound warning\"";
        return ok;
    }

    // Opens the file dialog with "Sound..." and waits for it.
    static HWND OpenFileDialog(HWND dialog) {
        Click(dialog, IDC_CMDSOUND);
        return FindDialog(kFileDialogTitle, kShowWait);
    }

    static bool Closed(HWND window) {
        return Poll([&] { return !IsWindow(window); }, 5000);
    }

    rilto::Settings settings_;
    rilto::MemorySettingsStore store_;
    rilto::SettingsWriter writer_{settings_, store_};
    RecordingSound sound_;
    rilto::WarningSounds sounds_{sound_, settings_, rilto::Narrow(harness::BinDir())};
    bool found_ = false;
};

TEST_F(SoundDialog, EmptyValueShowsBeepsCentredAndEscCancels) {
    settings_.WarningSound = "";
    bool beeps = false;
    bool file = true;
    std::wstring caption;
    RECT frame{};
    const bool ok = ChooseDriven(SoundTarget::Start, [&](HWND dialog) {
        beeps = Checked(dialog, IDC_OPTTYPE0);
        file = Checked(dialog, IDC_OPTTYPE1);
        caption = TextOf(GetDlgItem(dialog, IDC_OPTTYPE1));
        GetWindowRect(dialog, &frame);
        PostKey(dialog, VK_ESCAPE);
        Closed(dialog);
    });
    EXPECT_FALSE(ok);
    EXPECT_TRUE(beeps);
    EXPECT_FALSE(file);
    EXPECT_EQ(caption, L"Sound card audio file");
    EXPECT_EQ(settings_.WarningSound, "");

    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((frame.left + frame.right) / 2, (work.left + work.right) / 2, 2);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, (work.top + work.bottom) / 2, 2);
}

TEST_F(SoundDialog, BrowsedFilePlaysShowsItsNameAndOkStoresThePath) {
    const std::wstring path = harness::BinPath(L"chime-\u00fc\u00df.wav");
    WriteWave(path);
    bool fileDialog = false;
    bool file = false;
    std::wstring caption;
    const bool ok = ChooseDriven(SoundTarget::Exercise, [&](HWND dialog) {
        const HWND files = OpenFileDialog(dialog);
        fileDialog = files != nullptr;
        if (files == nullptr) {
            return;
        }
        if (!SetDlgItemTextW(files, kFileNameBox, path.c_str())) {
            SetDlgItemTextW(files, kFileNameEdit, path.c_str());
        }
        Click(files, IDOK);
        Closed(files);
        Poll([&] { return Checked(dialog, IDC_OPTTYPE1); }, 3000);
        file = Checked(dialog, IDC_OPTTYPE1);
        caption = TextOf(GetDlgItem(dialog, IDC_OPTTYPE1));
        // No picture of the screen from this thread while the dialog's thread draws: Wine
        // shares one X connection between them, and a screen read there once deadlocked
        // with the dialog's cursor. settings_test takes this dialog's picture from outside.
        PostKey(dialog, VK_RETURN);
        Closed(dialog);
    });
    EXPECT_TRUE(fileDialog) << "no file dialog titled \"Select warning sound\"";
    EXPECT_TRUE(ok);
    EXPECT_TRUE(file);
    EXPECT_EQ(caption, L"Sound card (chime-\u00fc\u00df.wav)");
    EXPECT_EQ(settings_.WarningSoundX, rilto::Narrow(path));
    EXPECT_EQ(settings_.WarningSound, "");
    EXPECT_EQ(settings_.WarningSoundPre, "");
    EXPECT_EQ(sound_.played, std::vector<std::string>{"play " + rilto::Narrow(path) + " nowait"});
    DeleteFileW(path.c_str());
}

TEST_F(SoundDialog, CancelledFileDialogLeavesTheChoice) {
    settings_.WarningSoundPre = "C:\\Sounds\\bell.wav";
    bool fileDialog = false;
    bool file = false;
    std::wstring caption;
    const bool ok = ChooseDriven(SoundTarget::Early, [&](HWND dialog) {
        const HWND files = OpenFileDialog(dialog);
        fileDialog = files != nullptr;
        PostMessageW(files, WM_COMMAND, IDCANCEL, 0);
        Closed(files);
        file = Checked(dialog, IDC_OPTTYPE1);
        caption = TextOf(GetDlgItem(dialog, IDC_OPTTYPE1));
        Click(dialog, IDOK);
        Closed(dialog);
    });
    EXPECT_TRUE(fileDialog);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(file);
    EXPECT_EQ(caption, L"Sound card (bell.wav)");
    EXPECT_EQ(settings_.WarningSoundPre, "C:\\Sounds\\bell.wav");
    EXPECT_TRUE(sound_.played.empty());
}

TEST_F(SoundDialog, BeepsChosenOverAFileStoreEmpty) {
    settings_.WarningSound = "C:\\Sounds\\bell.wav";
    bool fileAtLoad = false;
    bool beeps = false;
    const bool ok = ChooseDriven(SoundTarget::Start, [&](HWND dialog) {
        fileAtLoad = Checked(dialog, IDC_OPTTYPE1);
        Click(dialog, IDC_OPTTYPE0);
        Poll([&] { return Checked(dialog, IDC_OPTTYPE0); }, 3000);
        beeps = Checked(dialog, IDC_OPTTYPE0);
        PostKey(dialog, VK_RETURN);
        Closed(dialog);
    });
    EXPECT_TRUE(fileAtLoad);
    EXPECT_TRUE(beeps);
    EXPECT_TRUE(ok);
    EXPECT_EQ(settings_.WarningSound, "");
}

}  // namespace
