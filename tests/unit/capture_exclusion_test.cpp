#include "common/capture_exclusion.h"

#include <gtest/gtest.h>

namespace rilto {
namespace {

// Windows 10 before version 2004 would take the request for the one that shows a black
// box in the capture: those versions, and older ones, are never asked.
TEST(CaptureAffinity, AskedOnlyOfWindowsThatKnowTheRequestAndOnlyWhenOn) {
    struct Case {
        WindowsVersion windows;
        bool asked;
    };
    const Case cases[] = {
        {{10, 0, 19041}, true},   // 2004
        {{10, 0, 22631}, true},   // 11
        {{10, 1, 0}, true},       // anything later
        {{11, 0, 0}, true},       //
        {{10, 0, 19040}, false},  // 1909 and earlier 10
        {{10, 0, 18363}, false},  //
        {{6, 3, 9600}, false},    // 8.1
        {{6, 1, 7601}, false},    // 7
        {{0, 0, 0}, false},       // the version could not be read
    };
    for (const Case& c : cases) {
        const auto affinity = CaptureAffinity(true, c.windows);
        EXPECT_EQ(affinity.has_value(), c.asked)
            << c.windows.major << "." << c.windows.minor << "." << c.windows.build;
        if (affinity) {
            EXPECT_EQ(*affinity, kExcludeFromCapture);
        }
        EXPECT_FALSE(CaptureAffinity(false, c.windows).has_value());
    }
}

}  // namespace
}  // namespace rilto
