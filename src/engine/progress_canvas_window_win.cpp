#include "engine/progress_canvas_window_win.h"

namespace rilto {

namespace {
constexpr wchar_t kClass[] = L"RiltoProgressCanvas";
}  // namespace

bool ProgressCanvasWindow::Create(HWND parent, int id) {
    // The bar redraws its columns ten times a second, each with GetDC: a DC of its own
    // makes that a lookup instead of a new device context every time.
    return RegisterWindowClass({kClass, CS_OWNDC}) &&
           CreateWindowOf(kClass, 0, WS_CHILD, RECT{}, parent, id);
}

LRESULT ProgressCanvasWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd(), &ps);
        if (painter_) {
            painter_(dc);
        }
        EndPaint(hwnd(), &ps);
        return 0;
    }
    if (msg == WM_SIZE && resized_) {
        resized_();
        return 0;
    }
    if (msg == WM_ERASEBKGND) {
        return 1;  // the painter fills every pixel
    }
    return Default(msg, wp, lp);
}

}  // namespace rilto
