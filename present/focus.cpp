#include "focus.h"

#include <algorithm>

#include "controls.h"
#include "layout.h"

namespace vurp {

namespace {

constexpr int kHandSize = 5;

const std::vector<Control> &kDeclarationButtons = DeclarationButtons();

bool Pressable(const View &view, ControlRef c) {
    return view.Visible(c.control, c.index) && view.Enabled(c.control, c.index);
}

} // namespace

std::vector<int> HandBoxesLeftToRight() {
    std::vector<int> boxes(kHandSize);
    for (int i = 0; i < kHandSize; ++i) {
        boxes[static_cast<std::size_t>(i)] = i + 1;
    }
    std::stable_sort(boxes.begin(), boxes.end(), [](int a, int b) {
        return Placement(Control::Pict1, a).left < Placement(Control::Pict1, b).left;
    });
    return boxes;
}

std::vector<ControlRef> TabOrder() {
    std::vector<ControlRef> order = {{Control::Pravila, 0},
                                     {Control::Game, 0},
                                     {Control::Stavk, 0},
                                     {Control::Razd, 0},
                                     {Control::Sled, 0}};
    for (const int box : HandBoxesLeftToRight()) {
        order.push_back({Control::Pict1, box});
    }
    order.push_back({Control::Change, 0});
    for (const Control button : kDeclarationButtons) {
        order.push_back({button, 0});
    }
    for (int k = 1; k <= DesignOf(Control::GoKats).count; ++k) {
        order.push_back({Control::GoKats, k});
    }
    // Last, what there is to read: the bank, then each seat's money, tricks
    // and words, so that a player who cannot see the table can still read it.
    order.push_back({Control::bank, 0});
    for (int seat = 1; seat <= 3; ++seat) {
        for (const Control box : {Control::Money, Control::KolVz, Control::talk, Control::Talk2}) {
            order.push_back({box, seat});
        }
    }
    return order;
}

std::optional<ControlRef> LikelyNext(const View &view, std::optional<ControlRef> pressed) {
    // A card thrown away in the exchange: on to "Поменять", not to the card
    // that closed up into its place, which one more habitual press would
    // throw away as well.
    if (pressed && pressed->control == Control::Pict1 && Pressable(view, {Control::Change, 0})) {
        return ControlRef{Control::Change, 0};
    }
    if (Pressable(view, {Control::Sled, 0})) {
        return ControlRef{Control::Sled, 0};
    }
    for (int k = 1; k <= DesignOf(Control::GoKats).count; ++k) {
        if (Pressable(view, {Control::GoKats, k})) {
            return ControlRef{Control::GoKats, k};
        }
    }
    const std::vector<int> hand = HandBoxesLeftToRight();
    std::optional<ControlRef> card;
    for (const int box : hand) {
        const ControlRef ref{Control::Pict1, box};
        if (!Pressable(view, ref)) {
            continue;
        }
        if (!card || (pressed && pressed->control == Control::Pict1 &&
                      Placement(Control::Pict1, box).left <=
                          Placement(Control::Pict1, pressed->index).left)) {
            card = ref;
        }
    }
    if (card) {
        return card;
    }
    for (const Control button : kDeclarationButtons) {
        if (Pressable(view, {button, 0})) {
            return ControlRef{button, 0};
        }
    }
    for (const Control last : {Control::Change, Control::Razd}) {
        if (Pressable(view, {last, 0})) {
            return ControlRef{last, 0};
        }
    }
    return std::nullopt;
}

} // namespace vurp
