#pragma once
// The ways the program ends. Every step runs even when an earlier one fails.

#include <functional>
#include <vector>

namespace rilto {

// What ending the program does to the system; each may fail by throwing.
class ShutdownActions {
  public:
    virtual ~ShutdownActions() = default;
    // The day's figures counted since the last minute's write.
    virtual void SaveStatistics() = 0;
    virtual void SwitchOffRecording(int kind) = 0;
    virtual void DeleteTrayIcon() = 0;
    // "tray" becomes "0": no copy runs.
    virtual void ClearPublishedHandle() = 0;
    // The player's video device and the preview's.
    virtual void CloseVideoDevice() = 0;
    virtual void UnloadPlayer() = 0;
    virtual void UnloadSettingsDialog() = 0;
    virtual void EndProcess() = 0;
};

// Runs the steps in order, each even when an earlier one threw.
void RunEveryStep(const std::vector<std::function<void()>>& steps);

// The orderly unload of the main form: the day's figures saved, recording off for both
// kinds, the icon deleted, "tray" cleared, the video device closed.
void UnloadMainForm(ShutdownActions& a);

// "Shutdown Rilto" from the tray menu: the video closed, the main form unloaded,
// the player and the settings dialog unloaded, the process ended.
void ShutdownRilto(ShutdownActions& a);

// The shutdown key command: the day's figures saved, recording off, the icon deleted,
// the video closed and the process ended at once. Nothing is unloaded, so "tray" keeps its handle.
void ShutdownNow(ShutdownActions& a);

}  // namespace rilto
