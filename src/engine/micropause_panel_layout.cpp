#include "engine/micropause_panel_layout.h"

#include <algorithm>

namespace rilto {

namespace {

// Sizes at 96 DPI.
constexpr int kMargin = 12;
constexpr int kLogoGap = 12;
constexpr int kColumnWidth = 420;
constexpr int kRowGap = 6;
constexpr int kSectionGap = 14;
constexpr int kBarHeight = 16;
constexpr int kButtonMinWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonPadding = 24;
// Labels get this much more room than their text measures: a label may draw its text a
// little wider than the measure says (overhanging glyphs, its own inner margin).
constexpr int kTextSlack = 6;

}  // namespace

int ScaleToDpi(int length96, int dpi) {
    const long long scaled = static_cast<long long>(length96) * dpi;
    return static_cast<int>((scaled + (scaled >= 0 ? 48 : -48)) / 96);
}

int ProgressBarWidth(int panelWidth, int logoWidth, int barLeft) {
    return std::max(1, (panelWidth - logoWidth) - 3 * (barLeft - logoWidth));
}

PanelLayout LayOutMicropausePanel(PanelTextMeasure& measure, int iconSize, int dpi) {
    const auto px = [dpi](int length96) { return ScaleToDpi(length96, dpi); };
    const int margin = px(kMargin);
    const int column = px(kColumnWidth);
    const int columnLeft = margin + iconSize + px(kLogoGap);
    PanelLayout l;
    l.width = columnLeft + column + margin;

    l[PanelItem::picTevrin] = {margin, margin, iconSize, iconSize};
    int y = margin;
    // One row of the text column, as tall as its text needs.
    const int slack = px(kTextSlack);
    // Measured a little narrower than the label, so that lines break no later than the
    // label breaks them.
    const auto row = [&](PanelItem item, int gapAfter) {
        const TextSize text = measure.Measure(item, column - slack);
        l[item] = {columnLeft, y, column, text.height};
        y += text.height + gapAfter;
    };
    row(PanelItem::lblWarning, px(kRowGap));
    // The message starts where the bar starts.
    l[PanelItem::picPB] = {columnLeft, y, ProgressBarWidth(l.width, iconSize, columnLeft),
                           px(kBarHeight)};
    y += px(kBarHeight) + px(kRowGap);
    row(PanelItem::lblESC, px(kSectionGap));
    row(PanelItem::lblExercise, px(kRowGap) / 2);
    row(PanelItem::lblrilto, px(kRowGap) / 2);
    row(PanelItem::lblvoluntary, px(kSectionGap));
    if (const TextSize hotKeys = measure.Measure(PanelItem::lblHotKeys, column - slack);
        hotKeys.height > 0) {
        // Close under the status lines, as one of them.
        y -= px(kSectionGap) - px(kRowGap) / 2;
        l[PanelItem::lblHotKeys] = {columnLeft, y, column, hotKeys.height};
        y += hotKeys.height + px(kSectionGap);
    } else {
        l[PanelItem::lblHotKeys] = {columnLeft, y, column, 0};
    }
    y = std::max(y, l[PanelItem::picTevrin].bottom() + px(kRowGap));

    const TextSize caption = measure.Measure(PanelItem::cmdOK, column);
    const int buttonWidth = std::max(px(kButtonMinWidth), caption.width + px(kButtonPadding));
    const int buttonHeight = std::max(px(kButtonHeight), caption.height + px(kRowGap));
    l[PanelItem::cmdOK] = {(l.width - buttonWidth) / 2, y, buttonWidth, buttonHeight};

    // The version ends at the right margin on the button's row, level with its text; when
    // it is too long for that row, it has a row of its own below.
    const TextSize version = measure.Measure(PanelItem::lblVersion, column);
    const int versionWidth = version.width + slack;
    PanelBox& versionBox = l[PanelItem::lblVersion];
    const PanelBox& ok = l[PanelItem::cmdOK];
    versionBox = {l.width - margin - versionWidth, y + (buttonHeight - version.height) / 2,
                  versionWidth, version.height};
    if (versionBox.x < ok.right() + px(kRowGap)) {
        versionBox = {columnLeft, ok.bottom() + px(kRowGap), versionWidth, version.height};
    }
    l.height = std::max(ok.bottom(), versionBox.bottom()) + margin;
    return l;
}

}  // namespace rilto
