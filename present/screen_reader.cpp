#include "screen_reader.h"

#include "cards.h"

namespace vurp {

namespace {

std::string Seat(int index) {
    return "Игрок " + std::to_string(index) + ": ";
}

// The name with its first letter a capital: Latin or Cyrillic, as every
// name on the table is.
std::string Capitalised(std::string name) {
    const auto byte = [&name](std::size_t k) { return static_cast<unsigned char>(name[k]); };
    if (!name.empty() && byte(0) >= 'a' && byte(0) <= 'z') {
        name[0] = static_cast<char>(byte(0) - 'a' + 'A');
    } else if (name.size() >= 2 && byte(0) == 0xD0 && byte(1) >= 0xB0 && byte(1) <= 0xBF) {
        // а..п: U+0430..U+043F to U+0410..U+041F.
        name[1] = static_cast<char>(byte(1) - 0x20);
    } else if (name.size() >= 2 && byte(0) == 0xD1 && byte(1) >= 0x80 && byte(1) <= 0x8F) {
        // р..я: U+0440..U+044F to U+0420..U+042F.
        name[0] = static_cast<char>(0xD0);
        name[1] = static_cast<char>(byte(1) + 0x20);
    } else if (name.size() >= 2 && byte(0) == 0xD1 && byte(1) == 0x91) {
        // ё to Ё, U+0401.
        name[0] = static_cast<char>(0xD0);
        name[1] = static_cast<char>(0x81);
    }
    return name;
}

// The length of the white space character that starts `text`, or 0: the
// ASCII ones and every Unicode space and line or paragraph separator, all of
// them in the Basic Multilingual Plane.
std::size_t WhiteSpaceAt(std::string_view text) {
    const auto byte = [&text](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    if (text.empty()) {
        return 0;
    }
    if (byte(0) == ' ' || (byte(0) >= '\t' && byte(0) <= '\r')) {
        return 1;
    }
    if (text.size() >= 2 && byte(0) == 0xC2) {
        // U+0085 NEXT LINE, U+00A0 NO-BREAK SPACE.
        return byte(1) == 0x85 || byte(1) == 0xA0 ? 2 : 0;
    }
    if (text.size() < 3) {
        return 0;
    }
    const char32_t c = (char32_t(byte(0) & 0x0F) << 12) | (char32_t(byte(1) & 0x3F) << 6) |
                       char32_t(byte(2) & 0x3F);
    const bool threeBytes =
        (byte(0) & 0xF0) == 0xE0 && (byte(1) & 0xC0) == 0x80 && (byte(2) & 0xC0) == 0x80;
    const bool space = c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 ||
                       c == 0x202F || c == 0x205F || c == 0x3000;
    return threeBytes && space ? 3 : 0;
}

} // namespace

std::string ControlName(Control control, int index) {
    switch (control) {
    case Control::Stavk:
        return "Ставка";
    case Control::bank:
        return "Банк";
    case Control::TextPravila:
        return "Правила игры";
    case Control::TextGame:
        return "О программе";
    case Control::talk:
        return Seat(index) + "слова";
    case Control::Talk2:
        return Seat(index) + "ответ";
    case Control::Money:
        return Seat(index) + "деньги";
    case Control::KolVz:
        return Seat(index) + "взятки";
    case Control::GoKats:
        return Capitalised(RankName(RankNominativeLiteral, index));
    default:
        return {};
    }
}

std::string ControlDescription(Control control, int index) {
    switch (control) {
    case Control::TextPravila:
    case Control::TextGame:
        return "Стрелки, Page Up, Page Down и пробел листают текст, Escape закрывает";
    case Control::Pict1:
        return "Ваша карта " + std::to_string(index);
    case Control::Pict2:
        return "Карта игрока 2";
    case Control::Pict3:
        return "Карта игрока 3";
    case Control::PictKoz:
        return "Открытая карта, кандидат в козыри";
    case Control::Hod:
        return "Ход игрока " + std::to_string(index);
    default:
        return {};
    }
}

std::string Readable(std::string_view shown) {
    std::string heard;
    heard.reserve(shown.size());
    bool spaceDue = false;
    while (!shown.empty()) {
        if (const std::size_t space = WhiteSpaceAt(shown); space > 0) {
            spaceDue = !heard.empty();
            shown.remove_prefix(space);
            continue;
        }
        if (spaceDue) {
            heard += ' ';
            spaceDue = false;
        }
        heard += shown.front();
        shown.remove_prefix(1);
    }
    return heard;
}

} // namespace vurp
