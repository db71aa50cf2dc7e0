#include "layout.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "controls.h"

namespace vurp {

namespace {

// Card boxes fit a 71 x 96 picture with a pixel to spare.
constexpr int kCardWidth = 1095;
constexpr int kCardHeight = 1455;
// Text boxes and captions the layout gives no size for. A speech line is wide
// enough for the longest one, "Помогу иду за восьмерками".
constexpr int kLineHeight = 315;
constexpr int kCaptionHeight = 240;
constexpr int kMoneyWidth = 1335;
constexpr int kTalkWidth = 3375;
constexpr int kTalk2Width = 1575;
constexpr int kTricksWidth = 450;
constexpr int kTricksCaptionWidth = 900;

// Per seat 1..3 (index 0 unused).
constexpr std::array<int, 4> kHandTop = {0, 6480, 240, 240};
constexpr std::array<int, 4> kMoneyLeft = {0, 5160, 2760, 7320};
constexpr std::array<int, 4> kMoneyTop = {0, 5760, 1680, 1680};
constexpr std::array<int, 4> kTricksCaptionLeft = {0, 6480, 4200, 8760};
constexpr std::array<int, 4> kTricksLeft = {0, 7560, 5160, 9720};
constexpr std::array<int, 4> kTalkTop = {0, 6120, 2040, 2040};
constexpr std::array<int, 4> kPlayedLeft = {0, 5040, 2760, 7320};
constexpr std::array<int, 4> kPlayedTop = {0, 4320, 2400, 2400};
constexpr std::array<int, 4> kTalk2Left = {0, 5160, 2760, 7320};
constexpr std::array<int, 4> kTalk2Top = {0, 5400, 2400, 2400};

// Left edges of hand boxes 1..5 of each seat: seat 1 and seat 2 keep their
// fifth card on the left, seat 3 on the right.
constexpr std::array<std::array<int, 6>, 4> kHandLeft = {{
    {},
    {0, 3480, 4560, 5640, 6720, 2400},
    {0, 1080, 2160, 3240, 4320, 0},
    {0, 5640, 6720, 7800, 8880, 9960},
}};

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

} // namespace

Twips Placement(Control control, int index) {
    if (!ValidControl(control, index)) {
        return {};
    }
    const std::size_t i = At(index);
    switch (control) {
    case Control::Label4:
        return {2160, 1560, 6735, 1935};
    case Control::Pravila:
        return {0, 0, 1575, 255};
    case Control::TextPravila:
        return {0, 240, 6495, 8175};
    case Control::Game:
        return {6600, 0, 1815, 255};
    case Control::TextGame:
        // Designed 5295 wide, it would reach one pixel past the window's
        // right edge; it ends at the edge instead.
        return {6600, 240, 11880 - 6600, 1005};
    case Control::Label1:
        return {720, 5160, 1095, kCaptionHeight};
    case Control::Stavk:
        return {720, 5400, 1095, 375};
    case Control::Label_bank:
        return {480, 5880, 1575, kCaptionHeight};
    case Control::bank:
        return {480, 6120, 1575, 375};
    case Control::Razd:
        return {480, 7080, 1575, 855};
    case Control::Pict1:
        return {kHandLeft[1][i], kHandTop[1], kCardWidth, kCardHeight};
    case Control::Pict2:
        return {kHandLeft[2][i], kHandTop[2], kCardWidth, kCardHeight};
    case Control::Pict3:
        return {kHandLeft[3][i], kHandTop[3], kCardWidth, kCardHeight};
    case Control::PictKoz:
        return {5040, 2760, kCardWidth, kCardHeight};
    case Control::Hod:
        return {kPlayedLeft[i], kPlayedTop[i], kCardWidth, kCardHeight};
    case Control::talk:
        return {kMoneyLeft[i], kTalkTop[i], kTalkWidth, kLineHeight};
    case Control::Talk2:
        return {kTalk2Left[i], kTalk2Top[i], kTalk2Width, kLineHeight};
    case Control::Money:
        return {kMoneyLeft[i], kMoneyTop[i], kMoneyWidth, kLineHeight};
    case Control::KolVz:
        return {kTricksLeft[i], kMoneyTop[i], kTricksWidth, kLineHeight};
    case Control::Label2:
        return {kTricksCaptionLeft[i], kMoneyTop[i] + 120, kTricksCaptionWidth, kCaptionHeight};
    case Control::Sled:
        return {3480, 5760, 1095, 735};
    case Control::Change:
        return {2400, 7200, 1095, 735};
    case Control::PasVurp:
        return {8880, 4440, 1095, 615};
    case Control::vurp:
        return {8880, 5280, 1095, 615};
    case Control::Vert:
        return {8880, 6120, 1095, 615};
    case Control::VurpGo:
        return {8880, 6960, 1095, 495};
    case Control::PasHelp:
        return {10320, 4440, 1095, 615};
    case Control::Help:
        return {10320, 5280, 1095, 615};
    case Control::five:
        return {10320, 6120, 1095, 615};
    case Control::HelpGo:
        return {10320, 6960, 1095, 495};
    case Control::GoKats:
        return {8520 + 360 * (index - 1), 7560, 375, 375};
    }
    return {};
}

int Scaled(int pixels, double scale) {
    return static_cast<int>(std::lround(pixels * scale));
}

PixelRect ScaledPlace(Twips place, double scale) {
    // The layout's own pixels first: twips divided by 15, rounded down.
    const int left = place.left / kTwipsPerPixel;
    const int top = place.top / kTwipsPerPixel;
    const int width = place.width / kTwipsPerPixel;
    const int height = place.height / kTwipsPerPixel;
    const int scaledLeft = Scaled(left, scale);
    const int scaledTop = Scaled(top, scale);
    return {scaledLeft, scaledTop, Scaled(left + width, scale) - scaledLeft,
            Scaled(top + height, scale) - scaledTop};
}

double FitScale(int width, int height) {
    return std::max(kSmallestScale,
                    std::min(double(width) / kClientWidth, double(height) / kClientHeight));
}

} // namespace vurp
