// Short Russian sentences for what happens at the table: the status line, the
// log of the deal and what a screen reader hears.
#pragma once

#include <string>
#include <string_view>

#include "events.h"

namespace vurp {

// A suit by its letter, in the genitive plural ("червей", as in "Туз червей")
// and the nominative ("черви"); nothing for any other letter.
std::string_view SuitGenitive(char suit);
std::string_view SuitNominative(char suit);

// "Туз червей", "Шестёрка пик"; the card back reads as a face-down card; an
// empty box, or any name that is not a card, as nothing.
std::string CardWords(std::string_view picture);

// "1 карту", "3 карты", "5 карт": a number and the noun after it in the
// Russian plural.
std::string Counted(int n, std::string_view one, std::string_view few, std::string_view many);
// A card's words inside a sentence: "туз червей".
std::string LowerFirst(std::string card);

// "Игрок 3 берёт пять карт", "Взятку берёт игрок 2",
// "Игрок 3: -24, вурп без двух взяток". A card another seat throws away is
// not named: nobody at the table sees it.
std::string Sentence(const GameEvent &event);

// Whether the event is a move of a computer seat, which the window shows
// after a pause, one after another.
bool IsComputerMove(const GameEvent &event);

} // namespace vurp
