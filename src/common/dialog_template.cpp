#include "common/dialog_template.h"

#include <algorithm>

namespace rilto {

namespace {

constexpr std::uint16_t kExtendedVersion = 1;
constexpr std::uint16_t kExtendedSignature = 0xFFFF;
// DS_SETFONT: the template names its font (DS_SHELLFONT includes it).
constexpr std::uint32_t kSetFontStyle = 0x40;
// A name or an ordinal: 0 for none, 0xFFFF before an ordinal, else a string.
constexpr std::uint16_t kOrdinalMark = 0xFFFF;

// Reads little-endian fields, and knows when it has run past the end.
class TemplateReader {
  public:
    TemplateReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }

    std::uint16_t Word() {
        if (!Has(2)) {
            return 0;
        }
        const auto value = static_cast<std::uint16_t>(data_[at_] | (data_[at_ + 1] << 8));
        at_ += 2;
        return value;
    }
    std::uint32_t DoubleWord() {
        const std::uint32_t low = Word();
        return low | (static_cast<std::uint32_t>(Word()) << 16);
    }
    int Short() { return static_cast<std::int16_t>(Word()); }
    std::uint8_t Byte() {
        if (!Has(1)) {
            return 0;
        }
        return data_[at_++];
    }
    std::u16string Text() {
        std::u16string text;
        for (std::uint16_t c = Word(); ok_ && c != 0; c = Word()) {
            text.push_back(static_cast<char16_t>(c));
        }
        return text;
    }
    // A menu, class or title field: an ordinal or a string, skipped.
    void SkipNameOrOrdinal() {
        const std::uint16_t first = Word();
        if (first == kOrdinalMark) {
            Word();
        } else if (first != 0) {
            Text();
        }
    }
    void Skip(std::size_t bytes) {
        if (Has(bytes)) {
            at_ += bytes;
        }
    }
    // Each control's part of the template starts on a 4-byte boundary.
    void AlignToDoubleWord() { at_ = std::min(size_, (at_ + 3) & ~std::size_t{3}); }

  private:
    bool Has(std::size_t bytes) {
        if (!ok_ || size_ - at_ < bytes) {
            ok_ = false;
            return false;
        }
        return true;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

DialogUnitRect ReadPlace(TemplateReader& in) {
    DialogUnitRect place;
    place.x = in.Short();
    place.y = in.Short();
    place.cx = in.Short();
    place.cy = in.Short();
    return place;
}

// What MulDiv gives: the product divided, rounded half away from zero.
int ScaledRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

}  // namespace

std::optional<DialogTemplate> ReadDialogTemplate(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr) {
        return std::nullopt;
    }
    TemplateReader in(data, size);
    if (in.Word() != kExtendedVersion || in.Word() != kExtendedSignature) {
        return std::nullopt;
    }
    DialogTemplate dialog;
    in.DoubleWord();  // help id
    in.DoubleWord();  // extended style
    dialog.style = in.DoubleWord();
    const std::uint16_t count = in.Word();
    dialog.frame = ReadPlace(in);
    in.SkipNameOrOrdinal();  // menu
    in.SkipNameOrOrdinal();  // window class
    in.Text();               // caption
    if ((dialog.style & kSetFontStyle) != 0) {
        DialogTemplateFont font;
        font.points = in.Word();
        font.weight = in.Word();
        font.italic = in.Byte() != 0;
        font.charset = in.Byte();
        font.face = in.Text();
        dialog.font = font;
    }
    for (std::uint16_t i = 0; i < count && in.ok(); ++i) {
        in.AlignToDoubleWord();
        in.DoubleWord();  // help id
        in.DoubleWord();  // extended style
        in.DoubleWord();  // style
        DialogTemplateItem item;
        item.place = ReadPlace(in);
        item.id = static_cast<std::int32_t>(in.DoubleWord());
        in.SkipNameOrOrdinal();  // class
        in.SkipNameOrOrdinal();  // text
        in.Skip(in.Word());      // creation data
        dialog.items.push_back(item);
    }
    if (!in.ok()) {
        return std::nullopt;
    }
    return dialog;
}

DialogBaseUnits BaseUnitsFromAlphabet(int alphabetWidth, int height) {
    constexpr int kLettersInHalf = 26;
    return DialogBaseUnits{std::max(1, (alphabetWidth / kLettersInHalf + 1) / 2),
                           std::max(1, height)};
}

int DialogUnitsToPixelsX(int units, DialogBaseUnits base) {
    return ScaledRounded(units, base.x, 4);
}

int DialogUnitsToPixelsY(int units, DialogBaseUnits base) {
    return ScaledRounded(units, base.y, 8);
}

PixelPlace Anchored(PixelPlace place, int grownX, int grownY, unsigned anchors) {
    const auto follow = [](int& at, int& length, int grown, bool nearEdge, bool farEdge) {
        if (nearEdge && farEdge) {
            length = std::max(0, length + grown);
        } else if (farEdge) {
            at += grown;
        }
    };
    follow(place.x, place.cx, grownX, (anchors & kAnchorLeft) != 0, (anchors & kAnchorRight) != 0);
    follow(place.y, place.cy, grownY, (anchors & kAnchorTop) != 0, (anchors & kAnchorBottom) != 0);
    return place;
}

}  // namespace rilto
