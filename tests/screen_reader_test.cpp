// What a screen reader hears of the table without the window: a name for
// every control whose caption says too little, a description for every card
// box, and the table's texts without the spaces that only line them up.
#include <gtest/gtest.h>

#include <string>

#include "controls.h"
#include "screen_reader.h"

namespace vurp {
namespace {

// A text box shows no caption and a card box only a picture: the names and
// descriptions are all a screen reader has of them.
TEST(ScreenReader, EveryBoxWithoutCaptionIsNamedOrDescribed) {
    for (const auto &[id, i] : AllElements()) {
        SCOPED_TRACE(ElementName(id, i));
        switch (DesignOf(id).kind) {
        case ControlKind::TextBox:
            EXPECT_FALSE(ControlName(id, i).empty());
            break;
        case ControlKind::Picture:
            EXPECT_FALSE(ControlDescription(id, i).empty());
            break;
        case ControlKind::Button:
        case ControlKind::Label:
            break;
        }
    }
    EXPECT_EQ(ControlName(Control::Money, 2), "Игрок 2: деньги");
    EXPECT_EQ(ControlDescription(Control::Pict1, 4), "Ваша карта 4");
    // The rank buttons show a digit or a letter; they read as the rank.
    EXPECT_EQ(ControlName(Control::GoKats, 1), "Шестерки");
    EXPECT_EQ(ControlName(Control::GoKats, 7), "Дамы");
    EXPECT_EQ(ControlName(Control::GoKats, 10), "");
    EXPECT_EQ(ControlName(static_cast<Control>(kControlCount), 0), "");
    EXPECT_EQ(ControlDescription(static_cast<Control>(-1), 1), "");
}

TEST(ScreenReader, ReadableDropsTheSpacesThatLineTextsUp) {
    const struct {
        std::string shown;
        std::string heard;
    } rows[] = {
        {"", ""},
        {" \t\r\n\v\f", ""},
        {"  -12,5  ", "-12,5"},
        {"Игрок 2:\r\n   вурп", "Игрок 2: вурп"},
        // No-break, thin and ideographic spaces, a line separator, NEL.
        {"1\u00a0000\u2009р\u3000x\u2028y\u0085z", "1 000 р x y z"},
        // Neither a zero-width space nor a dash is white space.
        {"a\u200bb \u2014 c", "a\u200bb \u2014 c"},
        // Bytes that are no UTF-8 are kept as they are.
        {" \xE2\x80 \xC2", "\xE2\x80 \xC2"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(Readable(row.shown), row.heard) << row.shown;
    }
}

} // namespace
} // namespace vurp
