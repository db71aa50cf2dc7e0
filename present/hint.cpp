#include "hint.h"

#include <array>

#include "cards.h"
#include "computer_decisions.h"
#include "computer_play.h"
#include "controls.h"
#include "event_sentences.h"
#include "hand_queries.h"
#include "why_not.h"

namespace vurp {

namespace {

std::string Trumps(int n) {
    return Counted(n, "козырь", "козыря", "козырей");
}

std::string Card(const std::string &code) {
    return LowerFirst(CardWords(code));
}

// "Сбросьте даму пик": a card as the object of a verb.
std::string CardAccusative(const std::string &code) {
    static constexpr std::array<std::string_view, 9> kRanks = {
        "шестёрку", "семёрку", "восьмёрку", "девятку", "десятку",
        "валета",   "даму",    "короля",    "туза",
    };
    const int rank = RankNumber(code);
    if (rank < 1 || rank > 9 || code.size() < 2) {
        return Card(code);
    }
    return std::string(kRanks[static_cast<std::size_t>(rank - 1)]) + " " +
           std::string(SuitGenitive(code[1]));
}

// "иду за дамами".
std::string GoingFor(int rank) {
    return "иду за " + RankName(RankInstrumentalLiteral, rank);
}

// The box of seat 1's hand that shows `card`; 0 when none does.
int BoxOf(const Table &t, const std::string &card) {
    const std::string &hand = HandOf(t, HumanSeat);
    for (int box = 1; box <= CardCount(hand); ++box) {
        if (!card.empty() && CardAt(hand, box) == card) {
            return box;
        }
    }
    return 0;
}

// "туз козырей", or the trump that counts as the ace once the higher trumps
// have been seen.
std::string TopTrump(const Table &t, char rank, std::string_view name) {
    return Holds(HandOf(t, HumanSeat), std::string(1, rank) + t.Trump)
               ? std::string(name) + " козырей"
               : "козырь, который считается " + std::string(name == "туз" ? "тузом" : "королём");
}

// The draws of the first round and of the second: how often the computer
// says what it said.
constexpr std::string_view kLoneAceOdds =
    "с одним козырем, который считается тузом, компьютер идёт за его рангом в половине случаев";
constexpr std::string_view kLoneTrumpOdds =
    "с одним младшим козырем компьютер берёт пять в двух случаях из пяти";
constexpr std::string_view kNoTrumpOdds =
    "без козырей компьютер берёт пять в трёх случаях из четырёх";

Hint Button(Control control, std::string reason, bool random = false) {
    return Hint{control, {0}, std::move(reason), random};
}

Hint FirstRound(const Table &t, Random &random) {
    const FirstRoundDecision d = DecideFirstRound(t, HumanSeat, random);
    switch (d.rule) {
    case FirstRoundRule::Helicopter:
        return Button(Control::Vert, "Вертолет: из козырей у вас только шестёрка и туз");
    case FirstRoundRule::LoneAcePaired:
        return Button(Control::VurpGo, "Вурп, " + GoingFor(d.rank) +
                                           ": ваш единственный козырь считается тузом, и "
                                           "карта его ранга у вас не одна");
    case FirstRoundRule::LoneAceDraw:
        return d.say == FirstRoundSay::VurpGoingFor
                   ? Button(Control::VurpGo,
                            "Вурп, " + GoingFor(d.rank) + ", наугад: " + std::string(kLoneAceOdds),
                            true)
                   : Button(Control::PasVurp, "Пас вурп, наугад: " + std::string(kLoneAceOdds),
                            true);
    case FirstRoundRule::FourOfAKind:
        return Button(Control::vurp, "Вурп: у вас четыре карты одного ранга");
    case FirstRoundRule::ThreeTrumps:
        return Button(Control::vurp, "Вурп: у вас " + Trumps(d.trumps));
    case FirstRoundRule::PromotedAce:
        return Button(Control::vurp, "Вурп: у вас " + TopTrump(t, '9', "туз") + " и ещё козырь");
    case FirstRoundRule::KingWithSupport:
        return Button(Control::vurp, "Вурп: у вас " + TopTrump(t, '8', "король") +
                                         " и ещё козырь не ниже девятки");
    case FirstRoundRule::Weak:
        break;
    }
    return Button(Control::PasVurp, d.trumps == 0 ? "Пас вурп: у вас нет козырей"
                                                  : "Пас вурп: у вас " + Trumps(d.trumps) +
                                                        ", но ни туза, ни короля козырей");
}

Hint SecondRound(const Table &t, Random &random) {
    const SecondRoundDecision d = DecideSecondRound(t, HumanSeat, random);
    const bool five = d.say == SecondRoundSay::TakeFive;
    const auto draw = [five](std::string_view odds) {
        return Button(five ? Control::five : Control::PasHelp,
                      std::string(five ? "Беру пять" : "Пас помощь") +
                          ", наугад: " + std::string(odds),
                      true);
    };
    switch (d.rule) {
    case SecondRoundRule::Trumps:
        return Button(Control::Help, "Помогу: у вас " + Trumps(d.trumps));
    case SecondRoundRule::FourOfAKind:
        return Button(Control::Help, "Помогу: у вас четыре карты одного ранга");
    case SecondRoundRule::ThreeOfItsRank:
        return Button(Control::HelpGo,
                      "Помогу, " + GoingFor(d.rank) + ": у вас козырь и ещё две карты его ранга");
    case SecondRoundRule::HighTrump:
        return Button(Control::HelpGo, "Помогу, " + GoingFor(d.rank) +
                                           ": ваш единственный козырь считается дамой или старше");
    case SecondRoundRule::LoneTrumpDraw:
        return draw(kLoneTrumpOdds);
    case SecondRoundRule::NoTrumpDraw:
        break;
    }
    return draw(kNoTrumpOdds);
}

// The computer goes for the rank of its trump; without one, the rank the
// player holds most of is the nearest to four.
Hint Rank(const Table &t) {
    if (SuitCount(t, HumanSeat, t.Trump) > 0) {
        const int rank = RankNumber(HighestOfSuit(t, HumanSeat, t.Trump));
        return Hint{Control::GoKats,
                    {rank},
                    "Идите за " + RankName(RankInstrumentalLiteral, rank) +
                        ": компьютер идёт за рангом своего старшего козыря",
                    false};
    }
    int best = 1;
    for (int rank = 1; rank <= 9; ++rank) {
        if (RankCount(t, HumanSeat, rank) >= RankCount(t, HumanSeat, best)) {
            best = rank;
        }
    }
    return Hint{Control::GoKats,
                {best},
                "Идите за " + RankName(RankInstrumentalLiteral, best) + ": их у вас больше всего",
                false};
}

std::optional<Hint> Discard(const Table &t) {
    const DiscardDecision d = DecideDiscard(t, HumanSeat);
    const int box = BoxOf(t, d.card);
    if (box == 0) {
        return std::nullopt;
    }
    std::string why;
    switch (d.rule) {
    case DiscardRule::FourOfAKind:
        why = "остальные четыре карты одного ранга";
        break;
    case DiscardRule::LowSingleton:
        why = "младшая карта, одна в своей масти";
        break;
    case DiscardRule::LowestPlain:
        why = "младшая карта не козырной масти";
        break;
    case DiscardRule::LowestTrump:
        why = "кроме козырей у вас одни тузы";
        break;
    case DiscardRule::LowestNoTrump:
        why = "козырей нет, это младшая карта";
        break;
    }
    return Hint{Control::Pict1, {box}, "Сбросьте " + CardAccusative(d.card) + ": " + why, false};
}

Hint Exchange(const Table &t, const View &view) {
    const ExchangeDecision d = DecideExchange(t, HumanSeat);
    std::vector<int> boxes;
    for (int k = 1; k <= CardCount(d.thrown); ++k) {
        if (const int box = BoxOf(t, CardAt(d.thrown, k)); box != 0) {
            boxes.push_back(box);
        }
    }
    constexpr std::string_view kKept = "компьютер оставляет только козыри и тузы";
    if (boxes.empty()) {
        return Button(Control::Change, "Нажмите «" + Trim(view.Text(Control::Change, 0)) +
                                           "»: " + std::string(kKept));
    }
    std::string what = boxes.size() == 1
                           ? CardAccusative(d.thrown)
                           : Counted(static_cast<int>(boxes.size()), "карту", "карты", "карт");
    return Hint{Control::Pict1, boxes, "Сбросьте " + what + ": " + std::string(kKept), false};
}

std::optional<Hint> Play(const Table &t) {
    const int slot = t.PlayMode;
    const CardChoice choice = ChooseCard(t, HumanSeat, slot);
    const int box = BoxOf(t, choice.card);
    if (box == 0) {
        return std::nullopt;
    }
    std::string why;
    if (TrickOf(slot) == 4) {
        why = "это ваша последняя карта";
    } else if (PositionOf(slot) == 1) {
        why = SuitOf(choice.card) == t.Trump ? "старший из ваших козырей"
                                             : "старшая из ваших карт этой масти";
    } else if (choice.wins) {
        why = "так взятка пока ваша";
    } else {
        why = "взятку не взять, отдайте младшую карту";
    }
    return Hint{Control::Pict1, {box}, "Ходите: " + Card(choice.card) + ", " + why, false};
}

} // namespace

std::optional<Hint> SuggestMove(const Table &t, const View &view, Random &random) {
    const bool choosingCard = AnyPressable(view, Control::Pict1);
    if (choosingCard && t.PlayPhase) {
        return Play(t);
    }
    if (AnyPressable(view, Control::GoKats)) {
        return Rank(t);
    }
    if (choosingCard && DiscardDue(t.Status[HumanSeat])) {
        return Discard(t);
    }
    if (Pressable(view, Control::Change) && ExchangeDue(t.Status[HumanSeat])) {
        return Exchange(t, view);
    }
    if (Pressable(view, Control::vurp) || Pressable(view, Control::PasVurp)) {
        return FirstRound(t, random);
    }
    if (Pressable(view, Control::Help) || Pressable(view, Control::PasHelp)) {
        return SecondRound(t, random);
    }
    if (Pressable(view, Control::Sled)) {
        return Button(Control::Sled, "Нажмите «Дальше»: игра идёт своим чередом");
    }
    if (Pressable(view, Control::Razd)) {
        return Button(Control::Razd, "Нажмите «Раздать»: начнётся новая сдача");
    }
    return std::nullopt;
}

} // namespace vurp
