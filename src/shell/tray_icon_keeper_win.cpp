#include "shell/tray_icon_keeper_win.h"

#include "common/resource_ids.h"
#include "common/window_win.h"

namespace rilto {

void TrayIconKeeper::Add(HWND hookWindow, HWND mainForm, int micropausesToday) {
    if (!icon_) {
        icon_ = LoadTrayIcon(ThisModule(), IDI_RILTO);
        tray_ = std::make_unique<TrayIcon>(hookWindow, icon_.get());
        tray_->SetMicropausesToday(micropausesToday);
        SendMessageW(mainForm, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
        retry_.Attach(mainForm, [this] { Retry(); });
    }
    AddAgain();
}

void TrayIconKeeper::AddAgain() {
    if (!tray_) {
        return;
    }
    if (tray_->Add()) {
        retry_.SetEnabled(false);
        return;
    }
    attempts_.FirstFailed();
    retry_.SetInterval(TrayIconRetry::kIntervalMs);
    retry_.SetEnabled(true);
}

void TrayIconKeeper::Retry() {
    if (tray_->Add() || !attempts_.AnotherAttempt()) {
        retry_.SetEnabled(false);
    }
}

void TrayIconKeeper::Delete() {
    if (tray_) {
        tray_->Delete();
    }
}

void TrayIconKeeper::ReturnFocus() {
    if (tray_) {
        tray_->ReturnFocus();
    }
}

void TrayIconKeeper::SetPausedUntil(const std::string& until) {
    if (tray_) {
        tray_->SetPausedUntil(until);
    }
}

void TrayIconKeeper::SetOffHours(const OffHoursShown& offHours) {
    if (tray_) {
        tray_->SetOffHours(offHours);
    }
}

void TrayIconKeeper::SetReadingMode(bool on) {
    if (tray_) {
        tray_->SetReadingMode(on);
    }
}

void TrayIconKeeper::SetMicropausesToday(int count) {
    if (tray_) {
        tray_->SetMicropausesToday(count);
    }
}

}  // namespace rilto
