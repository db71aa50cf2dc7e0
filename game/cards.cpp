#include "cards.h"

#include <algorithm>

namespace vurp {

namespace {

// Pads each name with spaces to fifteen bytes of display width. The names are
// Cyrillic, so the field is fifteen characters, not fifteen bytes: every
// character counts once whatever its UTF-8 length.
std::string Fields(std::initializer_list<std::string_view> names) {
    std::string out;
    for (std::string_view name : names) {
        int chars = 0;
        for (unsigned char ch : name) {
            if ((ch & 0xC0) != 0x80) {
                ++chars;
            }
        }
        out += name;
        out.append(static_cast<std::size_t>(15 - chars), ' ');
    }
    return out;
}

// Byte offset of the 1-based character `index` of a UTF-8 string (its length
// when the index lies past the end).
std::size_t ByteOffset(std::string_view s, int index) {
    int chars = 0;
    for (std::size_t b = 0; b < s.size(); ++b) {
        if ((static_cast<unsigned char>(s[b]) & 0xC0) != 0x80) {
            ++chars;
            if (chars == index) {
                return b;
            }
        }
    }
    return s.size();
}

} // namespace

const std::string RankInstrumentalLiteral =
    Fields({"шестерками", "семерками", "восьмерками", "девятками", "десятками", "валетами",
            "дамами", "королями", "тузами"});
const std::string RankNominativeLiteral = Fields(
    {"шестерки", "семерки", "восьмерки", "девятки", "десятки", "валеты", "дамы", "короли", "тузы"});
const std::string RankGenitiveLiteral = Fields({"шестерок", "семерок", "восьмерок", "девяток",
                                                "десяток", "валетов", "дам", "королей", "тузов"});

std::string RankDisplayText(int rank) {
    static const char *const texts[] = {"6", "7", "8", "9", "10", "В", "Д", "К", "Т"};
    if (rank < 1 || rank > 9) {
        return "";
    }
    return texts[rank - 1];
}

std::string Mid(std::string_view s, int start, int length) {
    if (start < 1 || length <= 0 || static_cast<std::size_t>(start) > s.size()) {
        return "";
    }
    return std::string(
        s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length)));
}

std::string MidToEnd(std::string_view s, int start) {
    if (start < 1) {
        start = 1;
    }
    if (static_cast<std::size_t>(start) > s.size()) {
        return "";
    }
    return std::string(s.substr(static_cast<std::size_t>(start - 1)));
}

std::string Trim(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return "";
    }
    const auto last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

std::string CardAt(std::string_view cards, int i) {
    return Mid(cards, 2 * i - 1, 2);
}

std::string RankOf(std::string_view card) {
    return Mid(card, 1, 1);
}

std::string SuitOf(std::string_view card) {
    return Mid(card, 2, 1);
}

std::string RankName(std::string_view table, int n) {
    if (n < 1 || n > 9) {
        return "";
    }
    // The tables count characters, and the names are Cyrillic.
    const std::size_t from = ByteOffset(table, 15 * n - 14);
    const std::size_t to = ByteOffset(table, 15 * n + 1);
    return Trim(table.substr(from, to - from));
}

std::string PicturePath(std::string_view name) {
    return "Pict/" + std::string(name) + ".bmp";
}

int CardCount(std::string_view hand) {
    return static_cast<int>(Trim(hand).size() / 2);
}

bool Holds(std::string_view cards, std::string_view card) {
    return cards.find(card) != std::string_view::npos;
}

int RankNumber(std::string_view card) {
    if (card.empty() || card[0] < '0' || card[0] > '9') {
        return 0;
    }
    return card[0] - '0';
}

bool RankAbove(std::string_view card, char rank) {
    return !card.empty() && card[0] > rank;
}

} // namespace vurp
