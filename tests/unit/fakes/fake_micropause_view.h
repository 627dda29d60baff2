#pragma once
// The main form as the scheduler drives it: keeps the captions, the visible controls
// and the window's state, and logs each request with its virtual time.

#include <map>
#include <string>

#include "engine/micropause_view.h"
#include "fakes/event_log.h"
#include "fakes/virtual_clock.h"

namespace rilto::fakes {

inline const char* Name(ViewLabel label) {
    switch (label) {
        case ViewLabel::lblExercise:
            return "lblExercise";
        case ViewLabel::lblvoluntary:
            return "lblvoluntary";
        case ViewLabel::lblrilto:
            return "lblrilto";
        case ViewLabel::lblESC:
            return "lblESC caption";
    }
    return "?";
}

inline const char* Name(ViewControl control) {
    switch (control) {
        case ViewControl::cmdOK:
            return "cmdOK";
        case ViewControl::picPB:
            return "picPB";
        case ViewControl::lblESC:
            return "lblESC";
        case ViewControl::picBlack:
            return "picBlack";
    }
    return "?";
}

class FakeMicropauseView : public MicropauseView {
  public:
    FakeMicropauseView(EventLog& log, const VirtualClock& clock) : log_(log), clock_(clock) {}

    void SetCaption(ViewLabel label, const std::string& text) override {
        captions_[label] = text;
        Log(std::string(Name(label)) + " = " + text);
    }
    void SetVisible(ViewControl control, bool visible) override {
        visible_[control] = visible;
        Log(std::string(visible ? "show " : "hide ") + Name(control));
    }
    void SetWindowState(WindowState state) override {
        state_ = state;
        Log(state == WindowState::Maximised ? "maximised" : "normal");
    }
    void Repaint() override { Log("repaint"); }
    void ShowForm() override {
        formVisible_ = true;
        Log("show form");
    }
    void HideForm() override {
        formVisible_ = false;
        Log("hide form");
    }
    void MakeTopmost() override {
        topmost_ = true;
        Log("topmost");
    }
    void SendToBottom() override {
        topmost_ = false;
        Log("bottom");
    }
    void CatchEscape(bool on) override {
        catchingEscape_ = on;
        Log(on ? "catch ESC" : "release ESC");
    }

    std::string Caption(ViewLabel label) const {
        const auto it = captions_.find(label);
        return it == captions_.end() ? std::string() : it->second;
    }
    // Controls start as the form is laid out at start-up: OK shown, the bar and the
    // skip hint hidden, the panel shown.
    bool Visible(ViewControl control) const {
        const auto it = visible_.find(control);
        if (it != visible_.end()) {
            return it->second;
        }
        return control == ViewControl::cmdOK || control == ViewControl::picBlack;
    }
    bool FormVisible() const { return formVisible_; }
    bool Topmost() const { return topmost_; }
    bool CatchingEscape() const { return catchingEscape_; }
    WindowState State() const { return state_; }

  private:
    void Log(const std::string& what) { log_.Add(clock_.Elapsed(), what); }

    EventLog& log_;
    const VirtualClock& clock_;
    std::map<ViewLabel, std::string> captions_;
    std::map<ViewControl, bool> visible_;
    WindowState state_ = WindowState::Normal;
    bool formVisible_ = false;
    bool topmost_ = false;
    bool catchingEscape_ = false;
};

}  // namespace rilto::fakes
