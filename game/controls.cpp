#include "controls.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>
#include <optional>
#include <string_view>

namespace vurp {

namespace {

// A control as the form designer left it: a single control has one caption,
// an array `count` of them (blank where none is listed).
struct DesignRow {
    Control id{};
    std::string_view name;
    ControlKind kind{};
    int count = 0;
    std::array<std::string_view, 9> texts{};
    const std::string *longText = nullptr; // the caption, when it is a whole text
    std::optional<Colour> back{};
    std::optional<Colour> fore{};
    bool visible = true;
    bool enabled = true;
    bool locked = false;
    bool multiline = false;
    int maxLength = 0;
};

using K = ControlKind;
constexpr Colour kYellow = 0x80FFFF;
constexpr Colour kDarkBlue = 0x800000;

// In the order of the enumeration. A table rather than code: the browser's
// module would carry every assignment of code as instructions.
const DesignRow kDesignRows[] = {
    {.id = Control::Label4,
     .name = "Label4",
     .kind = K::Label,
     .texts = {"ВУРП"},
     .fore = 0xC00000},
    {.id = Control::Pravila, .name = "Pravila", .kind = K::Button, .texts = {"Правила игры"}},
    {.id = Control::TextPravila,
     .name = "TextPravila",
     .kind = K::TextBox,
     .longText = &RulesText,
     .visible = false,
     .locked = true,
     .multiline = true},
    {.id = Control::Game, .name = "Game", .kind = K::Button, .texts = {"О программе"}},
    {.id = Control::TextGame,
     .name = "TextGame",
     .kind = K::TextBox,
     .longText = &AboutText,
     .visible = false,
     .locked = true,
     .multiline = true},
    {.id = Control::Label1,
     .name = "Label1",
     .kind = K::Label,
     .texts = {"Ставка"},
     .fore = kYellow},
    {.id = Control::Stavk, .name = "Stavk", .kind = K::TextBox, .texts = {"4"}, .maxLength = 7},
    {.id = Control::Label_bank,
     .name = "Label_bank",
     .kind = K::Label,
     .texts = {"Банк"},
     .fore = kYellow},
    {.id = Control::bank,
     .name = "bank",
     .kind = K::TextBox,
     .texts = {"0"},
     .back = 0xC0FFFF,
     .fore = kDarkBlue,
     .locked = true},
    {.id = Control::Razd, .name = "Razd", .kind = K::Button, .texts = {"Раздать"}},
    {.id = Control::Pict1,
     .name = "Pict1",
     .kind = K::Picture,
     .count = 5,
     .visible = false,
     .enabled = false},
    {.id = Control::Pict2, .name = "Pict2", .kind = K::Picture, .count = 5, .visible = false},
    {.id = Control::Pict3, .name = "Pict3", .kind = K::Picture, .count = 5, .visible = false},
    {.id = Control::PictKoz, .name = "PictKoz", .kind = K::Picture, .visible = false},
    {.id = Control::Hod, .name = "Hod", .kind = K::Picture, .count = 3, .visible = false},
    {.id = Control::talk,
     .name = "talk",
     .kind = K::TextBox,
     .count = 3,
     .back = 0xFFFFC0,
     .fore = kDarkBlue,
     .visible = false,
     .locked = true},
    {.id = Control::Talk2,
     .name = "Talk2",
     .kind = K::TextBox,
     .count = 3,
     .visible = false,
     .locked = true},
    {.id = Control::Money,
     .name = "Money",
     .kind = K::TextBox,
     .count = 3,
     .texts = {"0", "0", "0"},
     .back = kMoneyNonNegative,
     .fore = kDarkBlue,
     .visible = false,
     .locked = true},
    {.id = Control::KolVz,
     .name = "KolVz",
     .kind = K::TextBox,
     .count = 3,
     .texts = {"0", "0", "0"},
     .visible = false,
     .locked = true},
    {.id = Control::Label2,
     .name = "Label2",
     .kind = K::Label,
     .count = 3,
     .texts = {"Взятки1", "Взятки2", "Взятки3"},
     .fore = kYellow,
     .visible = false},
    {.id = Control::Sled,
     .name = "Sled",
     .kind = K::Button,
     .texts = {"Дальше"},
     .visible = false,
     .enabled = false},
    {.id = Control::Change,
     .name = "Change",
     .kind = K::Button,
     .texts = {"Не менять"},
     .visible = false},
    {.id = Control::PasVurp,
     .name = "PasVurp",
     .kind = K::Button,
     .texts = {"Пас вурп"},
     .enabled = false},
    {.id = Control::vurp, .name = "vurp", .kind = K::Button, .texts = {"Вурп"}, .enabled = false},
    {.id = Control::Vert,
     .name = "Vert",
     .kind = K::Button,
     .texts = {"Вертолет"},
     .enabled = false},
    {.id = Control::VurpGo,
     .name = "VurpGo",
     .kind = K::Button,
     .texts = {"Вурп, иду за..."},
     .enabled = false},
    {.id = Control::PasHelp,
     .name = "PasHelp",
     .kind = K::Button,
     .texts = {"Пас помощь"},
     .enabled = false},
    {.id = Control::Help, .name = "Help", .kind = K::Button, .texts = {"Помогу"}, .enabled = false},
    {.id = Control::five,
     .name = "five",
     .kind = K::Button,
     .texts = {"Беру пять"},
     .enabled = false},
    {.id = Control::HelpGo,
     .name = "HelpGo",
     .kind = K::Button,
     .texts = {"Помогу, иду за..."},
     .enabled = false},
    {.id = Control::GoKats,
     .name = "GoKats",
     .kind = K::Button,
     .count = 9,
     .texts = {"6", "7", "8", "9", "10", "В", "Д", "К", "Т"},
     .enabled = false},
};

static_assert(std::size(kDesignRows) == static_cast<std::size_t>(kControlCount),
              "one row for each control");

std::vector<ControlDesign> MakeDesigns() {
    std::vector<ControlDesign> designs;
    designs.reserve(std::size(kDesignRows));
    for (const DesignRow &row : kDesignRows) {
        ControlDesign &d = designs.emplace_back();
        d.id = row.id;
        d.name = row.name;
        d.kind = row.kind;
        d.count = row.count;
        if (row.longText != nullptr) {
            d.texts = {*row.longText};
        } else {
            const auto captions = static_cast<std::size_t>(std::max(row.count, 1));
            d.texts.assign(row.texts.begin(),
                           row.texts.begin() + static_cast<std::ptrdiff_t>(captions));
        }
        d.back = row.back;
        d.fore = row.fore;
        d.visible = row.visible;
        d.enabled = row.enabled;
        d.locked = row.locked;
        d.multiline = row.multiline;
        d.maxLength = row.maxLength;
    }
    return designs;
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

// Asked at every setting of every control: read from the design table
// itself, which needs no building.
bool ValidIndex(Control control, int index) {
    const int count = kDesignRows[static_cast<std::size_t>(control)].count;
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
