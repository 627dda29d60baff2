#pragma once
// A dialog template as the resource compiler writes it (the extended form that DIALOGEX
// gives), read for what laying the dialog out needs: its size, its font and every
// control's place, all in dialog units. A dialog unit is a quarter of the font's average
// character width across and an eighth of its height down, so the same template fits
// any font size, and so any DPI.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rilto {

// A place in dialog units: left, top, width, height.
struct DialogUnitRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

struct DialogTemplateItem {
    int id = 0;  // -1 for a control the program never asks for by id
    DialogUnitRect place;
};

struct DialogTemplateFont {
    int points = 0;
    int weight = 0;
    bool italic = false;
    int charset = 0;
    std::u16string face;
};

struct DialogTemplate {
    std::uint32_t style = 0;
    DialogUnitRect frame;  // the client area's size is frame.cx by frame.cy
    std::optional<DialogTemplateFont> font;
    std::vector<DialogTemplateItem> items;  // in creation order, as the dialog manager makes them
};

// Nothing when the bytes are not a whole extended dialog template.
std::optional<DialogTemplate> ReadDialogTemplate(const std::uint8_t* data, std::size_t size);

// The font's dialog base units in pixels, measured as the dialog manager measures them.
struct DialogBaseUnits {
    int x = 1;
    int y = 1;
};
// From the width of the 52 letters "A" to "Z" and "a" to "z" set in the font, and the
// font's character height.
DialogBaseUnits BaseUnitsFromAlphabet(int alphabetWidth, int height);

// Dialog units across and down in pixels, rounded as the dialog manager rounds them:
// a control's left, top, width and height are each converted on their own.
int DialogUnitsToPixelsX(int units, DialogBaseUnits base);
int DialogUnitsToPixelsY(int units, DialogBaseUnits base);

// The edges of its dialog that a control keeps its distance to when the user sizes the
// dialog: kept to the left (top) edge alone it stays where the template puts it, kept to
// the right (bottom) edge alone it moves with that edge, kept to both it stretches.
enum DialogAnchor : unsigned {
    kAnchorLeft = 1,
    kAnchorTop = 2,
    kAnchorRight = 4,
    kAnchorBottom = 8,
    kAnchorLeftTop = kAnchorLeft | kAnchorTop,
};

// A place in pixels: left, top, width, height.
struct PixelPlace {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

// `place`, a control's place when the client area has the template's size, in a client
// area `grownX` pixels wider and `grownY` taller (less, when they are negative). A
// stretched control shrinks to nothing at the least.
PixelPlace Anchored(PixelPlace place, int grownX, int grownY, unsigned anchors);

}  // namespace rilto
