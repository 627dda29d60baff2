// Every window and dialog of the program in this process, at the DPI the system has
// (RILTO_TEST_DPI asks for one: 96, 120, 144 or 192; the test then runs itself again
// with Windows set to it): every control lies in its parent's client area and shows all
// of its text. A contact sheet of what each window looked like is saved beside the
// screenshots.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/day_figures.h"
#include "common/dpi_win.h"
#include "common/memory_settings_store.h"
#include "common/settings.h"
#include "common/settings_writer.h"
#include "common/texts.h"
#include "common/wide_text_win.h"
#include "engine/frm_daily_limit_win.h"
#include "engine/frm_rilto_win.h"
#include "engine/sound.h"
#include "engine/warning_sounds.h"
#include "exercise/frm_chk_exercise_win.h"
#include "exercise/frm_x_win.h"
#include "exercise/scheme_store.h"
#include "fakes/exercise_rig.h"
#include "settings/frm_about_tevrin_win.h"
#include "settings/frm_prompt_win.h"
#include "settings/frm_settings_ids.h"
#include "settings/frm_settings_win.h"
#include "settings/frm_sound_win.h"
#include "settings/settings_dialog.h"
#include "statistics/frm_statistics_win.h"
#include "support/harness.h"
#include "support/layout_check.h"

namespace {

constexpr char kDpiVariable[] = "RILTO_TEST_DPI";
constexpr char kRelaunchedVariable[] = "RILTO_TEST_DPI_RUN";
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kLogPixels[] = L"LogPixels";
constexpr DWORD kRunBound = 300000;

UINT Dpi() {
    return rilto::SystemDpi();
}

harness::ContactSheet& Sheet() {
    static harness::ContactSheet sheet;
    return sheet;
}

// The window checked, and its capture on the sheet (`shown`, or the window itself).
void ExpectFits(const std::wstring& name, HWND window, HWND shown = nullptr,
                const std::vector<int>& outOfSight = {}) {
    EXPECT_EQ(rilto::DpiOfWindow(window), Dpi()) << rilto::Narrow(name);
    const std::vector<std::string> faults = harness::LayoutFaults(window, outOfSight);
    EXPECT_TRUE(faults.empty()) << rilto::Narrow(name) << " at " << Dpi() << " DPI:\n"
                                << harness::Joined(faults);
    Sheet().Add(name, shown != nullptr ? shown : window);
}

// A visible window of this thread with the title.
HWND ThreadWindow(const std::wstring& title) {
    struct Find {
        const std::wstring* title;
        HWND found;
    } find{&title, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            auto* f = reinterpret_cast<Find*>(p);
            if (IsWindowVisible(w) && harness::TextOf(w) == *f->title) {
                f->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

// A modal dialog, checked from inside its own message loop once it shows, then
// cancelled; cancelled anyway after a while so that nothing hangs.
class ModalCheck {
  public:
    ModalCheck(std::wstring title, std::wstring name)
        : title_(std::move(title)), name_(std::move(name)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 200, &ModalCheck::Tick);
    }
    ~ModalCheck() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    ModalCheck(const ModalCheck&) = delete;
    ModalCheck& operator=(const ModalCheck&) = delete;
    bool Seen() const { return seen_; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalCheck* self = current_;
        if (self == nullptr || self->done_) {
            return;
        }
        // Checked once it has been up for a while, so that it is all drawn.
        const HWND dialog = ThreadWindow(self->title_);
        if (dialog != nullptr && ++self->shownTicks_ > 2) {
            self->done_ = true;  // the check pumps messages, and this timer's among them
            self->seen_ = true;
            ExpectFits(self->name_, dialog);
        } else if (++self->ticks_ > 50) {
            self->done_ = true;
        }
        if (self->done_) {
            PostMessageW(dialog != nullptr ? dialog : GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
        }
    }

    static inline ModalCheck* current_ = nullptr;
    std::wstring title_;
    std::wstring name_;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
    int shownTicks_ = 0;
    bool seen_ = false;
    bool done_ = false;
};

TEST(DpiLayout, MicropauseScreenAndStatusWindow) {
    rilto::FrmRilto form;
    ASSERT_TRUE(form.Create({}));
    form.Panel().SetCaption(rilto::PanelItem::lblVersion, "3.0.0");
    form.Panel().SetCaption(rilto::PanelItem::lblWarning, rilto::kDefaultWarning);
    form.SetCaption(rilto::ViewLabel::lblExercise, "Next Exercise Break: 49 minutes");
    form.SetWindowState(rilto::WindowState::Maximised);
    form.ShowForm();
    form.SetVisible(rilto::ViewControl::lblESC, true);
    harness::PumpFor(300);
    // The form's Cancel, for ESC, lies beyond the screen on purpose.
    ExpectFits(L"micropause screen", form.hwnd(), form.Panel().hwnd(), {IDCANCEL});
    form.HideForm();

    form.ShowStatusWindow();
    harness::PumpFor(300);
    ExpectFits(L"status window", form.hwnd(), nullptr, {IDCANCEL});
    form.HideForm();
}

TEST(DpiLayout, ExerciseReminder) {
    rilto::FrmChkExercise reminder;
    rilto::FrmChkExerciseEvents events;
    events.exerciseNow = [] { return true; };
    events.later = [](const std::string&) {};
    events.closed = [] {};
    ASSERT_TRUE(reminder.Create(std::move(events)));
    reminder.Show("10");
    harness::PumpFor(300);
    ExpectFits(L"exercise reminder", reminder.hwnd());
    reminder.Close();
}

TEST(DpiLayout, DailyLimit) {
    rilto::FrmDailyLimit limit;
    ASSERT_TRUE(limit.Create({}));
    limit.ShowDailyLimit(1439, 1440);  // the longest text it says
    harness::PumpFor(300);
    ExpectFits(L"daily limit", limit.hwnd());
    limit.CloseDailyLimit();
}

TEST(DpiLayout, ExercisePlayerInEachMode) {
    rilto::Settings settings;
    rilto::FrmX player{settings, rilto::Narrow(harness::BinDir() + L"\\test-media")};
    ASSERT_TRUE(player.Create({}));
    const struct {
        const wchar_t* name;
        const char* file;
        std::int32_t viewAm;
        bool blank;
    } modes[] = {{L"player: small video", "exercise.avi", 0, false},
                 {L"player: large video", "exercise.avi", 3, false},
                 {L"player: picture", "picture.BMP", 0, false},
                 {L"player: video on a blank screen", "exercise.avi", 1, true}};
    // A break in a window through each size and kind, as the window goes from exercise
    // to exercise; then a break on a blank screen.
    bool first = true;
    for (const auto& mode : modes) {
        settings.BlankX = mode.blank;
        settings.ViewAm = mode.viewAm;
        if (mode.blank) {
            player.ClosePlayer();
            first = true;
        }
        if (first) {
            player.PrepareBreak();
        }
        player.PresentExercise(mode.file, first);
        player.SetCaption("Neck rolls (30)");
        harness::PumpFor(400, [&](MSG* msg) { return player.PreTranslate(msg); });
        ExpectFits(mode.name, player.hwnd());
        player.CloseVideo();
        first = false;
    }
    player.ClosePlayer();
}

// The settings dialog as the program fills it, over an in-memory store, each page in
// turn; then the scheme editor's two dialogs over it.
TEST(DpiLayout, SettingsPagesAndTheSchemeEditorsDialogs) {
    rilto::fakes::ExerciseRig rig;
    rilto::FrmSettings dialog(
        rilto::FrmSettingsPorts{rig.core.writer(), rig.sounds, rilto::fakes::kProgramFolder,
                                [](const std::function<bool()>& busy) {
                                    harness::WaitUntil([&] { return !busy(); }, 5000);
                                }});
    rilto::SettingsDialog controller(rilto::SettingsDialogPorts{rig.core.writer(),
                                                                rig.store,
                                                                rig.scheduler,
                                                                rig.hook,
                                                                rig.flow,
                                                                dialog,
                                                                nullptr,
                                                                rilto::fakes::kProgramFolder,
                                                                {}});
    dialog.Attach(controller);
    ASSERT_TRUE(dialog.Create());
    // The widest numbers each box takes.
    rig.UseScheme(3, {}, 999);
    rilto::AddSchemeName(rig.store, "Test");
    rig.settings.InterruptFor = 60;
    rig.settings.InterruptEvery = 999;
    rig.settings.EveryM = 999;
    rig.settings.NumAtaTime = 99;
    rig.settings.AwayM = 120;
    rig.settings.MaxM = 480;
    rig.settings.SkipsPerDay = 99;
    rig.settings.LaterPerBreak = 9;
    // The schedule page with the longest texts it shows: two ranges, and its line naming
    // a day that cannot be read.
    rig.settings.ScheduleOn = true;
    rig.settings.Hours[0] = "08:30-12:00,13:00-17:30";
    rig.settings.Hours[1] = "9-17";
    rig.settings.LimitM = 1440;
    // The keys page with its longest key, and the longest word beside each box.
    for (std::string& key : rig.settings.Hotkeys) {
        key = "Ctrl+Alt+Shift+Win+PageDown";
    }
    rilto::HotKeyStates states;
    for (rilto::HotKeyState& state : states) {
        state = {rilto::HotKeyOutcome::Repeated, "Ctrl+Alt+Shift+Win+PageDown",
                 rilto::HotKeyProblem::None};
    }
    dialog.ShowHotKeyStates(states);
    controller.LoadMeUp();
    const auto pump = [&](DWORD ms) {
        harness::PumpFor(ms, [&](MSG* msg) { return dialog.TranslateDialogMessage(msg); });
    };
    pump(500);
    const wchar_t* pages[] = {L"settings: Micropauses",      L"settings: Exercise Breaks",
                              L"settings: Exercise Schemes", L"settings: Holds",
                              L"settings: Schedule",         L"settings: Keys"};
    static_assert(std::size(pages) == rilto::FrmSettings::kPages);
    for (int page = 0; page < rilto::FrmSettings::kPages; ++page) {
        SendMessageW(dialog.Control(IDC_TS), TCM_SETCURFOCUS, static_cast<WPARAM>(page), 0);
        pump(200);
        ExpectFits(pages[page], dialog.hwnd());
    }

    // The preview over the whole dialog, with the largest video.
    rig.settings.ViewAm = 4;
    dialog.ShowPreview(rilto::Narrow(harness::BinDir() + L"\\test-media\\exercise.avi"));
    pump(400);
    ExpectFits(L"settings: preview", dialog.hwnd());
    dialog.ClosePreview();

    {
        const ModalCheck check(L"Add Exercise", L"scheme editor: Add Exercise");
        rilto::FrmPrompt::AskExerciseTitle(dialog.hwnd());
        EXPECT_TRUE(check.Seen());
    }
    {
        const ModalCheck check(L"Save Scheme As", L"scheme editor: Save Scheme As");
        rilto::FrmPrompt::AskSchemeName(dialog.hwnd(), [](const std::string&) { return true; });
        EXPECT_TRUE(check.Seen());
    }
    ShowWindow(dialog.hwnd(), SW_HIDE);
}

// What would have sounded: nothing, here.
class SilentSound : public rilto::Sound {
  public:
    void Play(rilto::SoundSteps, std::function<void()>) override {}
};

TEST(DpiLayout, SoundDialog) {
    rilto::Settings settings;
    const rilto::MemorySettingsStore store;
    rilto::SettingsWriter writer(settings, store);
    SilentSound sound;
    rilto::WarningSounds sounds{sound, settings, rilto::Narrow(harness::BinDir())};
    const ModalCheck check(L"Sound warning", L"sound dialog");
    rilto::FrmSound::Choose(nullptr, writer, 0, sounds);
    EXPECT_TRUE(check.Seen());
}

TEST(DpiLayout, AboutBox) {
    rilto::FrmAboutTevrin about;
    ASSERT_TRUE(about.Show(nullptr));
    harness::PumpFor(300);
    ExpectFits(L"About", about.hwnd());
}

TEST(DpiLayout, StatisticsWindow) {
    std::vector<rilto::DayFigures> days;
    for (int d = 30; d >= 1; --d) {
        rilto::DayFigures day;
        day.date = rilto::DateName(2024, 11, d);
        day[rilto::DayCount::micropauses] = 8 + (d * 7) % 13;
        day[rilto::DayCount::skipped] = d % 4;
        day[rilto::DayCount::natural] = (d * 5) % 7;
        day[rilto::DayCount::exercises] = d % 3;
        day[rilto::DayCount::activeMinutes] = 200 + d * 3;
        days.push_back(day);
    }
    rilto::FrmStatistics window{[&] { return days; }, [] { return std::string("2024-11-30"); },
                                [] { return std::optional<int>(240); }};
    ASSERT_TRUE(window.Show());
    harness::PumpFor(300);
    ExpectFits(L"statistics", window.hwnd());
}

// The sheet of every window, saved when the last test is done.
class SheetSaver : public ::testing::Environment {
  public:
    void TearDown() override {
        const int percent = static_cast<int>(Dpi() * 100 / rilto::kBaseDpi);
        Sheet().Save(L"dpi-" + std::to_wstring(percent) + L"-contact-sheet");
    }
};

// Runs this program again with Windows set to `dpi`, and puts the setting back.
int RunAgainAt(UINT dpi, const std::wstring& arguments) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        std::fprintf(stderr, "cannot open the desktop's settings\n");
        return 1;
    }
    DWORD before = 0;
    DWORD size = sizeof before;
    const bool had = RegQueryValueExW(key, kLogPixels, nullptr, nullptr,
                                      reinterpret_cast<BYTE*>(&before), &size) == ERROR_SUCCESS;
    const DWORD wanted = dpi;
    RegSetValueExW(key, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&wanted),
                   sizeof wanted);
    SetEnvironmentVariableA(kRelaunchedVariable, "1");
    harness::Process again(harness::BinPath(L"dpi_layout_test.exe"), arguments);
    const std::optional<DWORD> code = again.WaitExit(kRunBound);
    if (had) {
        RegSetValueExW(key, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&before),
                       sizeof before);
    } else {
        RegDeleteValueW(key, kLogPixels);
    }
    RegCloseKey(key);
    return code ? static_cast<int>(*code) : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::wstring arguments;
    for (int i = 1; i < argc; ++i) {
        arguments += (i > 1 ? L" \"" : L"\"") + rilto::Widen(argv[i]) + L"\"";
    }
    ::testing::InitGoogleTest(&argc, argv);
    // Several DPIs, separated by commas: a run at each in turn, in one prefix.
    const char* asked = std::getenv(kDpiVariable);
    std::vector<UINT> dpis;
    for (const char* at = asked; at != nullptr && *at != '\0';) {
        char* end = nullptr;
        dpis.push_back(static_cast<UINT>(std::strtoul(at, &end, 10)));
        at = *end == ',' ? end + 1 : end + std::strlen(end);
    }
    if (dpis.size() > 1) {
        int failed = 0;
        for (const UINT each : dpis) {
            SetEnvironmentVariableA(kDpiVariable, std::to_string(each).c_str());
            const int code = RunAgainAt(each, arguments);
            std::printf("at %u DPI: %s\n", each, code == 0 ? "passed" : "FAILED");
            failed += code != 0 ? 1 : 0;
        }
        return failed == 0 ? 0 : 1;
    }
    const UINT dpi = dpis.empty() ? 0 : dpis.front();
    if (dpi != 0 && Dpi() != dpi) {
        if (std::getenv(kRelaunchedVariable) != nullptr) {
            std::fprintf(stderr, "Windows runs at %u DPI, not at %u\n", Dpi(), dpi);
            return 1;
        }
        return RunAgainAt(dpi, arguments);
    }
    std::printf("at %u DPI\n", Dpi());
    ::testing::AddGlobalTestEnvironment(new SheetSaver);
    return RUN_ALL_TESTS();
}
