#pragma once
// A test that runs the real rilto32 on a clear store, quiet (no warning sounds), and
// drives it as the tray menu and other programs do. The program counts real minutes
// unless the test shortens its minute.

#include <gtest/gtest.h>

#include "common/minute.h"
#include "shell/resource.h"
#include "support/harness.h"

namespace harness {

class RiltoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetProgramMinute(0);
        ClearStore();
        WriteSetting(L"Micropause", L"Audible", L"0");
        WriteSetting(L"Micropause", L"AudiblePre", L"0");
        WriteSetting(L"Exercise", L"AudibleX", L"0");
    }
    void TearDown() override {
        StopRilto(running_);
        ClearStore();
        SetProgramMinute(0);
    }
    // The copies started from now on count minutes of `ms` milliseconds.
    void ShortenMinute(DWORD ms) {
        minute_ = ms;
        SetProgramMinute(ms);
    }
    void Start() {
        running_ = StartRilto();
        ASSERT_TRUE(running_.Running());
        form_ = MainForm();
    }
    // A command of the tray menu, as the menu sends it.
    void Command(int id) { PostMessageW(TrayWindow(), WM_COMMAND, id, 0); }
    // "Micropause Now!"
    void MicropauseNow() { Command(IDM_DEMO_MICROPAUSE); }
    bool Shown() const { return IsWindowVisible(form_) != FALSE; }

    Process running_;
    HWND form_ = nullptr;
    // The program's minute, in milliseconds.
    DWORD minute_ = rilto::kRealMinuteMs;
};

}  // namespace harness
