// The window's saved place: used only while it fits a screen; anything else
// (a screen that has gone, a size no surface can hold, text edited by hand)
// opens the window with its defaults.
#include "app/window_place.h"

#include <gtest/gtest.h>

namespace {

// Two screens side by side: 1920 x 1080 (free area below a 40-pixel panel) and 1280 x 1024.
const std::vector<ScreenRect> SCREENS = {{0, 40, 1920, 1040}, {1920, 0, 1280, 1024}};

std::optional<WindowPlace> place(const std::string& text) { return saved_window_place(text, SCREENS, 400, 300); }

TEST(WindowPlace, KeptWhileItFitsAScreen) {
    ASSERT_TRUE(place("30,40,700,520,0"));
    EXPECT_EQ(window_place_setting(*place("30,40,700,520,0")), "30,40,700,520,0");
    EXPECT_TRUE(place("2000,10,1280,1000,1")->maximised);  // on the second screen
    EXPECT_TRUE(place("-100,40,700,520,0"));                // partly off, its centre on
    EXPECT_TRUE(place("0,40,1920,1040,0"));                 // exactly the free area
}

TEST(WindowPlace, IgnoredWhenOffOrLargerThanTheScreens) {
    for (const char* text : {
             "0,0,16000000,16000000,0",        // the size that ended every start with "GDI error"
             "0,40,1921,1040,0",               // a pixel wider than the screen its centre is on
             "5000,5000,700,520,0",            // a screen that has gone
             "2147483647,2147483647,700,520,0",  // the centre past the int range
             "-2147483648,0,2147483647,600,0",
             "30,40,399,520,0", "30,40,700,299,0", "30,40,-700,520,0",  // smaller than the window can be
             "30,40,700,520,2", "30,40,700,520", "30,40,700,520,0,9", "30, 40,700,520,0", "30,40,7e2,520,0",
             "30,40,0x2bc,520,0", "", ",,,,", "garbage"})
        EXPECT_FALSE(place(text)) << text;
    EXPECT_FALSE(saved_window_place("30,40,700,520,0", {}, 400, 300));  // no screen at all
}

}  // namespace
