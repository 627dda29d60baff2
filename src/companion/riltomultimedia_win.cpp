// riltomultimedia: started once when a user first runs Rilto Micropause. Checks
// that Windows can play the exercise videos (the AVI video device of the
// multimedia command interface) and notes the answer in the program's settings,
// where a user or a support person can look it up. Ends by itself; no window.

#include <windows.h>
#include <mmsystem.h>

#include "common/handles_win.h"
#include "common/product.h"

namespace {

constexpr wchar_t kValueName[] = L"AviVideo";

bool CanPlayAvi() {
    wchar_t answer[32] = L"";
    return mciSendStringW(L"capability avivideo can play", answer, 32, nullptr) == 0 &&
           lstrcmpiW(answer, L"true") == 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const wchar_t* text = CanPlayAvi() ? L"1" : L"0";
    HKEY raw = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, rilto::kOptionsKeyW, 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &raw, nullptr) == ERROR_SUCCESS) {
        const rilto::UniqueKey key(raw);
        RegSetValueExW(key.get(), kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       2 * sizeof(wchar_t));
    }
    return 0;
}
