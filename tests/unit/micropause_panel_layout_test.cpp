#include "engine/micropause_panel_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace rilto {
namespace {

constexpr PanelItem kAll[] = {
    PanelItem::picTevrin,   PanelItem::lblWarning, PanelItem::picPB,        PanelItem::lblESC,
    PanelItem::lblExercise, PanelItem::lblrilto,   PanelItem::lblvoluntary, PanelItem::cmdOK,
    PanelItem::lblVersion,  PanelItem::lblHotKeys};

// Text as a simple font would set it at a DPI: every character the same width, words
// wrapped at the width given, lines of one height. The warning's font is larger.
class FakeMeasure : public PanelTextMeasure {
  public:
    explicit FakeMeasure(int dpi) : dpi_(dpi) {}
    std::map<PanelItem, std::string> texts{
        {PanelItem::lblWarning, "Hands off Keyboard & Mouse, look away, relax."},
        {PanelItem::lblESC,
         "While not recommended, you can press ESC or double click here to continue"},
        {PanelItem::lblExercise, "Next Exercise Break: 49 minutes"},
        {PanelItem::lblrilto, "Last rilto micropause: 10:15"},
        {PanelItem::lblvoluntary, "Last natural micropause: 10:21"},
        {PanelItem::cmdOK, "OK"},
        {PanelItem::lblVersion, "3.0.0"},
        {PanelItem::lblHotKeys, ""}};

    int CharWidth(PanelItem item) const {
        return ScaleToDpi(item == PanelItem::lblWarning ? 13 : 6, dpi_);
    }
    int LineHeight(PanelItem item) const {
        return ScaleToDpi(item == PanelItem::lblWarning ? 27 : 15, dpi_);
    }
    // Lines the text takes at `width`, breaking between words.
    int Lines(PanelItem item, int width) const {
        const std::string& text = texts.at(item);
        const int perLine = std::max(1, width / CharWidth(item));
        int lines = 1;
        int used = 0;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find(' ', start);
            if (end == std::string::npos) {
                end = text.size();
            }
            const int word = static_cast<int>(end - start);
            if (used > 0 && used + 1 + word > perLine) {
                ++lines;
                used = 0;
            }
            used += (used > 0 ? 1 : 0) + word;
            start = end + 1;
        }
        return lines;
    }
    TextSize Measure(PanelItem item, int maxWidth) override {
        if (item == PanelItem::lblHotKeys && texts.at(item).empty()) {
            return {};  // as the panel measures it: no room while it says nothing
        }
        const bool wraps = item != PanelItem::cmdOK && item != PanelItem::lblVersion;
        const int width = static_cast<int>(texts.at(item).size()) * CharWidth(item);
        const int lines = wraps ? Lines(item, maxWidth) : 1;
        return {wraps ? std::min(width, maxWidth) : width, lines * LineHeight(item)};
    }

  private:
    int dpi_;
};

bool Overlap(const PanelBox& a, const PanelBox& b) {
    return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

void ExpectEverythingFits(FakeMeasure& measure, int dpi) {
    const int icon = ScaleToDpi(32, dpi);
    const PanelLayout l = LayOutMicropausePanel(measure, icon, dpi);
    for (PanelItem item : kAll) {
        const PanelBox& box = l[item];
        SCOPED_TRACE(static_cast<int>(item));
        EXPECT_GE(box.x, 0);
        EXPECT_GE(box.y, 0);
        EXPECT_LE(box.right(), l.width);
        EXPECT_LE(box.bottom(), l.height);
        if (item != PanelItem::picTevrin && item != PanelItem::picPB) {
            // As large as its text, wrapped at its own width.
            const TextSize text = measure.Measure(item, box.width);
            EXPECT_GE(box.height, text.height);
            EXPECT_GE(box.width, text.width);
        }
        for (PanelItem other : kAll) {
            if (other != item) {
                EXPECT_FALSE(Overlap(box, l[other])) << static_cast<int>(other);
            }
        }
    }
    // The message starts where the bar starts; OK is centred.
    EXPECT_EQ(l[PanelItem::lblWarning].x, l[PanelItem::picPB].x);
    const PanelBox& ok = l[PanelItem::cmdOK];
    EXPECT_LE(std::abs(ok.x - (l.width - ok.right())), 1);
    EXPECT_EQ(l[PanelItem::picTevrin].width, icon);
}

TEST(MicropausePanelLayout, EveryLabelFitsItsTextAtEveryDpi) {
    for (int dpi : {96, 120, 144, 192, 288}) {
        SCOPED_TRACE(dpi);
        FakeMeasure measure(dpi);
        ExpectEverythingFits(measure, dpi);
    }
}

TEST(MicropausePanelLayout, ALongMessageMakesThePanelTaller) {
    FakeMeasure measure(96);
    const PanelLayout shortText = LayOutMicropausePanel(measure, 32, 96);
    measure.texts[PanelItem::lblWarning] =
        "Stand up, roll your shoulders back and down, and let your eyes rest on something far "
        "away for the whole of this micropause.";
    ExpectEverythingFits(measure, 96);
    const PanelLayout longText = LayOutMicropausePanel(measure, 32, 96);
    EXPECT_GT(longText[PanelItem::lblWarning].height, shortText[PanelItem::lblWarning].height);
    EXPECT_GT(longText.height, shortText.height);
    EXPECT_EQ(longText.width, shortText.width);
}

TEST(MicropausePanelLayout, HotKeysNotInUseTakeRoomBelowTheStatusLinesOnlyWhenThereAreAny) {
    FakeMeasure measure(96);
    const PanelLayout none = LayOutMicropausePanel(measure, 32, 96);
    EXPECT_EQ(none[PanelItem::lblHotKeys].height, 0);
    measure.texts[PanelItem::lblHotKeys] = "Hot key Ctrl+Alt+M is used by another program";
    ExpectEverythingFits(measure, 96);
    const PanelLayout one = LayOutMicropausePanel(measure, 32, 96);
    const PanelBox& line = one[PanelItem::lblHotKeys];
    EXPECT_EQ(line.height, 15);
    EXPECT_EQ(line.x, one[PanelItem::lblvoluntary].x);
    EXPECT_EQ(line.y, one[PanelItem::lblvoluntary].bottom() + 3) << "as close as a status line";
    EXPECT_EQ(one[PanelItem::cmdOK].y, line.bottom() + 14);
    EXPECT_EQ(one.height, none.height + 15 + 3);
    EXPECT_EQ(one[PanelItem::lblvoluntary].y, none[PanelItem::lblvoluntary].y);
}

TEST(MicropausePanelLayout, LabelsHaveRoomToSpare) {
    FakeMeasure measure(96);
    const PanelLayout l = LayOutMicropausePanel(measure, 32, 96);
    const TextSize version = measure.Measure(PanelItem::lblVersion, 1000);
    EXPECT_EQ(l[PanelItem::lblVersion].width, version.width + 6);
    EXPECT_EQ(l[PanelItem::lblVersion].right(), l.width - 12);
    EXPECT_EQ(l[PanelItem::lblVersion].y + l[PanelItem::lblVersion].height / 2,
              l[PanelItem::cmdOK].y + l[PanelItem::cmdOK].height / 2);

    // A version too long for the button's row gets a row of its own.
    measure.texts[PanelItem::lblVersion] = "3.0.0 built on a machine with a very long name";
    ExpectEverythingFits(measure, 96);
    const PanelLayout below = LayOutMicropausePanel(measure, 32, 96);
    EXPECT_GE(below[PanelItem::lblVersion].y, below[PanelItem::cmdOK].bottom());
}

TEST(MicropausePanelLayout, SizesScaleWithTheDpi) {
    FakeMeasure at96(96);
    FakeMeasure at192(192);
    const PanelLayout small = LayOutMicropausePanel(at96, 32, 96);
    const PanelLayout large = LayOutMicropausePanel(at192, 64, 192);
    EXPECT_EQ(large.width, 2 * small.width);
    EXPECT_EQ(large[PanelItem::picPB].height, 2 * small[PanelItem::picPB].height);
    EXPECT_EQ(ScaleToDpi(15, 120), 19);  // 18.75
    EXPECT_EQ(ScaleToDpi(10, 144), 15);
}

TEST(MicropausePanelLayout, TheBarLeavesThreeLogoGapsOfThePanel) {
    // (panel − logo) − 3 × (bar's left − logo)
    EXPECT_EQ(ProgressBarWidth(488, 32, 56), 384);
    EXPECT_EQ(ProgressBarWidth(100, 32, 56), 1);  // never nothing to draw on
    FakeMeasure measure(96);
    const PanelLayout l = LayOutMicropausePanel(measure, 32, 96);
    EXPECT_EQ(l[PanelItem::picPB].width, ProgressBarWidth(l.width, 32, l[PanelItem::picPB].x));
}

}  // namespace
}  // namespace rilto
