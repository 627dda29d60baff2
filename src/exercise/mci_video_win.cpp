#include "exercise/mci_video_win.h"

#include <mmsystem.h>

#include <iterator>
#include <utility>

#include "common/system_function_win.h"
#include "common/trace_win.h"
#include "common/wide_text_win.h"

namespace rilto {

namespace {

constexpr wchar_t kClass[] = L"RiltoMediaSurface";
constexpr COLORREF kBlack = RGB(0, 0, 0);

using SendStringFn = MCIERROR(WINAPI*)(LPCWSTR, LPWSTR, UINT, HWND);
using GetErrorStringFn = BOOL(WINAPI*)(MCIERROR, LPWSTR, UINT);

// The multimedia library, loaded with the first video rather than at every start.
HMODULE Multimedia() {
    static const HMODULE module = LoadSystemLibrary(L"winmm.dll");
    return module;
}

// Sends one command to a video device; true when the device took it. Nothing waits on
// the answer: a video that does not open or play leaves an empty surface, and the
// break goes on.
bool SendVideoCommand(const std::string& command) {
    static const auto send = FunctionFrom<SendStringFn>(Multimedia(), "mciSendStringW");
    static const auto errorText =
        FunctionFrom<GetErrorStringFn>(Multimedia(), "mciGetErrorStringW");
    if (send == nullptr || errorText == nullptr) {
        TraceLastError("cannot load the multimedia library for \"" + command + "\"");
        return false;
    }
    wchar_t answer[128] = L"";
    const MCIERROR error =
        send(Widen(command).c_str(), answer, static_cast<UINT>(std::size(answer)), nullptr);
    if (error != 0) {
        wchar_t text[256] = L"";
        errorText(error, text, static_cast<UINT>(std::size(text)));
        Trace("the video device refused \"" + command + "\": " + Narrow(text));
    }
    return error == 0;
}

}  // namespace

bool MediaSurface::Create(HWND parent, int childId) {
    background_.reset(CreateSolidBrush(kBlack));
    return RegisterWindowClass(WindowClass{kClass, 0, nullptr}) &&
           CreateWindowOf(kClass, 0, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, RECT{}, parent,
                          childId);
}

void MediaSurface::SetPicture(UniqueGdi<HBITMAP> picture) {
    picture_ = std::move(picture);
    if (picture_ != nullptr) {
        BITMAP info{};
        if (GetObjectW(picture_.get(), sizeof info, &info) != 0) {
            SetSize(SurfaceSize{info.bmWidth, info.bmHeight});
        }
    }
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void MediaSurface::SetBackground(COLORREF color) {
    background_.reset(CreateSolidBrush(color));
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void MediaSurface::SetSize(SurfaceSize size) {
    SetWindowPos(hwnd(), nullptr, 0, 0, size.width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SurfaceSize MediaSurface::Size() const {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    return SurfaceSize{r.right - r.left, r.bottom - r.top};
}

void MediaSurface::Paint() {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(hwnd(), &ps);
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (picture_ != nullptr) {
        BITMAP info{};
        GetObjectW(picture_.get(), sizeof info, &info);
        const UniqueDc memory(CreateCompatibleDC(dc));
        const SelectedObject selected(memory.get(), picture_.get());
        BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
        // Only what the picture leaves uncovered takes the background.
        ExcludeClipRect(dc, 0, 0, info.bmWidth, info.bmHeight);
    }
    FillRect(dc, &client, background_.get());
    EndPaint(hwnd(), &ps);
}

LRESULT MediaSurface::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            // WM_PAINT fills the background around the picture, without a flicker.
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        default:
            return Default(msg, wp, lp);
    }
}

std::string ShowExercise(VideoDevice& device, MediaSurface& surface, const std::string& file,
                         std::int32_t viewAm, const std::string& programFolder) {
    switch (KindOfMedia(file)) {
        case MediaKind::Picture:
            device.Close();
            ShowPicture(surface, ResolveMediaFile(file, programFolder));
            break;
        case MediaKind::Video:
            device.Open(surface, ResolveMediaFile(file, programFolder), viewAm);
            break;
        case MediaKind::Other:
            break;
    }
    return MediaEnding(file);
}

void ShowPicture(MediaSurface& surface, const std::string& path) {
    // The old picture goes first, so that two are never held at once.
    surface.SetPicture(nullptr);
    surface.SetPicture(UniqueGdi<HBITMAP>(static_cast<HBITMAP>(
        LoadImageW(nullptr, Widen(path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE))));
}

VideoDevice::VideoDevice(VideoDevice&& other) noexcept
    : alias_(std::move(other.alias_)), open_(std::exchange(other.open_, false)) {}

VideoDevice& VideoDevice::operator=(VideoDevice&& other) noexcept {
    if (this != &other) {
        Close();
        alias_ = std::move(other.alias_);
        open_ = std::exchange(other.open_, false);
    }
    return *this;
}

void VideoDevice::Open(MediaSurface& surface, const std::string& path, std::int32_t viewAm) {
    Close();
    surface.SetPicture(nullptr);
    const SurfaceSize size = VideoSurfaceSize(viewAm).value_or(*VideoSurfaceSize(0));
    surface.SetSize(size);
    open_ = SendVideoCommand(
        OpenVideoCommand(alias_, path, reinterpret_cast<std::uintptr_t>(surface.hwnd())));
    if (!open_) {
        return;
    }
    SendVideoCommand(PlaceVideoCommand(alias_, size));
    // Windows stretches the picture over the window by itself; Wine's video device
    // draws it at its own size unless told where it goes.
    SendVideoCommand(VideoDestinationCommand(alias_, size));
    // The video window belongs to the video device. Disabled, it passes its clicks to
    // the surface, whichever thread the device made it on.
    if (const HWND video = GetWindow(surface.hwnd(), GW_CHILD); video != nullptr) {
        EnableWindow(video, FALSE);
    }
}

void VideoDevice::Play() {
    if (open_) {
        SendVideoCommand(PlayVideoCommand(alias_));
    }
}

void VideoDevice::Close() {
    if (open_) {
        open_ = false;
        SendVideoCommand(CloseVideoCommand(alias_));
    }
}

}  // namespace rilto
