#pragma once
// A test that runs the real rilto32 on a clear store, quiet (no warning sounds), and
// drives it as the tray menu and other programs do.

#include <gtest/gtest.h>

#include "shell/resource.h"
#include "support/harness.h"

namespace harness {

class RiltoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearStore();
        WriteSetting(L"Micropause", L"Audible", L"0");
        WriteSetting(L"Micropause", L"AudiblePre", L"0");
        WriteSetting(L"Exercise", L"AudibleX", L"0");
    }
    void TearDown() override {
        StopRilto(running_);
        ClearStore();
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
};

}  // namespace harness
