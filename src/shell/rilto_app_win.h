#pragma once
// The running program: owns the store, the in-memory settings and the main form,
// and carries out start-up, the key commands of other processes, and shutdown.

#include <windows.h>

#include <string>

#include "shell/frm_rilto_win.h"
#include "shell/registry_settings_store_win.h"
#include "shell/settings.h"

namespace rilto {

class RiltoApp : public FrmRiltoEvents {
  public:
    explicit RiltoApp(HINSTANCE instance);

    // Start-up, then the message loop. Returns the process exit code.
    int Run(const std::string& arguments);

    // FrmRiltoEvents
    void OnHookKey(unsigned keyCode) override;
    void OnTrayNotify(unsigned mouseMessage) override;
    void OnTimer(UINT_PTR id) override;
    void OnCommand(int id, int notification) override;
    void OnBroadcast(UINT message) override;
    void OnEndSession() override;

  private:
    // A second start: hand the key command to the running copy.
    void HandOverToRunningCopy(const std::string& arguments);
    bool Startup();
    void LayOutMicropauseScreen();
    // The orderly unload of the main form.
    void Unload();
    // Key command 99: hooks off, icon deleted, and the process ends at once.
    [[noreturn]] void ShutdownNow();

    HINSTANCE instance_;
    RegistrySettingsStore store_;
    Settings settings_;
    FrmRilto frmRilto_;
    bool unloaded_ = false;
};

}  // namespace rilto
