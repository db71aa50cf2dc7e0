// Where the controls stand at any scale, and the order Tab walks them in.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "controls.h"
#include "focus.h"
#include "layout.h"

namespace vurp {
namespace {

// Controls that meet at a scale of 1 meet at every scale, and every control
// stays on the table.
TEST(Layout, ControlsThatMeetKeepMeetingAtEveryScale) {
    for (int percent = 25; percent <= 300; percent += 5) {
        const double scale = percent / 100.0;
        SCOPED_TRACE(scale);
        const int width = Scaled(kClientWidth, scale);
        const int height = Scaled(kClientHeight, scale);
        for (const auto &[a, i] : AllElements()) {
            const PixelRect at1 = ScaledPlace(Placement(a, i), 1);
            const PixelRect scaled = ScaledPlace(Placement(a, i), scale);
            EXPECT_TRUE(scaled.left >= 0 && scaled.top >= 0 &&
                        scaled.left + scaled.width <= width && scaled.top + scaled.height <= height)
                << ElementName(a, i);
            for (const auto &[b, k] : AllElements()) {
                const PixelRect other1 = ScaledPlace(Placement(b, k), 1);
                const PixelRect other = ScaledPlace(Placement(b, k), scale);
                if (at1.left + at1.width == other1.left) {
                    EXPECT_EQ(scaled.left + scaled.width, other.left)
                        << ElementName(a, i) << " " << ElementName(b, k);
                }
                if (at1.top + at1.height == other1.top) {
                    EXPECT_EQ(scaled.top + scaled.height, other.top)
                        << ElementName(a, i) << " " << ElementName(b, k);
                }
            }
        }
    }
    EXPECT_EQ(ScaledPlace(Placement(Control::Razd, 0), 1), (PixelRect{32, 472, 105, 57}));
    EXPECT_EQ(ScaledPlace(Placement(Control::Pict1, 6), 1), PixelRect{});
    EXPECT_EQ(FitScale(kClientWidth * 2, kClientHeight * 3), 2.0);
    EXPECT_EQ(FitScale(0, kClientHeight), kSmallestScale);
}

// Tab reaches every control that moves the game on, each exactly once, and
// the panel buttons and the stake besides.
TEST(Layout, TabOrderHoldsEveryControlAPlayerPressesOnce) {
    const std::vector<ControlRef> order = TabOrder();
    std::set<std::pair<Control, int>> seen;
    for (const ControlRef &c : order) {
        EXPECT_TRUE(ValidControl(c.control, c.index)) << ElementName(c.control, c.index);
        EXPECT_TRUE(seen.emplace(c.control, c.index).second) << ElementName(c.control, c.index);
    }
    for (const auto &[id, i] : GameControls()) {
        EXPECT_EQ(seen.count({id, i}), 1U) << ElementName(id, i);
    }
    for (const Control c : {Control::Pravila, Control::Game, Control::Stavk}) {
        EXPECT_EQ(seen.count({c, 0}), 1U) << ElementName(c, 0);
    }
}

} // namespace
} // namespace vurp
