// The micropause screen's windows in this process, with real fonts and device contexts:
// every label is as large as its text at any DPI, and the form follows a new DPI.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "common/handles_win.h"
#include "common/texts.h"
#include "engine/frm_rilto_ids.h"
#include "engine/frm_rilto_win.h"
#include "support/harness.h"

namespace {

using rilto::FrmRilto;
using rilto::PanelItem;

struct Label {
    int id;
    bool wraps;
};
constexpr Label kLabels[] = {{IDC_LBLWARNING, true},   {IDC_LBLESC, true},
                             {IDC_LBLEXERCISE, true},  {IDC_LBLRILTO, true},
                             {IDC_LBLVOLUNTARY, true}, {IDC_LBLVERSION, false}};

// The label's text as its own font draws it, at the label's width.
SIZE TextNeeds(HWND label, bool wraps) {
    RECT client{};
    GetClientRect(label, &client);
    wchar_t text[1024] = L"";
    GetWindowTextW(label, text, 1024);
    const HDC dc = GetDC(label);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    RECT r{0, 0, client.right, 0};
    DrawTextW(dc, text, -1, &r, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    return SIZE{r.right, r.bottom};
}

// Where the label's text has ink, in its client coordinates: the label painted by itself
// into a bitmap, light text on the panel's black.
RECT InkOf(HWND label) {
    RECT client{};
    GetClientRect(label, &client);
    const rilto::UniqueDc dc(CreateCompatibleDC(nullptr));
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = client.right;
    bi.bmiHeader.biHeight = -client.bottom;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const rilto::UniqueGdi<HBITMAP> dib(
        CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    const rilto::SelectedObject selected(dc.get(), dib.get());
    PrintWindow(label, dc.get(), PW_CLIENTONLY);
    GdiFlush();
    RECT ink{client.right, client.bottom, -1, -1};
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            if ((pixels[y * client.right + x] & 0xFF) > 0x60) {
                ink = RECT{std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
                           std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
            }
        }
    }
    return ink;
}

// True when the label shows all of its text, overhanging glyphs too: given half as much
// room again it draws nothing outside the room it has. (Wrapped labels only grow
// downwards, so that they wrap as before.)
bool ShowsAllOfItsText(HWND label, bool wraps) {
    RECT r{};
    GetWindowRect(label, &r);
    MapWindowPoints(nullptr, GetParent(label), reinterpret_cast<POINT*>(&r), 2);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    SetWindowPos(label, nullptr, 0, 0, wraps ? w : w + w / 2, h + h / 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT ink = InkOf(label);
    SetWindowPos(label, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return ink.right > ink.left && ink.right <= w && ink.bottom <= h;
}

int FontHeight(HWND label) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
}

class MicropauseScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(form_.Create({}));
        panel_ = form_.Panel().hwnd();
        form_.Panel().SetCaption(PanelItem::lblVersion, "3.0.0");
        form_.SetCaption(rilto::ViewLabel::lblExercise, "Next Exercise Break: 49 minutes");
        form_.Panel().SetCaption(PanelItem::lblWarning, rilto::kDefaultWarning);
    }
    HWND Control(int id) const { return GetDlgItem(panel_, id); }
    void ChangeDpi(UINT dpi) {
        RECT suggested{};
        GetWindowRect(form_.hwnd(), &suggested);
        SendMessageW(form_.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    }
    void ExpectLabelsFit(UINT dpi) {
        for (const Label& label : kLabels) {
            const HWND hwnd = Control(label.id);
            RECT client{};
            GetClientRect(hwnd, &client);
            const SIZE needs = TextNeeds(hwnd, label.wraps);
            EXPECT_GE(client.bottom, needs.cy) << "label " << label.id << " at " << dpi;
            EXPECT_GE(client.right, needs.cx) << "label " << label.id << " at " << dpi;
            EXPECT_TRUE(ShowsAllOfItsText(hwnd, label.wraps))
                << "label " << label.id << " at " << dpi;
        }
        // The panel lies wholly in the form.
        RECT form{};
        RECT panel{};
        GetWindowRect(form_.hwnd(), &form);
        GetWindowRect(panel_, &panel);
        EXPECT_TRUE(panel.left >= form.left && panel.right <= form.right && panel.top >= form.top &&
                    panel.bottom <= form.bottom)
            << dpi;
    }

    FrmRilto form_;
    HWND panel_ = nullptr;
};

TEST_F(MicropauseScreen, EveryLabelHoldsItsTextAtEveryDpi) {
    ExpectLabelsFit(96);
    const int height96 = FontHeight(Control(IDC_LBLWARNING));
    RECT at96{};
    GetWindowRect(form_.hwnd(), &at96);
    for (UINT dpi : {144u, 192u, 120u}) {
        ChangeDpi(dpi);
        ExpectLabelsFit(dpi);
    }
    ChangeDpi(144);
    EXPECT_GT(FontHeight(Control(IDC_LBLWARNING)), height96);
    RECT at144{};
    GetWindowRect(form_.hwnd(), &at144);
    EXPECT_GT(at144.right - at144.left, at96.right - at96.left);

    // The numbers a double click on lblvoluntary shows fit too.
    form_.SetCaption(rilto::ViewLabel::lblESC,
                     "-2147483632/-2147463664/-2147482664/-2147482664/-2147463664");
    ExpectLabelsFit(144);

    form_.SetWindowState(rilto::WindowState::Maximised);
    form_.ShowForm();
    form_.SetVisible(rilto::ViewControl::lblESC, true);
    harness::PumpFor(300);
    harness::SaveScreenshot(L"micropause-144dpi");
    form_.HideForm();
}

// A blanked micropause covers the monitor; the status window is centred on the primary
// monitor's work area.
TEST_F(MicropauseScreen, CoversTheMonitorOrSitsInItsMiddle) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    form_.SetWindowState(rilto::WindowState::Maximised);
    RECT r{};
    GetWindowRect(form_.hwnd(), &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));

    form_.SetWindowState(rilto::WindowState::Normal);
    GetWindowRect(form_.hwnd(), &r);
    EXPECT_LE(std::abs((r.left - work.left) - (work.right - r.right)), 1);
    EXPECT_LE(std::abs((r.top - work.top) - (work.bottom - r.bottom)), 1);
}

}  // namespace
