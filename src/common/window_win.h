#pragma once
// The base of every window class of the program: one object per window. The window
// procedure finds the object through GWLP_USERDATA, set at WM_NCCREATE from the
// creation parameter and cleared at WM_NCDESTROY, so no message reaches an object
// that is gone or only half made; and no C++ exception ever leaves it.

#include <windows.h>

#include <string>

namespace rilto {

class Window {
  public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }

    // The window procedure to register for a class whose windows are Window objects.
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  protected:
    Window() = default;

    // Creates a window of a class registered with Procedure, this object behind it.
    // False (with a trace) when Windows refuses.
    bool CreateWindowOf(const wchar_t* windowClass, DWORD exStyle, DWORD style, RECT place,
                        HWND parent, int childId);

    // Destroys the window if it still exists, after which the object hears no more of
    // it. A class with members calls it first thing in its destructor, so that the
    // window and its children are gone before the members they might reach.
    void Destroy();

    // Every message of the window, from its WM_NCCREATE on.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

  private:
    HWND hwnd_ = nullptr;
};

// A class whose windows are Window objects: the arrow cursor, and what else it asks for.
struct WindowClass {
    const wchar_t* name;
    UINT style = 0;
    HBRUSH background = nullptr;
    HICON icon = nullptr;
};

// Registers the class once per process: true when it is registered now or was before,
// false (with a trace) when Windows refuses.
bool RegisterWindowClass(const WindowClass& windowClass);

// The instance of the running module, for classes and resources.
HINSTANCE ThisModule();

// A window's text, or a control's, in UTF-8.
std::string WindowText(HWND hwnd);
// Sets a window's text, or a control's, from UTF-8.
void SetWindowTextTo(HWND hwnd, const std::string& text);

}  // namespace rilto
