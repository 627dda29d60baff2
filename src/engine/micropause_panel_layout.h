#pragma once
// Where everything on the micropause screen's panel (picBlack) goes, at any DPI.
// The texts are measured by the caller with the fonts the window uses; every label
// is then made as large as its text needs, so nothing is cut off.

#include <array>
#include <cstddef>

namespace rilto {

// What the panel holds, top to bottom.
enum class PanelItem : std::size_t {
    picTevrin,    // the logo, left of the text column
    lblWarning,   // the micropause message, wrapped
    picPB,        // the progress bar
    lblESC,       // the skip hint, wrapped; its place is kept while it is hidden
    lblExercise,  // the status lines
    lblrilto,
    lblvoluntary,
    cmdOK,       // the status window's OK, centred
    lblVersion,  // bottom right
    // The global hot keys not in use, a line each, below the status lines; it takes no room
    // (measured 0 high) while every key is in use.
    lblHotKeys,
};
inline constexpr std::size_t kPanelItems = 10;

struct PanelBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
};

struct TextSize {
    int width = 0;
    int height = 0;
};

// Measures an item's text as the window draws it: wrapped at `maxWidth` for the
// wrapped labels, on one line for the others (the button: its caption alone).
class PanelTextMeasure {
  public:
    virtual ~PanelTextMeasure() = default;
    virtual TextSize Measure(PanelItem item, int maxWidth) = 0;
};

struct PanelLayout {
    std::array<PanelBox, kPanelItems> boxes{};
    int width = 0;
    int height = 0;
    const PanelBox& operator[](PanelItem item) const {
        return boxes[static_cast<std::size_t>(item)];
    }
    PanelBox& operator[](PanelItem item) { return boxes[static_cast<std::size_t>(item)]; }
};

// A length given for 96 DPI, at `dpi` (rounded to the nearest pixel).
int ScaleToDpi(int length96, int dpi);

// The progress bar's width beside the logo: the panel's width less the logo's, less
// three times the space between the logo's width and the bar's left edge.
int ProgressBarWidth(int panelWidth, int logoWidth, int barLeft);

// The whole panel for the texts as `measure` gives them, an icon of `iconSize` pixels
// and the monitor's `dpi`.
PanelLayout LayOutMicropausePanel(PanelTextMeasure& measure, int iconSize, int dpi);

}  // namespace rilto
