#include "settings/preview_panel_win.h"

#include "exercise/exercise_media.h"
#include "settings/frm_settings_ids.h"

namespace rilto {

PreviewPanel::PreviewPanel() : Dialog(IDD_SETTINGS_MOVIE) {}

bool PreviewPanel::Create(HWND host, std::function<void()> done) {
    done_ = std::move(done);
    return CreatePage(host, IDC_PICMOVIE) && am_.hwnd() != nullptr;
}

INT_PTR PreviewPanel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG:
            if (am_.Create(hwnd(), IDC_AM)) {
                SetWindowPos(am_.hwnd(), HWND_TOP, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
            return FALSE;  // the focus stays where it is
        case WM_COMMAND:
            if (LOWORD(wp) == IDC_CMDDONE && HIWORD(wp) == BN_CLICKED) {
                if (done_) {
                    done_();
                }
                return TRUE;
            }
            return FALSE;
        case WM_CTLCOLORSTATIC:
            // Black behind the preview, in any colour scheme.
            if (reinterpret_cast<HWND>(lp) == Item(IDC_AMBACK)) {
                return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
            }
            return FALSE;
        default:
            return FALSE;
    }
}

void PreviewPanel::LaidOut(UINT) {
    Centre();
}

RECT PreviewPanel::Room() const {
    RECT r{};
    const HWND back = Item(IDC_AMBACK);
    GetWindowRect(back, &r);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void PreviewPanel::Show(const std::string& file, std::int32_t viewAm,
                        const std::string& programFolder) {
    const BusyCursor busy;
    const RECT room = Room();
    am_.SetBackground(RGB(0, 0, 0));
    const std::int32_t fitting =
        FittingViewAm(viewAm, SurfaceSize{room.right - room.left, room.bottom - room.top});
    const std::string ending = ShowExercise(video_, am_, file, fitting, programFolder);
    Centre();
    ShowWindow(am_.hwnd(), SW_SHOWNA);
    SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetWindowPos(Item(IDC_CMDDONE), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    Focus(Item(IDC_CMDDONE));
    if (KindOfMedia(ending) == MediaKind::Video) {
        video_.Play();
    }
}

void PreviewPanel::Centre() {
    const RECT room = Room();
    const SurfaceSize size = am_.Size();
    SetWindowPos(am_.hwnd(), HWND_TOP, (room.left + room.right - size.width) / 2,
                 (room.top + room.bottom - size.height) / 2, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

bool PreviewPanel::Close() {
    video_.Close();
    am_.SetPicture(nullptr);
    if (!Showing()) {
        return false;
    }
    ShowWindow(hwnd(), SW_HIDE);
    return true;
}

}  // namespace rilto
