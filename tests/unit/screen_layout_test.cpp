#include "engine/screen_layout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace rilto {

void PrintTo(const ScreenRect& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

using Rects = std::vector<ScreenRect>;

Monitor Primary(ScreenRect area, ScreenRect workArea) {
    return {area, workArea, true};
}

Monitor Primary(ScreenRect area) {
    return Primary(area, area);
}

Monitor Other(ScreenRect area) {
    return {area, area, false};
}

// A 1920x1080 primary with its task bar along the bottom.
constexpr ScreenRect kFullHd{0, 0, 1920, 1080};
constexpr ScreenRect kFullHdWork{0, 0, 1920, 1040};

// --- Blank: every monitor black ---

TEST(PlanBlankScreensTest, SingleMonitorHasOnlyTheMainScreen) {
    BlankScreens plan = PlanBlankScreens({Primary(kFullHd, kFullHdWork)});
    EXPECT_EQ(plan.main, kFullHd);  // the full area, task bar included
    EXPECT_TRUE(plan.covers.empty());
}

TEST(PlanBlankScreensTest, MonitorsAtNegativeCoordinatesGetCovers) {
    constexpr ScreenRect leftOf{-1280, 56, 0, 1080};
    constexpr ScreenRect above{-320, -1440, 2240, 0};
    // The primary need not come first in the system's list.
    BlankScreens plan =
        PlanBlankScreens({Other(leftOf), Primary(kFullHd, kFullHdWork), Other(above)});
    EXPECT_EQ(plan.main, kFullHd);
    EXPECT_EQ(plan.covers, (Rects{leftOf, above}));
}

TEST(PlanBlankScreensTest, DifferentSizesAndAPortraitMonitor) {
    constexpr ScreenRect primary{0, 0, 2560, 1440};
    constexpr ScreenRect portrait{2560, -240, 3640, 1680};
    constexpr ScreenRect small{-1024, 672, 0, 1440};
    BlankScreens plan = PlanBlankScreens({Primary(primary), Other(portrait), Other(small)});
    EXPECT_EQ(plan.main, primary);
    EXPECT_EQ(plan.covers, (Rects{portrait, small}));
}

TEST(PlanBlankScreensTest, ClonedMirroredAndEmptyMonitorsGetNoCover) {
    constexpr ScreenRect second{1920, 0, 3200, 1024};
    BlankScreens plan = PlanBlankScreens({
        Primary(kFullHd, kFullHdWork),
        Other(kFullHd),                // a clone of the primary
        Other({0, 0, 1280, 720}),      // a mirror at a lower resolution
        Other(second),                 // a real second monitor
        Other(second),                 // and a clone of it
        Other({1920, 0, 2944, 768}),   // mirrored inside the second
        Other({4000, 0, 4000, 1024}),  // a monitor reporting no area
        Other({5000, 1024, 6280, 0}),  // nor an inverted one
    });
    EXPECT_EQ(plan.main, kFullHd);
    EXPECT_EQ(plan.covers, (Rects{second}));
}

TEST(PlanBlankScreensTest, MonitorsOverlappingTheCoveredAreaStillGetCovers) {
    // Each sticks out of the primary on one side; only a cover of its own blacks that out.
    const Rects overlapping{
        {960, 0, 2880, 1080}, {0, 540, 1920, 1620}, {-960, 0, 960, 1080}, {0, -540, 1920, 540}};
    std::vector<Monitor> monitors{Primary(kFullHd)};
    for (const ScreenRect& r : overlapping) {
        monitors.push_back(Other(r));
    }
    EXPECT_EQ(PlanBlankScreens(monitors).covers, overlapping);
}

TEST(PlanBlankScreensTest, MainIsTheFlaggedMonitorElseTheOneAtTheOriginElseTheFirst) {
    constexpr ScreenRect leftOf{-1280, 0, 0, 1024};
    BlankScreens plan = PlanBlankScreens({Other(kFullHd), Primary(leftOf)});
    EXPECT_EQ(plan.main, leftOf);
    EXPECT_EQ(plan.covers, (Rects{kFullHd}));

    plan = PlanBlankScreens({Other(leftOf), Other(kFullHd)});
    EXPECT_EQ(plan.main, kFullHd);
    EXPECT_EQ(plan.covers, (Rects{leftOf}));

    // The origin lies on the left monitor's right edge, which is outside it.
    constexpr ScreenRect right{1920, 0, 3200, 1024};
    plan = PlanBlankScreens({Other(leftOf), Other(right)});
    EXPECT_EQ(plan.main, leftOf);
    EXPECT_EQ(plan.covers, (Rects{right}));
}

TEST(PlanBlankScreensTest, NoMonitorsGiveAnEmptyPlan) {
    BlankScreens plan = PlanBlankScreens({});
    EXPECT_TRUE(plan.main.empty());
    EXPECT_TRUE(plan.covers.empty());
}

// --- Normal size, centred ---

TEST(CentredInTest, CentresInAWorkAreaThatDoesNotStartAtZero) {
    // Task bar on the left, 60 wide.
    EXPECT_EQ(CentredIn({60, 0, 1920, 1080}, 400, 300), (ScreenRect{790, 390, 1190, 690}));
    // Task bar on the top, 40 high.
    EXPECT_EQ(CentredIn({0, 40, 1920, 1080}, 400, 300), (ScreenRect{760, 410, 1160, 710}));
}

TEST(CentredInTest, WorksAtNegativeCoordinates) {
    EXPECT_EQ(CentredIn({-1280, -1024, 0, 0}, 400, 300), (ScreenRect{-840, -662, -440, -362}));
}

TEST(CentredInTest, OddRemaindersLeaveTheExtraPixelRightAndBelow) {
    // 1001 - 400 = 601 and 501 - 300 = 201 spare pixels.
    ScreenRect r = CentredIn({0, 0, 1001, 501}, 400, 300);
    EXPECT_EQ(r, (ScreenRect{300, 100, 700, 400}));
    // The same split where the area starts at a negative coordinate.
    r = CentredIn({-1001, -501, 0, 0}, 400, 300);
    EXPECT_EQ(r, (ScreenRect{-701, -401, -301, -101}));
}

TEST(CentredInTest, TooLargeAWindowKeepsToTheLeftOrTopEdge) {
    constexpr ScreenRect area{-800, 40, 0, 640};
    EXPECT_EQ(CentredIn(area, 1024, 300), (ScreenRect{-800, 190, 224, 490}));
    EXPECT_EQ(CentredIn(area, 400, 768), (ScreenRect{-600, 40, -200, 808}));
    EXPECT_EQ(CentredIn(area, 801, 601), (ScreenRect{-800, 40, 1, 641}));
    // Exactly the area's size fills it.
    EXPECT_EQ(CentredIn(area, 800, 600), area);
}

TEST(NormalPlaceTest, CentresInThePrimaryWorkArea) {
    constexpr ScreenRect leftOf{-1280, 0, 0, 1024};
    std::vector<Monitor> monitors{Other(leftOf), Primary(kFullHd, kFullHdWork)};
    EXPECT_EQ(NormalPlace(monitors, 400, 300), (ScreenRect{760, 370, 1160, 670}));
}

TEST(NormalPlaceTest, FollowsANewPrimaryMonitor) {
    // The left monitor became primary, so the desktop's origin moved to it.
    constexpr ScreenRect newPrimary{0, 0, 1280, 1024};
    constexpr ScreenRect newPrimaryWork{0, 0, 1280, 984};
    std::vector<Monitor> monitors{Other({1280, 0, 3200, 1080}),
                                  Primary(newPrimary, newPrimaryWork)};
    EXPECT_EQ(NormalPlace(monitors, 400, 300), (ScreenRect{440, 342, 840, 642}));
}

TEST(NormalPlaceTest, WithoutAPrimaryFlagOrMonitors) {
    std::vector<Monitor> unflagged{Other({-1280, 0, 0, 1024}), {kFullHd, kFullHdWork, false}};
    EXPECT_EQ(NormalPlace(unflagged, 400, 300), (ScreenRect{760, 370, 1160, 670}));

    EXPECT_EQ(NormalPlace({}, 400, 300), (ScreenRect{0, 0, 400, 300}));
}

}  // namespace
}  // namespace rilto
