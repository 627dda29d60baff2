// Dialog templates read as the resource compiler writes them, and dialog units turned
// into pixels as the dialog manager turns them.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/dialog_template.h"

namespace rilto {
namespace {

constexpr std::uint32_t kSetFont = 0x40;

// Writes an extended dialog template, field by field, little-endian.
class TemplateWriter {
  public:
    void Word(std::uint16_t v) {
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void DoubleWord(std::uint32_t v) {
        Word(static_cast<std::uint16_t>(v & 0xFFFF));
        Word(static_cast<std::uint16_t>(v >> 16));
    }
    void Text(const std::u16string& text) {
        for (const char16_t c : text) {
            Word(static_cast<std::uint16_t>(c));
        }
        Word(0);
    }
    void Ordinal(std::uint16_t v) {
        Word(0xFFFF);
        Word(v);
    }
    void Place(int x, int y, int cx, int cy) {
        for (const int v : {x, y, cx, cy}) {
            Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(v)));
        }
    }
    void Header(std::uint32_t style, std::uint16_t count) {
        Word(1);
        Word(0xFFFF);
        DoubleWord(0);  // help id
        DoubleWord(0);  // extended style
        DoubleWord(style);
        Word(count);
        Place(0, 0, 273, 220);
        Word(0);                 // no menu
        Text(u"MyDialogClass");  // a class of its own
        Text(u"Rilto Options");
    }
    void Item(int id, int x, int y, int cx, int cy, bool namedClass, std::uint16_t extra) {
        while (bytes.size() % 4 != 0) {
            bytes.push_back(0);
        }
        DoubleWord(0);
        DoubleWord(0);
        DoubleWord(0x50010000);
        Place(x, y, cx, cy);
        DoubleWord(static_cast<std::uint32_t>(id));
        if (namedClass) {
            Text(u"msctls_updown32");
            Ordinal(7);  // a resource as the title
        } else {
            Ordinal(0x0080);  // a button
            Text(u"&Apply");
        }
        Word(extra);
        for (std::uint16_t i = 0; i < extra; ++i) {
            bytes.push_back(0xAB);
        }
    }

    std::vector<std::uint8_t> bytes;
};

std::vector<std::uint8_t> SettingsLikeTemplate() {
    TemplateWriter w;
    w.Header(0x80C80048, 3);  // DS_SHELLFONT among the styles
    w.Word(8);
    w.Word(400);
    w.bytes.push_back(1);  // italic
    w.bytes.push_back(1);  // DEFAULT_CHARSET
    w.Text(u"MS Shell Dlg 2");
    w.Item(3002, 220, 203, 50, 14, false, 0);
    // Creation data of an odd length: the next control still starts on 4 bytes.
    w.Item(-1, -3, 4, 10, 12, true, 3);
    w.Item(3001, 4, 4, 265, 196, false, 0);
    return w.bytes;
}

TEST(DialogTemplate, ReadsTheFrameTheFontAndEveryControlInOrder) {
    const std::vector<std::uint8_t> bytes = SettingsLikeTemplate();
    const std::optional<DialogTemplate> read = ReadDialogTemplate(bytes.data(), bytes.size());
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->style, 0x80C80048u);
    EXPECT_EQ(read->frame.cx, 273);
    EXPECT_EQ(read->frame.cy, 220);
    ASSERT_TRUE(read->font.has_value());
    EXPECT_EQ(read->font->points, 8);
    EXPECT_EQ(read->font->weight, 400);
    EXPECT_TRUE(read->font->italic);
    EXPECT_EQ(read->font->charset, 1);
    EXPECT_EQ(read->font->face, u"MS Shell Dlg 2");
    ASSERT_EQ(read->items.size(), 3u);
    const int ids[] = {3002, -1, 3001};
    const DialogUnitRect places[] = {{220, 203, 50, 14}, {-3, 4, 10, 12}, {4, 4, 265, 196}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(read->items[i].id, ids[i]) << i;
        EXPECT_EQ(read->items[i].place.x, places[i].x) << i;
        EXPECT_EQ(read->items[i].place.y, places[i].y) << i;
        EXPECT_EQ(read->items[i].place.cx, places[i].cx) << i;
        EXPECT_EQ(read->items[i].place.cy, places[i].cy) << i;
    }
}

TEST(DialogTemplate, AFontIsReadOnlyWhenTheStyleNamesOne) {
    TemplateWriter w;
    w.Header(0x80C80000 & ~kSetFont, 1);
    w.Item(1, 7, 20, 86, 18, false, 0);
    const std::optional<DialogTemplate> read = ReadDialogTemplate(w.bytes.data(), w.bytes.size());
    ASSERT_TRUE(read.has_value());
    EXPECT_FALSE(read->font.has_value());
    ASSERT_EQ(read->items.size(), 1u);
    EXPECT_EQ(read->items[0].place.cy, 18);
}

TEST(DialogTemplate, NothingFromAnOldStyleOrCutShortTemplate) {
    const std::vector<std::uint8_t> bytes = SettingsLikeTemplate();
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        EXPECT_FALSE(ReadDialogTemplate(bytes.data(), size).has_value()) << size;
    }
    std::vector<std::uint8_t> old = bytes;
    old[2] = 0;  // no signature: a DLGTEMPLATE of the first kind
    EXPECT_FALSE(ReadDialogTemplate(old.data(), old.size()).has_value());
    EXPECT_FALSE(ReadDialogTemplate(nullptr, 0).has_value());
}

TEST(DialogTemplate, DialogUnitsBecomePixelsAsTheDialogManagerRoundsThem) {
    // "MS Shell Dlg 2" 8 pt at 96 DPI: the alphabet 312 pixels wide, 13 high.
    const DialogBaseUnits units = BaseUnitsFromAlphabet(312, 13);
    EXPECT_EQ(units.x, 6);
    EXPECT_EQ(units.y, 13);
    // The half way up, away from zero.
    EXPECT_EQ(DialogUnitsToPixelsX(273, units), 410);
    EXPECT_EQ(DialogUnitsToPixelsY(220, units), 358);
    EXPECT_EQ(DialogUnitsToPixelsX(265, units), 398);
    EXPECT_EQ(DialogUnitsToPixelsY(4, units), 7);
    EXPECT_EQ(DialogUnitsToPixelsY(196, units), 319);
    EXPECT_EQ(DialogUnitsToPixelsX(-3, units), -5);
    // An average width that rounds up, and a font too small to measure.
    EXPECT_EQ(BaseUnitsFromAlphabet(468, 19).x, 9);
    EXPECT_EQ(BaseUnitsFromAlphabet(0, 0).x, 1);
    EXPECT_EQ(BaseUnitsFromAlphabet(0, 0).y, 1);
}

// A dialog the user sizes, grown by 90 pixels across and 40 down from its template's
// size, or shrunk by 30 and 20.
TEST(DialogAnchors, ControlsMoveOrStretchWithTheEdgesTheyKeepTo) {
    const PixelPlace place{12, 40, 100, 60};
    const auto same = [](const PixelPlace& a, const PixelPlace& b) {
        return a.x == b.x && a.y == b.y && a.cx == b.cx && a.cy == b.cy;
    };
    // Kept to the left and top: where the template has it.
    EXPECT_TRUE(same(Anchored(place, 90, 40, kAnchorLeftTop), place));
    // Kept to the right and bottom alone: a button in the corner moves with it.
    EXPECT_TRUE(same(Anchored(place, 90, 40, kAnchorRight | kAnchorBottom), {102, 80, 100, 60}));
    EXPECT_TRUE(same(Anchored(place, -30, -20, kAnchorRight | kAnchorBottom), {-18, 20, 100, 60}));
    // Kept to both sides: it stretches across, or down, or both.
    EXPECT_TRUE(same(Anchored(place, 90, 40, kAnchorLeftTop | kAnchorRight), {12, 40, 190, 60}));
    EXPECT_TRUE(same(Anchored(place, 90, 40, kAnchorLeftTop | kAnchorRight | kAnchorBottom),
                     {12, 40, 190, 100}));
    EXPECT_TRUE(same(Anchored(place, -30, -20, kAnchorLeft | kAnchorBottom), {12, 20, 100, 60}));
    // Kept to no edge it stays, as kept to the left and top.
    EXPECT_TRUE(same(Anchored(place, 90, 40, 0), place));
}

TEST(DialogAnchors, AStretchedControlShrinksToNothingAtTheLeast) {
    const PixelPlace place{12, 40, 100, 60};
    const PixelPlace shrunk =
        Anchored(place, -150, -70, kAnchorLeftTop | kAnchorRight | kAnchorBottom);
    EXPECT_EQ(shrunk.x, 12);
    EXPECT_EQ(shrunk.y, 40);
    EXPECT_EQ(shrunk.cx, 0);
    EXPECT_EQ(shrunk.cy, 0);
}

}  // namespace
}  // namespace rilto
