#include "controls.h"

#include <algorithm>

namespace vurp {

namespace {

std::vector<ControlDesign> MakeDesigns() {
    using K = ControlKind;
    auto single = [](Control id, std::string name, K kind, std::string text) {
        ControlDesign d;
        d.id = id;
        d.name = std::move(name);
        d.kind = kind;
        d.texts = {std::move(text)};
        return d;
    };
    auto array = [](Control id, std::string name, K kind, std::vector<std::string> texts) {
        ControlDesign d;
        d.id = id;
        d.name = std::move(name);
        d.kind = kind;
        d.count = static_cast<int>(texts.size());
        d.texts = std::move(texts);
        return d;
    };
    const std::vector<std::string> five(5);
    const std::vector<std::string> three(3);
    const Colour yellow = 0x80FFFF;

    std::vector<ControlDesign> v;
    auto add = [&v](ControlDesign d) -> ControlDesign & { return v.emplace_back(std::move(d)); };

    add(single(Control::Label4, "Label4", K::Label, "ВУРП")).fore = 0xC00000;
    add(single(Control::Pravila, "Pravila", K::Button, "Правила игры"));
    {
        auto &d = add(single(Control::TextPravila, "TextPravila", K::TextBox, RulesText));
        d.visible = false;
        d.locked = d.multiline = true;
    }
    add(single(Control::Game, "Game", K::Button, "О программе"));
    {
        auto &d = add(single(Control::TextGame, "TextGame", K::TextBox, AboutText));
        d.visible = false;
        d.locked = d.multiline = true;
    }
    add(single(Control::Label1, "Label1", K::Label, "Ставка")).fore = yellow;
    add(single(Control::Stavk, "Stavk", K::TextBox, "4")).maxLength = 7;
    add(single(Control::Label_bank, "Label_bank", K::Label, "Банк")).fore = yellow;
    {
        auto &d = add(single(Control::bank, "bank", K::TextBox, "0"));
        d.back = 0xC0FFFF;
        d.fore = 0x800000;
        d.locked = true;
    }
    add(single(Control::Razd, "Razd", K::Button, "Раздать"));
    {
        auto &d = add(array(Control::Pict1, "Pict1", K::Picture, five));
        d.visible = d.enabled = false;
    }
    add(array(Control::Pict2, "Pict2", K::Picture, five)).visible = false;
    add(array(Control::Pict3, "Pict3", K::Picture, five)).visible = false;
    add(single(Control::PictKoz, "PictKoz", K::Picture, "")).visible = false;
    add(array(Control::Hod, "Hod", K::Picture, three)).visible = false;
    {
        auto &d = add(array(Control::talk, "talk", K::TextBox, three));
        d.back = 0xFFFFC0;
        d.fore = 0x800000;
        d.visible = false;
        d.locked = true;
    }
    {
        auto &d = add(array(Control::Talk2, "Talk2", K::TextBox, three));
        d.visible = false;
        d.locked = true;
    }
    {
        auto &d = add(array(Control::Money, "Money", K::TextBox, {"0", "0", "0"}));
        d.back = kMoneyNonNegative;
        d.fore = 0x800000;
        d.visible = false;
        d.locked = true;
    }
    {
        auto &d = add(array(Control::KolVz, "KolVz", K::TextBox, {"0", "0", "0"}));
        d.visible = false;
        d.locked = true;
    }
    {
        auto &d =
            add(array(Control::Label2, "Label2", K::Label, {"Взятки1", "Взятки2", "Взятки3"}));
        d.fore = yellow;
        d.visible = false;
    }
    {
        auto &d = add(single(Control::Sled, "Sled", K::Button, "Дальше"));
        d.visible = d.enabled = false;
    }
    add(single(Control::Change, "Change", K::Button, "Не менять")).visible = false;
    add(single(Control::PasVurp, "PasVurp", K::Button, "Пас вурп")).enabled = false;
    add(single(Control::vurp, "vurp", K::Button, "Вурп")).enabled = false;
    add(single(Control::Vert, "Vert", K::Button, "Вертолет")).enabled = false;
    add(single(Control::VurpGo, "VurpGo", K::Button, "Вурп, иду за...")).enabled = false;
    add(single(Control::PasHelp, "PasHelp", K::Button, "Пас помощь")).enabled = false;
    add(single(Control::Help, "Help", K::Button, "Помогу")).enabled = false;
    add(single(Control::five, "five", K::Button, "Беру пять")).enabled = false;
    add(single(Control::HelpGo, "HelpGo", K::Button, "Помогу, иду за...")).enabled = false;
    add(array(Control::GoKats, "GoKats", K::Button, {"6", "7", "8", "9", "10", "В", "Д", "К", "Т"}))
        .enabled = false;
    return v;
}

} // namespace

const std::vector<ControlDesign> &ControlDesigns() {
    static const std::vector<ControlDesign> designs = MakeDesigns();
    return designs;
}

const ControlDesign &DesignOf(Control control) {
    return ControlDesigns()[static_cast<std::size_t>(control)];
}

std::optional<Control> ControlByName(std::string_view name) {
    for (const auto &d : ControlDesigns()) {
        if (d.name == name) {
            return d.id;
        }
    }
    return std::nullopt;
}

bool ValidIndex(Control control, int index) {
    const int count = DesignOf(control).count;
    return count == 0 ? index == 0 : index >= 1 && index <= count;
}

bool ValidControl(Control control, int index) {
    const int id = static_cast<int>(control);
    return id >= 0 && id < kControlCount && ValidIndex(control, index);
}

const std::vector<std::pair<Control, int>> &AllElements() {
    static const std::vector<std::pair<Control, int>> elements = [] {
        std::vector<std::pair<Control, int>> list;
        for (const ControlDesign &design : ControlDesigns()) {
            for (int k = design.count == 0 ? 0 : 1; k <= design.count; ++k) {
                list.emplace_back(design.id, k);
            }
        }
        return list;
    }();
    return elements;
}

std::string ElementName(Control control, int index) {
    const ControlDesign &design = DesignOf(control);
    return design.count == 0 ? design.name : design.name + "(" + std::to_string(index) + ")";
}

const std::vector<Control> &DeclarationButtons() {
    static const std::vector<Control> buttons = [] {
        std::vector<Control> list(kFirstRoundButtons.begin(), kFirstRoundButtons.end());
        list.insert(list.end(), kSecondRoundButtons.begin(), kSecondRoundButtons.end());
        std::sort(list.begin(), list.end());
        return list;
    }();
    return buttons;
}

const std::vector<std::pair<Control, int>> &GameControls() {
    static const std::vector<std::pair<Control, int>> controls = [] {
        std::vector<std::pair<Control, int>> list = {{Control::Razd, 0}};
        for (const auto &round : {kFirstRoundButtons, kSecondRoundButtons}) {
            for (const Control button : round) {
                list.emplace_back(button, 0);
            }
        }
        list.emplace_back(Control::Sled, 0);
        list.emplace_back(Control::Change, 0);
        for (const Control array : {Control::GoKats, Control::Pict1}) {
            for (int k = 1; k <= DesignOf(array).count; ++k) {
                list.emplace_back(array, k);
            }
        }
        return list;
    }();
    return controls;
}

} // namespace vurp
