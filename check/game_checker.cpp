#include "game_checker.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <exception>
#include <functional>
#include <sstream>
#include <string_view>
#include <utility>

#include "cards.h"
#include "controls.h"
#include "game.h"
#include "json.h"
#include "money.h"
#include "script.h"
#include "shuffle_draws.h"
#include "utf8.h"

namespace vurp::check {

namespace {

// Accepted presses of game controls between two shuffles: a deal, even one
// that goes through every candidate and every step, needs far fewer.
constexpr int kPressesPerShuffle = 100;
// Events between two runs of the script through the replay driver's code.
constexpr long long kEventsPerReplay = 256;

std::string SeatName(int seat) {
    return "seat " + std::to_string(seat);
}

// 0..35 for a card code, -1 for anything else.
int CardNumber(std::string_view code) {
    if (!IsCardCode(code)) {
        return -1;
    }
    return static_cast<int>(SuitLetters.find(code[1])) * 9 + (code[0] - '1');
}

// The cards of a hand, which is codes followed by at most one blank
// position, at most five positions in all; nothing for any other string.
struct HandCards {
    std::array<std::string_view, 5> cards;
    int count = 0;
    auto begin() const { return cards.begin(); }
    auto end() const { return cards.begin() + count; }
};
std::optional<HandCards> CardsOfHand(std::string_view hand) {
    if (hand.size() % 2 != 0 || hand.size() > 10) {
        return std::nullopt;
    }
    HandCards held;
    for (std::size_t p = 0; p < hand.size(); p += 2) {
        const std::string_view position = hand.substr(p, 2);
        if (position == "  " && p + 2 == hand.size()) {
            break;
        }
        if (CardNumber(position) < 0) {
            return std::nullopt;
        }
        held.cards[static_cast<std::size_t>(held.count++)] = position;
    }
    return held;
}

// The places of the cards in a pack: card k (1..36) by its number and the
// number of card k; 0 and -1 for what the pack does not hold.
struct PackPlaces {
    std::array<int, 36> of{};
    std::array<int, 37> card{};
};
PackPlaces PlacesIn(std::string_view deck) {
    PackPlaces places;
    places.card.fill(-1);
    for (int k = 1; k <= 36 && 2 * static_cast<std::size_t>(k) <= deck.size(); ++k) {
        const int n = CardNumber(deck.substr(2 * static_cast<std::size_t>(k - 1), 2));
        if (n >= 0) {
            places.of[static_cast<std::size_t>(n)] = k;
            places.card[static_cast<std::size_t>(k)] = n;
        }
    }
    return places;
}

// A set of cards, one bit for each card number.
using CardSet = std::uint64_t;
CardSet SetOf(int n) {
    return n < 0 ? 0 : CardSet{1} << n;
}
CardSet HandSet(std::string_view hand) {
    CardSet set = 0;
    for (const std::string_view card : CardsOfHand(hand).value_or(HandCards{})) {
        set |= SetOf(CardNumber(card));
    }
    return set;
}

// The checks of the same names on a pack whose places are known.
Problem StockProblem(const PackPlaces &pack, const Table &start, const Table &t, int drawnThisDeal,
                     int unseen, const std::vector<Play> &playedThisEvent);
Problem HandOrderProblem(const PackPlaces &pack, const Table &t);

int CardsHeld(std::string_view hand) {
    const auto held = CardsOfHand(hand);
    return held ? held->count : 0;
}

// The rank (1..9) held four times, or 0.
int FourOfAKind(std::string_view hand) {
    const auto held = CardsOfHand(hand).value_or(HandCards{});
    for (char rank = '1'; rank <= '9'; ++rank) {
        if (std::count_if(held.begin(), held.end(),
                          [rank](std::string_view card) { return card[0] == rank; }) == 4) {
            return rank - '0';
        }
    }
    return 0;
}

// Places a card can be in, to name both places of a card held twice.
constexpr int kNowhere = 0;
constexpr int kTurned = 4;
constexpr int kPlayed = 10; // plus the seat that played it
std::string PlaceName(int place) {
    if (place == kTurned) {
        return "the turned card";
    }
    return place > kPlayed ? "the cards " + SeatName(place - kPlayed) + " played"
                           : SeatName(place) + "'s hand";
}

// Whether the window handles a click on the element: the game's controls and
// the two panel buttons; a click on any other does nothing.
bool HasClickHandler(Control control, int index) {
    const auto &game = GameControls();
    return control == Control::Pravila || control == Control::Game ||
           std::find(game.begin(), game.end(), std::pair{control, index}) != game.end();
}

// Whether a hand or the cards played hold a card of `suit`.
bool HoldsSuit(std::string_view holding, std::string_view suit) {
    for (std::size_t p = 1; p < holding.size(); p += 2) {
        if (holding.substr(p, 1) == suit) {
            return true;
        }
    }
    return false;
}

// Stakes as a player might type them: not numbers, half numbers, signs,
// blanks, exponents, too long for the box, not even Latin.
const std::vector<std::string> kOddStakes = {
    "-5", "abc",      "0,5",      " 0",    "0.0001",  "1e3",      "9999999", "😀",
    "",   "4",        "12",       "2.5",   "5",       ".5",       "-0",      "1e-3",
    "+8", "\t3",      "1 2",      "00004", "4.00005", "0.00005",  "3e",      "--5",
    "٣",  "12345678", "😀😀😀😀😀😀😀😀", "4abc",  "1e2e3",   "-0.00015", "7.",      "0x10",
};
// Stakes so large that a few failed deals bring the bank near the currency's
// limit; only some games type them.
const std::vector<std::string> kHugeStakes = {"4e12", "-4e12"};

// Draws that sit on the thresholds of the computer seats' decisions, and the
// largest texts below 1.
const std::vector<std::string> kBoundaryDraws = {
    "0",   "0.25",         "0.3999999999", "0.4",          "0.4999999999",
    "0.5", "0.7499999999", "0.75",         "0.9999999999", "0.99999999999999999999",
};

// The player's own dice: SplitMix64, apart from the game's random numbers.
class Dice {
public:
    explicit Dice(std::uint64_t seed) : state_(seed ^ 0x5DEECE66DULL) {}
    std::uint64_t Next() {
        state_ += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
    bool OneIn(std::size_t n) { return Below(n) == 0; }
    template <typename T> const T &Pick(const std::vector<T> &items) {
        return items[Below(items.size())];
    }
    template <typename T> void Shuffle(std::vector<T> &items) {
        for (std::size_t i = items.size(); i > 1; --i) {
            std::swap(items[i - 1], items[Below(i)]);
        }
    }

private:
    std::uint64_t state_;
};

std::vector<std::string> Pack() {
    std::vector<std::string> cards;
    for (int k = 1; k <= 36; ++k) {
        cards.push_back(CardAt(DeckLiteral, k));
    }
    return cards;
}

// A deck with `hand` in the block of `seat`, `turned` (when given) as card
// 13, and the other cards in random order around them.
std::string DeckWith(Dice &dice, int seat, std::vector<std::string> hand,
                     const std::string &turned) {
    dice.Shuffle(hand);
    std::vector<std::string> rest;
    for (const std::string &card : Pack()) {
        if (card != turned && std::find(hand.begin(), hand.end(), card) == hand.end()) {
            rest.push_back(card);
        }
    }
    dice.Shuffle(rest);
    std::string deck;
    std::size_t h = 0;
    std::size_t r = 0;
    for (int k = 1; k <= 36; ++k) {
        if (k > 4 * (seat - 1) && k <= 4 * seat) {
            deck += hand[h++];
        } else if (k == 13 && !turned.empty()) {
            deck += turned;
        } else {
            deck += rest[r++];
        }
    }
    return deck;
}

// Four cards of one rank for one seat.
std::string FourOfAKindDeck(Dice &dice, int seat) {
    const char rank = static_cast<char>('1' + dice.Below(9));
    std::vector<std::string> hand;
    for (char suit : SuitLetters) {
        hand.push_back(std::string{rank, suit});
    }
    return DeckWith(dice, seat, hand, "");
}

// The six and the ace of trumps and no other trump for one seat: the hand
// that may say "Вертолет".
std::string HelicopterDeck(Dice &dice, int seat) {
    const char trump = SuitLetters[dice.Below(SuitLetters.size())];
    std::vector<std::string> plain;
    for (const std::string &card : Pack()) {
        if (card[1] != trump) {
            plain.push_back(card);
        }
    }
    dice.Shuffle(plain);
    std::vector<std::string> hand = {std::string{'1', trump}, std::string{'9', trump}, plain[0],
                                     plain[1]};
    const std::string turned{static_cast<char>('2' + dice.Below(7)), trump};
    return DeckWith(dice, seat, hand, turned);
}

// The shortest decimal text of a draw that reads back as the same number.
std::string DrawText(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

// Where two outputs of the driver first differ, briefly.
std::string FirstDifference(const std::string &expected, const std::string &actual) {
    const auto mismatch =
        std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    const std::size_t at = static_cast<std::size_t>(mismatch.first - expected.begin());
    const std::size_t line = static_cast<std::size_t>(
        std::count(expected.begin(), expected.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
    const auto around = [at](const std::string &text) {
        const std::size_t from = at > 60 ? at - 60 : 0;
        return JsonString(
            Utf8Prefix(std::string_view(text).substr(std::min(from, text.size())), 160));
    };
    return "output line " + std::to_string(line + 1) + " differs at byte " + std::to_string(at) +
           ": the game shows " + around(expected) + ", the driver printed " + around(actual);
}

// A view that records like the driver's and reports what the checker follows
// from inside a click: every card put on a trick (each play shows its card in
// the trick box Hod(seat)) and every emptying of the bank by a settlement
// (the plain literal "0"), with the bank it shared out.
class WatchedView final : public View {
public:
    using PlayHook = std::function<void(int seat, const std::string &card)>;
    using BankHook = std::function<void(const std::string &sharedOut)>;
    WatchedView(PlayHook onPlay, BankHook onBankEmptied)
        : onPlay_(std::move(onPlay)), onBankEmptied_(std::move(onBankEmptied)) {}

    const RecordingView &Recording() const { return recording_; }

    std::string Text(Control c, int i) const override { return recording_.Text(c, i); }
    void SetText(Control c, int i, const std::string &text) override {
        if (c == Control::bank && text == "0") {
            onBankEmptied_(recording_.Text(c, i));
        }
        recording_.SetText(c, i, text);
    }
    bool Visible(Control c, int i) const override { return recording_.Visible(c, i); }
    void SetVisible(Control c, int i, bool visible) override {
        recording_.SetVisible(c, i, visible);
    }
    bool Enabled(Control c, int i) const override { return recording_.Enabled(c, i); }
    void SetEnabled(Control c, int i, bool enabled) override {
        recording_.SetEnabled(c, i, enabled);
    }
    void SetPicture(Control c, int i, const std::string &name) override {
        recording_.SetPicture(c, i, name);
        if (c == Control::Hod) {
            onPlay_(i, name);
        }
    }
    void SetBackColor(Control c, int i, Colour colour) override {
        recording_.SetBackColor(c, i, colour);
    }
    void SetForeColor(Control c, int i, Colour colour) override {
        recording_.SetForeColor(c, i, colour);
    }

private:
    RecordingView recording_;
    PlayHook onPlay_;
    BankHook onBankEmptied_;
};

// Everything a click may change, to compare with afterwards.
struct Frozen {
    Table table;
    RecordingView view;
    ScriptedRandom random;
};

// The random source drawn from in the same way: the same queue, the same
// state behind it.
bool SameDraws(ScriptedRandom a, ScriptedRandom b) {
    if (a.Queued() != b.Queued()) {
        return false;
    }
    for (std::size_t n = a.Queued() + 1; n > 0; --n) {
        if (a.Next() != b.Next()) {
            return false;
        }
    }
    return true;
}

class GameChecker {
public:
    explicit GameChecker(std::uint64_t seed)
        : seed_(seed), dice_(seed),
          view_([this](int seat, const std::string &card) { OnPlay(seat, card); },
                [this](const std::string &sharedOut) { OnBankEmptied(sharedOut); }),
          game_(view_, random_), twinGame_(twinView_, twinRandom_) {
        game_.Form_Load();
        twinGame_.Form_Load();
        hugeStakes_ = dice_.OneIn(8);
    }

    GameReport Run(long long events) {
        report_.seed = seed_;
        Write("# vurp-check, seed " + std::to_string(seed_));
        Write("seed " + std::to_string(seed_));
        random_.Seed(seed_);
        while (report_.events < events && report_.failure.empty()) {
            Event();
        }
        if (report_.failure.empty()) {
            Replay();
        }
        if (!report_.failure.empty()) {
            report_.script = script_ + "dump\n";
        }
        return report_;
    }

private:
    // One click or typed stake, and every check after it.
    void Event() {
        const Table before = game_;
        const bool razdWasEnabled = Window().Enabled(Control::Razd, 0);
        if (moneyCounted_ && NearCurrencyLimit(Window(), game_.Stake)) {
            moneyCounted_ = false;
            report_.moneyUncheckedFrom = report_.events;
        }
        if (!before.PlayPhase) {
            ForgetTrickPlay();
        }
        playsBefore_ = dealPlays_.size();
        dealt_ = false;
        settled_ = false;
        goingForResolved_ = false;
        ++report_.events;
        ++unreplayed_;

        const std::size_t roll = dice_.Below(100);
        if (roll < 2) {
            TypeStake();
        } else if (roll < 8) {
            const auto &[control, index] = dice_.Pick(AllElements());
            Click(control, index);
        } else {
            Press();
        }
        if (!report_.failure.empty()) {
            return;
        }
        CheckEvent(before, razdWasEnabled);
        if (report_.failure.empty() && dice_.OneIn(128)) {
            Dump();
        }
        if (report_.failure.empty() && unreplayed_ >= kEventsPerReplay) {
            Replay();
        }
    }

    // A press of one of the controls that can be pressed now.
    void Press() {
        std::vector<std::pair<Control, int>> open;
        for (const auto &[control, index] : GameControls()) {
            if (Window().Visible(control, index) && Window().Enabled(control, index)) {
                open.emplace_back(control, index);
            }
        }
        if (open.empty()) {
            Fail("nothing can be pressed");
            return;
        }
        const auto [control, index] = dice_.Pick(open);
        if (control == Control::Razd && random_.Queued() == 0 && dice_.OneIn(4)) {
            ArrangeRareDeck();
        } else if (!game_.PlayPhase && !Window().Enabled(Control::Razd, 0) && dice_.OneIn(25)) {
            QueueBoundaryDraws();
        }
        Click(control, index);
    }

    // The next shuffle deals four of a kind or the helicopter hand to a seat.
    void ArrangeRareDeck() {
        const int seat = static_cast<int>(1 + dice_.Below(3));
        const bool four = dice_.OneIn(2);
        const std::string deck = four ? FourOfAKindDeck(dice_, seat) : HelicopterDeck(dice_, seat);
        Write(std::string("# ") + (four ? "four of a kind" : "the helicopter hand") + " for " +
              SeatName(seat) + ": " + deck);
        for (const double draw : ShuffleDrawsFor(deck)) {
            Rand(DrawText(draw));
        }
        ++report_.rareDecks;
    }

    void QueueBoundaryDraws() {
        for (std::size_t n = 1 + dice_.Below(3); n > 0; --n) {
            Rand(dice_.Pick(kBoundaryDraws));
        }
    }

    // The human types into the stake box, as the driver does it: the box
    // keeps 7 characters, and only a change of the text is an event.
    void TypeStake() {
        const std::string &text =
            hugeStakes_ && dice_.OneIn(6) ? dice_.Pick(kHugeStakes) : dice_.Pick(kOddStakes);
        Write("type Stavk " + text);
        ++report_.typed;
        const std::string typed =
            Utf8Prefix(text, static_cast<std::size_t>(DesignOf(Control::Stavk).maxLength));
        if (typed == Window().Text(Control::Stavk, 0)) {
            return;
        }
        view_.SetText(Control::Stavk, 0, typed);
        try {
            game_.TextChanged(Control::Stavk);
        } catch (const std::exception &failure) {
            Fail(std::string("the game threw: ") + failure.what());
        }
    }

    // A click, delivered or not. A click that is refused, or that reaches a
    // control without a handler, must change nothing at all; a panel button
    // changes its panel and nothing else.
    void Click(Control control, int index) {
        const std::string line =
            "click " + DesignOf(control).name + (index > 0 ? " " + std::to_string(index) : "");
        Write(line);
        const bool open = Window().Visible(control, index) && Window().Enabled(control, index);
        const bool panel = control == Control::Pravila || control == Control::Game;
        const bool resolves = control == Control::Sled && !game_.PlayPhase;
        std::optional<Frozen> frozen;
        if (!open || !HasClickHandler(control, index) || panel) {
            frozen.emplace(Frozen{game_, Window(), random_});
        }
        bool delivered = false;
        try {
            delivered = game_.Click(control, index);
        } catch (const std::exception &failure) {
            Fail(std::string("the game threw: ") + failure.what());
            return;
        }
        if (!delivered) {
            ++report_.refused;
            expected_ += "{\"refused\":" + JsonString(line) + "}\n";
        }
        if (delivered != open) {
            Fail(open ? "a click on a visible, enabled control was refused"
                      : "a click on a hidden or disabled control was delivered");
            return;
        }
        if (frozen) {
            if (panel) {
                const Control text =
                    control == Control::Pravila ? Control::TextPravila : Control::TextGame;
                frozen->view.SetVisible(text, 0, !frozen->view.Visible(text, 0));
            }
            Problem problem = CompareTables(frozen->table, game_);
            if (!problem) {
                problem = CompareViews(frozen->view, Window());
            }
            if (!problem && !SameDraws(frozen->random, random_)) {
                problem = "the random numbers were drawn from";
            }
            if (problem) {
                Fail(std::string(delivered ? "a click that must do nothing" : "a refused click") +
                     " changed the table: " + *problem);
                return;
            }
        }
        if (delivered && control == Control::Razd) {
            dealt_ = true;
        }
        goingForResolved_ = delivered && resolves;
        if (delivered && std::find(GameControls().begin(), GameControls().end(),
                                   std::pair{control, index}) != GameControls().end()) {
            ++pressesSinceShuffle_;
        }
    }

    void CheckEvent(const Table &before, bool razdWasEnabled) {
        const Table &t = game_;
        if (before.Deck != t.Deck) {
            dealt_ = true;
        }
        if (dealt_) {
            ++report_.shuffles;
            pressesSinceShuffle_ = 0;
        }
        if (TrickComplete() && Trim(t.TrickBest).empty()) {
            CloseTrick();
        }
        if (!report_.failure.empty()) {
            return;
        }
        report_.maxDeckPos = std::max(report_.maxDeckPos, t.DeckPos);
        Problem problem = CheckRanges(t);
        if (!problem) {
            problem = CheckCards(t, dealPlays_);
        }
        if (!problem) {
            problem = CheckDeckPos(before.DeckPos, t.DeckPos, dealt_);
        }
        if (!problem) {
            problem = CheckHandSizes(t, dealPlays_);
        }
        if (!problem) {
            problem =
                CheckMoney(Window(), moneyCounted_ ? std::optional(moneyTotal_) : std::nullopt);
        }
        if (!problem) {
            problem = CheckSomethingPressable(Window());
        }
        if (!problem) {
            problem = CheckTrickCount();
        }
        if (!problem && (settled_ || (!razdWasEnabled && Window().Enabled(Control::Razd, 0)))) {
            problem = settled_ ? CheckSettledDeal(t, counted_, !dealPlays_.empty())
                               : "a deal ended without its bank shared out";
        }
        if (!problem && settled_ && moneyCounted_) {
            problem = CheckSettlement(t, purse_, Window());
        }
        if (!problem && !t.Deck.empty()) {
            problem = CheckDraws(before);
        }
        if (!problem) {
            problem = HandOrderProblem(Pack(), t);
        }
        if (!problem && pressesSinceShuffle_ > kPressesPerShuffle) {
            problem = std::to_string(pressesSinceShuffle_) +
                      " presses since the last shuffle and no deal has ended";
        }
        if (problem) {
            Fail(*problem);
        }
    }

    // The cards this event took from the stock, against the rules' count of
    // them. An event that dealt starts from the fresh deal: no card is drawn
    // before the declarations.
    Problem CheckDraws(const Table &before) {
        std::optional<Table> fresh;
        if (dealt_) {
            fresh = FreshDeal(game_);
            drawnThisDeal_ = 0;
        }
        const Table &start = fresh ? *fresh : before;
        const std::vector<Play> played(
            dealPlays_.begin() + static_cast<std::ptrdiff_t>(playsBefore_), dealPlays_.end());
        const StockDraws draws = DrawsOf(start, game_, goingForResolved_ && !dealt_, played);
        drawnThisDeal_ += draws.cards;
        return StockProblem(Pack(), start, game_, drawnThisDeal_, draws.unseen, played);
    }

    // The places of the cards of this deal's pack.
    const PackPlaces &Pack() {
        if (packDeck_ != game_.Deck) {
            packDeck_ = game_.Deck;
            pack_ = PlacesIn(packDeck_);
        }
        return pack_;
    }

    // The card winning the trick on the table and every seat's tricks, as
    // the checker counted them card by card.
    Problem CheckTrickCount() const {
        if (!trick_.empty()) {
            const Play &best = TrickWinner(trick_, game_.Trump);
            const std::string expected = best.card + std::to_string(best.seat);
            if (game_.TrickBest != expected) {
                return "TrickBest is " + JsonString(game_.TrickBest) + "; the cards on the trick" +
                       " make it " + JsonString(expected);
            }
        }
        if (!dealPlays_.empty()) {
            for (int s = 1; s <= 3; ++s) {
                if (game_.Tricks[s] != counted_[s]) {
                    return SeatName(s) + " is credited with " + std::to_string(game_.Tricks[s]) +
                           " tricks; it won " + std::to_string(counted_[s]);
                }
            }
        }
        return std::nullopt;
    }

    // Trick play as the checker follows it, from the first card of a deal.
    void ForgetTrickPlay() {
        dealPlays_.clear();
        trick_.clear();
        counted_ = {};
        tricksClosed_ = 0;
        lastWinner_ = 0;
    }

    bool TrickComplete() const {
        int playing = 0;
        for (int s = 1; s <= 3; ++s) {
            playing += game_.Status[s] != Out ? 1 : 0;
        }
        return !trick_.empty() && static_cast<int>(trick_.size()) == playing;
    }

    void CloseTrick() {
        const Play &winner = TrickWinner(trick_, game_.Trump);
        counted_[static_cast<std::size_t>(winner.seat)] += 1;
        lastWinner_ = winner.seat;
        ++tricksClosed_;
        trick_.clear();
    }

    // A card is put on the trick, in the middle of the game's own routine:
    // the hand may or may not have lost it yet.
    void OnPlay(int seat, const std::string &card) {
        if (!report_.failure.empty()) {
            return;
        }
        if (TrickComplete()) {
            CloseTrick(); // collected earlier in this event
        }
        const std::string hand = Trim(game_.Hands[static_cast<std::size_t>(seat)]);
        Play play{seat, card, hand.find(card) == std::string::npos ? hand + card : hand};
        const int trick = tricksClosed_ + 1;
        const int expected = trick_.empty()
                                 ? (tricksClosed_ == 0 ? FirstLeaderOf(game_) : lastWinner_)
                                 : NextPlayingSeat(game_, trick_.back().seat);
        Problem problem;
        if (CardNumber(card) < 0) {
            problem = SeatName(seat) + " put " + JsonString(card) + ", not a card, on a trick";
        } else if (trick > 4) {
            problem = SeatName(seat) + " put " + card + " on a fifth trick";
        } else if (seat != expected) {
            problem = SeatName(seat) + " put " + card + " on trick " + std::to_string(trick) +
                      " where " + SeatName(expected) + " was to play";
        } else if (!trick_.empty()) {
            problem = CheckFollowsSuit(play, SuitOf(trick_.front().card), game_.Trump);
        }
        if (problem) {
            Fail(*problem);
            return;
        }
        trick_.push_back(play);
        dealPlays_.push_back(std::move(play));
        ++report_.plays;
    }

    // Settlement shares out the bank rounded to a whole number: the rounding
    // is the only money that appears or vanishes.
    void OnBankEmptied(const std::string &sharedOut) {
        settled_ = true;
        const Currency bank = ReadCurrency(sharedOut);
        purse_.bank = bank;
        for (int s = 1; s <= 3; ++s) {
            purse_.balances[static_cast<std::size_t>(s)] =
                ReadCurrency(Window().Text(Control::Money, s));
        }
        moneyTotal_ = moneyTotal_ + (bank.RoundedWhole() - bank);
    }

    // The script, and what the driver must print for it.
    void Write(const std::string &line) {
        script_ += line + '\n';
        pending_ += line + '\n';
    }

    void Rand(const std::string &text) {
        Write("rand " + text);
        double value = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
        random_.Push(value);
    }

    void Dump() {
        Write("dump");
        expected_ += Snapshot(game_, Window()) + '\n';
    }

    // The lines written since the last run go through the replay driver's
    // code, on a game of its own that has run every earlier line: it must
    // print exactly what this game shows.
    void Replay() {
        Dump();
        std::istringstream in(pending_);
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunScript(in, out, err, twinGame_, twinView_, twinRandom_);
        if (status != kReplayDone) {
            Fail("the replay driver stopped: " + err.str());
        } else if (out.str() != expected_) {
            Fail("the replay of the script differs from the game: " +
                 FirstDifference(expected_, out.str()));
        } else {
            report_.replayed += unreplayed_;
        }
        pending_.clear();
        expected_.clear();
        unreplayed_ = 0;
    }

    void Fail(const std::string &what) {
        if (report_.failure.empty()) {
            report_.failure = "event " + std::to_string(report_.events) + ": " + what;
        }
    }

    const RecordingView &Window() const { return view_.Recording(); }

    std::uint64_t seed_;
    Dice dice_;
    WatchedView view_;
    ScriptedRandom random_;
    Game game_;
    // The same game run by the replay driver's code from the script.
    RecordingView twinView_;
    ScriptedRandom twinRandom_;
    Game twinGame_;

    bool hugeStakes_ = false;
    bool moneyCounted_ = true;
    Currency moneyTotal_;           // what the balances and the bank must add up to
    bool dealt_ = false;            // this event shuffled
    bool settled_ = false;          // this event settled a deal
    Purse purse_;                   // the money as the settlement found it
    bool goingForResolved_ = false; // this event settled a going-for declaration
    int drawnThisDeal_ = 0;         // cards drawn from the stock, by the rules
    std::string packDeck_;          // the deck whose places pack_ holds
    PackPlaces pack_;
    int pressesSinceShuffle_ = 0;

    std::string script_;   // every line so far
    std::string pending_;  // lines the driver has not run yet
    std::string expected_; // what it must print for them
    long long unreplayed_ = 0;

    std::vector<Play> dealPlays_; // every card put on a trick in this deal
    std::size_t playsBefore_ = 0; // of them, those put before this event
    std::vector<Play> trick_;     // the trick on the table
    std::array<int, 4> counted_{};
    int tricksClosed_ = 0;
    int lastWinner_ = 0;

    GameReport report_;
};

} // namespace

Problem CheckRanges(const Table &t) {
    if (t.Dealer < 1 || t.Dealer > 3) {
        return "Dealer is " + std::to_string(t.Dealer);
    }
    if (t.Deck.empty()) {
        return std::nullopt;
    }
    if (t.CurSeat < 1 || t.CurSeat > 3) {
        return "CurSeat is " + std::to_string(t.CurSeat);
    }
    int tricks = 0;
    int declarers = 0;
    for (int s = 1; s <= 3; ++s) {
        const int status = StatusNumber(t.Status[s]);
        if (status < StatusNumber(Silent) || status > StatusNumber(Out)) {
            return SeatName(s) + " has status " + std::to_string(status);
        }
        if (t.Tricks[s] < 0 || t.Tricks[s] > 4) {
            return SeatName(s) + " has " + std::to_string(t.Tricks[s]) + " tricks";
        }
        tricks += t.Tricks[s];
        declarers += t.Status[s] == DeclarerReady ? 1 : 0;
    }
    if (tricks > 4) {
        return std::to_string(tricks) + " tricks in one deal";
    }
    if (t.PlayMode < 0 || t.PlayMode > 12) {
        return "PlayMode is " + std::to_string(t.PlayMode);
    }
    if (t.PlayPhase) {
        if (declarers != 1) {
            return "trick play with " + std::to_string(declarers) + " declarers";
        }
        for (int s = 1; s <= 3; ++s) {
            // Every seat has its final hand, or is out.
            const int status = StatusNumber(t.Status[s]);
            if (status < StatusNumber(SupporterGoingFor)) {
                return "trick play while " + SeatName(s) + " has status " + std::to_string(status);
            }
        }
    }
    return std::nullopt;
}

Problem CheckCards(const Table &t, const std::vector<Play> &playedThisDeal) {
    if (t.Deck.empty()) {
        for (int s = 1; s <= 3; ++s) {
            if (!t.Hands[s].empty()) {
                return SeatName(s) + " holds " + JsonString(t.Hands[s]) + " before any deal";
            }
        }
        return std::nullopt;
    }
    if (t.Deck.size() != 72) {
        return "the deck is " + JsonString(t.Deck) + ", not 36 cards";
    }
    std::array<int, 36> deckIndex{}; // card k of the deck, 0 when absent
    for (int k = 1; k <= 36; ++k) {
        const std::string_view card = std::string_view(t.Deck).substr(2 * (k - 1), 2);
        const int n = CardNumber(card);
        if (n < 0) {
            return "card " + std::to_string(k) + " of the deck is " + JsonString(card);
        }
        if (deckIndex[static_cast<std::size_t>(n)] != 0) {
            return std::string(card) + " is twice in the deck";
        }
        deckIndex[static_cast<std::size_t>(n)] = k;
    }

    const int turnedNumber = CardNumber(t.TurnedCard);
    if (turnedNumber < 0) {
        return "the turned card is " + JsonString(t.TurnedCard);
    }
    const int turned = deckIndex[static_cast<std::size_t>(turnedNumber)];
    if (turned < 13 || turned > 15 || t.DeckPos <= turned) {
        return "the turned card " + t.TurnedCard + " is card " + std::to_string(turned) +
               " of the deck with DeckPos " + std::to_string(t.DeckPos);
    }
    if (t.Trump != SuitOf(t.TurnedCard)) {
        return "the trump is " + JsonString(t.Trump) + " under the turned card " + t.TurnedCard;
    }

    std::array<int, 36> seen{}; // where each card is, to find a card in two places
    const auto place = [&seen](int n, int where) -> Problem {
        int &first = seen[static_cast<std::size_t>(n)];
        if (first != kNowhere) {
            return CardAt(DeckLiteral, n + 1) + " is in " + PlaceName(first) + " and in " +
                   PlaceName(where);
        }
        first = where;
        return std::nullopt;
    };
    if (Problem problem = place(turnedNumber, kTurned)) {
        return problem;
    }
    for (int s = 1; s <= 3; ++s) {
        const auto held = CardsOfHand(t.Hands[s]);
        if (!held) {
            return SeatName(s) + "'s hand " + JsonString(t.Hands[s]) +
                   " is not cards followed by at most one blank position";
        }
        for (const std::string_view card : *held) {
            const int n = CardNumber(card);
            // Dealt (cards 1-12) or drawn: draws start two cards after the
            // turned card, the next candidate lying between.
            const int k = deckIndex[static_cast<std::size_t>(n)];
            if (k > 12 && (k < turned + 2 || k > t.DeckPos)) {
                return SeatName(s) + " holds " + std::string(card) + ", card " + std::to_string(k) +
                       " of the deck, which was neither dealt nor drawn" + " (DeckPos " +
                       std::to_string(t.DeckPos) + ")";
            }
            if (Problem problem = place(n, s)) {
                return problem;
            }
        }
    }
    for (const Play &play : playedThisDeal) {
        const int n = CardNumber(play.card);
        if (n < 0) {
            return SeatName(play.seat) + " played " + JsonString(play.card) + ", not a card";
        }
        if (Problem problem = place(n, kPlayed + play.seat)) {
            return problem;
        }
        if (std::find(t.Played.begin() + 1, t.Played.end(), play.card) == t.Played.end()) {
            return play.card + " was played but is in no slot of Played";
        }
    }
    return std::nullopt;
}

Problem CheckDeckPos(int before, int after, bool newDeal) {
    if (after > 36) {
        return "DeckPos is " + std::to_string(after) + ", past the 36 cards of the deck";
    }
    if (!newDeal && after < before) {
        return "DeckPos fell from " + std::to_string(before) + " to " + std::to_string(after) +
               " within a deal";
    }
    return std::nullopt;
}

Problem CheckHandSizes(const Table &t, const std::vector<Play> &playedThisDeal) {
    if (!t.PlayPhase) {
        return std::nullopt;
    }
    for (int s = 1; s <= 3; ++s) {
        if (t.Status[s] == Out) {
            continue;
        }
        const auto played = std::count_if(playedThisDeal.begin(), playedThisDeal.end(),
                                          [s](const Play &play) { return play.seat == s; });
        const int held = CardsHeld(t.Hands[s]);
        if (held + played != 4) {
            return SeatName(s) + " holds " + std::to_string(held) + " cards after playing " +
                   std::to_string(played) + " in trick play";
        }
    }
    return std::nullopt;
}

Problem CheckFollowsSuit(const Play &play, const std::string &ledSuit, const std::string &trump) {
    if (CardNumber(play.card) < 0 || play.holding.find(play.card) == std::string::npos) {
        return SeatName(play.seat) + " played " + JsonString(play.card) +
               ", which is not one of its cards " + play.holding;
    }
    const std::string suit = SuitOf(play.card);
    std::string rule;
    if (HoldsSuit(play.holding, ledSuit)) {
        rule = suit == ledSuit ? "" : "it must follow suit";
    } else if (HoldsSuit(play.holding, trump)) {
        rule = suit == trump ? "" : "it has no card of the led suit and must play a trump";
    }
    if (rule.empty()) {
        return std::nullopt;
    }
    return SeatName(play.seat) + " played " + play.card + " from " + play.holding +
           " to a trick led in " + ledSuit + " with trump " + trump + ": " + rule;
}

const Play &TrickWinner(const std::vector<Play> &trick, const std::string &trump) {
    const std::string led = SuitOf(trick.front().card);
    // A trump outranks every other card, a card of the led suit every card
    // of a third suit, which never wins.
    const auto strength = [&](const Play &play) {
        const std::string suit = SuitOf(play.card);
        const int rank = play.card[0] - '0';
        return suit == trump ? 20 + rank : suit == led ? 10 + rank : 0;
    };
    return *std::max_element(trick.begin(), trick.end(), [&](const Play &a, const Play &b) {
        return strength(a) < strength(b);
    });
}

int FirstLeaderOf(const Table &t) {
    int tookFive = 0;
    int lastTookFive = 0;
    int declarer = 0;
    for (int s = 1; s <= 3; ++s) {
        if (t.Status[s] == TookFive) {
            ++tookFive;
            lastTookFive = s;
        }
        if (t.Status[s] == DeclarerReady) {
            declarer = s;
        }
    }
    if (tookFive == 1) {
        return lastTookFive;
    }
    return tookFive == 2 ? declarer % 3 + 1 : declarer;
}

int NextPlayingSeat(const Table &t, int seat) {
    int next = seat % 3 + 1;
    for (int tries = 0; tries < 2 && t.Status[next] == Out; ++tries) {
        next = next % 3 + 1;
    }
    return next;
}

Problem CheckSettledDeal(const Table &t, const std::array<int, 4> &countedTricks,
                         bool cardsPlayed) {
    if (t.PlayPhase) {
        return "the deal was settled during trick play";
    }
    int declarer = 0;
    int total = 0;
    bool contested = false;
    for (int s = 1; s <= 3; ++s) {
        total += t.Tricks[s];
        declarer = t.Status[s] == DeclarerReady ? s : declarer;
        contested = contested || (t.Status[s] != DeclarerReady && t.Status[s] != Out);
    }
    if (total != 4) {
        return "a deal was settled with " + std::to_string(total) + " tricks";
    }
    if (declarer == 0) {
        return "a deal was settled without a declarer";
    }
    if (t.Dealer != declarer) {
        return "the declarer is " + SeatName(declarer) + " but the next dealer is " +
               SeatName(t.Dealer);
    }
    if (cardsPlayed) {
        for (int s = 1; s <= 3; ++s) {
            const int counted = countedTricks[static_cast<std::size_t>(s)];
            if (t.Tricks[s] != counted) {
                return SeatName(s) + " is credited with " + std::to_string(t.Tricks[s]) +
                       " tricks; it won " + std::to_string(counted);
            }
        }
        return std::nullopt;
    }
    // No card was played: nobody played against the declarer, or the
    // highest four of a kind took every trick.
    int taker = contested ? 0 : declarer;
    for (int s = 1, best = 0; contested && s <= 3; ++s) {
        const int rank = FourOfAKind(t.Hands[s]);
        if (rank > best) {
            best = rank;
            taker = s;
        }
    }
    if (taker == 0) {
        return "a contested deal ended without a card played and without four of a kind";
    }
    if (t.Tricks[taker] != 4) {
        return SeatName(taker) + " should take all four tricks without play but has " +
               std::to_string(t.Tricks[taker]);
    }
    return std::nullopt;
}

namespace {

// In ten-thousandths, as the currency holds it.
std::string Amount(std::int64_t raw) {
    return PlainDecimal(Currency::FromRaw(raw));
}

} // namespace

Problem CheckSettlement(const Table &t, const Purse &before, const RecordingView &after) {
    constexpr std::int64_t kUnit = Currency::kScale;
    // The bank as a whole number, a half going to the even neighbour.
    std::int64_t whole = before.bank.Raw() / kUnit;
    const std::int64_t rest = before.bank.Raw() % kUnit; // of the bank's sign
    const bool odd = whole % 2 != 0;
    if (rest > kUnit / 2 || (rest == kUnit / 2 && odd)) {
        ++whole;
    } else if (rest < -kUnit / 2 || (rest == -kUnit / 2 && odd)) {
        --whole;
    }
    std::int64_t bank = 0;
    std::int64_t paid = 0;
    bool failed = false; // a seat paid, if only a bank of 0
    bool inRange = !__builtin_mul_overflow(whole, kUnit, &bank);
    for (int s = 1; s <= 3; ++s) {
        // What the seat undertook, in tricks, and what failing it costs.
        int undertook = 0;
        std::int64_t fine = 0;
        switch (t.Status[s]) {
        case DeclarerReady:
            undertook = 2;
            inRange = inRange && !__builtin_mul_overflow(bank, 2, &fine);
            break;
        case SupporterGoingFor:
        case TookFive:
        case SupporterReady:
            undertook = 1;
            fine = bank;
            break;
        case Out:
            break;
        default:
            return SeatName(s) + " has status " + std::to_string(StatusNumber(t.Status[s])) +
                   " at settlement";
        }
        const int tricks = t.Tricks[s];
        const std::int64_t penalty = tricks < undertook ? fine : 0;
        failed = failed || tricks < undertook;
        // A quarter of a whole bank is exact in ten-thousandths.
        std::int64_t share = 0;
        std::int64_t expected = 0;
        inRange = inRange && !__builtin_mul_overflow(whole * (kUnit / 4), tricks, &share) &&
                  !__builtin_add_overflow(before.balances[static_cast<std::size_t>(s)].Raw(), share,
                                          &expected) &&
                  !__builtin_sub_overflow(expected, penalty, &expected) &&
                  !__builtin_add_overflow(paid, penalty, &paid);
        if (!inRange) {
            return "the settlement of a bank of " + PlainDecimal(before.bank) +
                   " goes beyond the currency";
        }
        const std::string shown = after.Text(Control::Money, s);
        if (ReadCurrency(shown).Raw() != expected) {
            return SeatName(s) + " (status " + std::to_string(StatusNumber(t.Status[s])) + ", " +
                   std::to_string(tricks) + " tricks) shows " + JsonString(shown) +
                   " after the settlement of a bank of " + Amount(bank) + " from " +
                   PlainDecimal(before.balances[static_cast<std::size_t>(s)]) +
                   "; it should have " + Amount(expected);
        }
    }
    const std::string next = after.Text(Control::bank, 0);
    if (failed ? ReadCurrency(next).Raw() != paid || next == "0" : next != "0") {
        return "the bank shows " + JsonString(next) + " after the settlement; " +
               (failed ? "the penalties make " + Amount(paid) : "nobody paid: \"0\"");
    }
    return std::nullopt;
}

StockDraws DrawsOf(const Table &start, const Table &t, bool goingForResolved,
                   const std::vector<Play> &playedThisEvent) {
    StockDraws draws;
    int drawing = 0; // the going-for seat that drew, which then exchanges no cards
    const int seat = start.CurSeat;
    const int rank = start.GoRank;
    if (goingForResolved && seat >= 1 && seat <= 3 && rank >= 1 && rank <= 9 &&
        (start.Status[seat] == DeclarerGoingFor || start.Status[seat] == SupporterGoingFor)) {
        const auto ofRank = [rank](std::string_view card) { return card[0] - '0' == rank; };
        bool heldElsewhere = false;
        int kept = 0;
        for (int s = 1; s <= 3; ++s) {
            const auto held = CardsOfHand(start.Hands[s]).value_or(HandCards{});
            const int n = static_cast<int>(std::count_if(held.begin(), held.end(), ofRank));
            if (s == seat) {
                kept = n;
            } else {
                heldElsewhere = heldElsewhere || n > 0;
            }
        }
        if (!heldElsewhere) {
            drawing = seat;
            draws.cards += 5 - kept;
            draws.unseen += seat != HumanSeat ? 1 : 0;
        }
    }
    const auto ready = [](DeclarationStatus status) {
        return status == DeclarerReady || status == SupporterReady;
    };
    for (int s = 1; s <= 3; ++s) {
        if (t.Status[s] == TookFive && start.Status[s] != TookFive) {
            draws.cards += 5;
            draws.unseen += s != HumanSeat ? 1 : 0;
        } else if (s != drawing && ready(t.Status[s]) && !ready(start.Status[s])) {
            // The exchange brings the hand back to four.
            int kept = 0;
            for (const std::string_view card : CardsOfHand(start.Hands[s]).value_or(HandCards{})) {
                const bool played = std::any_of(
                    playedThisEvent.begin(), playedThisEvent.end(),
                    [&](const Play &play) { return play.seat == s && play.card == card; });
                kept += played || (HandSet(t.Hands[s]) & SetOf(CardNumber(card))) != 0 ? 1 : 0;
            }
            draws.cards += std::max(0, 4 - kept);
        }
    }
    return draws;
}

Problem CheckStock(const Table &start, const Table &t, int drawnThisDeal, int unseen,
                   const std::vector<Play> &playedThisEvent) {
    return StockProblem(PlacesIn(t.Deck), start, t, drawnThisDeal, unseen, playedThisEvent);
}

Problem CheckHandOrder(const Table &t) {
    return HandOrderProblem(PlacesIn(t.Deck), t);
}

namespace {

Problem StockProblem(const PackPlaces &pack, const Table &start, const Table &t, int drawnThisDeal,
                     int unseen, const std::vector<Play> &playedThisEvent) {
    const int turnedNumber = CardNumber(t.TurnedCard);
    const int turned = turnedNumber < 0 ? 0 : pack.of[static_cast<std::size_t>(turnedNumber)];
    if (t.DeckPos != turned + 1 + drawnThisDeal) {
        return "DeckPos is " + std::to_string(t.DeckPos) + " with the turned card at " +
               std::to_string(turned) + " and " + std::to_string(drawnThisDeal) +
               " cards drawn in this deal; it should be " +
               std::to_string(turned + 1 + drawnThisDeal);
    }
    // The cards each seat holds at the end of the event or put on a trick
    // during it; those it did not hold at the start came from the stock.
    std::array<CardSet, 4> reached{};
    for (int s = 1; s <= 3; ++s) {
        reached[static_cast<std::size_t>(s)] = HandSet(t.Hands[s]);
    }
    for (const Play &play : playedThisEvent) {
        if (play.seat >= 1 && play.seat <= 3) {
            reached[static_cast<std::size_t>(play.seat)] |= SetOf(CardNumber(play.card));
        }
    }
    const int from = std::max(start.DeckPos, turned + 1);
    CardSet drawn = 0;
    for (int k = from + 1; k <= t.DeckPos && k <= 36; ++k) {
        drawn |= SetOf(pack.card[static_cast<std::size_t>(k)]);
    }
    CardSet anyHand = 0;
    for (int s = 1; s <= 3; ++s) {
        const CardSet taken = reached[static_cast<std::size_t>(s)] & ~HandSet(start.Hands[s]);
        if (const CardSet stray = taken & ~drawn; stray != 0) {
            const int n = std::countr_zero(stray);
            return SeatName(s) + " took " + CardAt(DeckLiteral, n + 1) + ", card " +
                   std::to_string(pack.of[static_cast<std::size_t>(n)]) +
                   " of the pack, when the cards drawn were " + std::to_string(from + 1) + " to " +
                   std::to_string(t.DeckPos);
        }
        anyHand |= reached[static_cast<std::size_t>(s)];
    }
    if (const CardSet lost = drawn & ~anyHand; std::popcount(lost) > unseen) {
        std::string cards;
        for (int n = 0; n < 36; ++n) {
            cards += (lost & SetOf(n)) != 0 ? " " + CardAt(DeckLiteral, n + 1) : "";
        }
        return "cards drawn from the stock reached no hand:" + cards + " (cards " +
               std::to_string(from + 1) + " to " + std::to_string(t.DeckPos) + " of the pack)";
    }
    return std::nullopt;
}

Problem HandOrderProblem(const PackPlaces &pack, const Table &t) {
    for (int s = 1; s <= 3; ++s) {
        int last = 0;
        for (const std::string_view card : CardsOfHand(t.Hands[s]).value_or(HandCards{})) {
            const int k = pack.of[static_cast<std::size_t>(CardNumber(card))];
            if (k <= last) {
                return SeatName(s) + " holds " + CardAt(t.Deck, last) + " before " +
                       std::string(card) + ", which left the pack first: " + JsonString(t.Hands[s]);
            }
            last = k;
        }
    }
    return std::nullopt;
}

} // namespace

Table FreshDeal(const Table &t) {
    Table dealt = t;
    if (t.Deck.size() != 72) {
        return dealt;
    }
    for (int s = 1; s <= 3; ++s) {
        dealt.Hands[s] = t.Deck.substr(8 * static_cast<std::size_t>(s - 1), 8) + "  ";
        dealt.Status[s] = Silent;
        dealt.Tricks[s] = 0;
    }
    dealt.TurnedCard = CardAt(t.Deck, 13);
    dealt.DeckPos = 14;
    dealt.PlayPhase = false;
    return dealt;
}

namespace {

// The balances and the bank.
constexpr std::pair<Control, int> kMoneyBoxes[] = {
    {Control::Money, 1}, {Control::Money, 2}, {Control::Money, 3}, {Control::bank, 0}};

} // namespace

bool NearCurrencyLimit(const RecordingView &view, Currency stake) {
    // One event adds or doubles a few amounts: amounts below a sixteenth of
    // the limit stay well inside it.
    constexpr std::int64_t kHeadroom = INT64_MAX / 16; // above 5e14
    const auto near = [](Currency amount, std::int64_t limit) {
        return amount.Raw() >= limit || amount.Raw() <= -limit;
    };
    return near(stake, kHeadroom / 3) ||
           std::any_of(std::begin(kMoneyBoxes), std::end(kMoneyBoxes), [&](const auto &box) {
               // A text as the game writes it with fewer than 15 characters
               // holds fewer than 14 whole digits: not worth reading.
               const std::string text = view.Text(box.first, box.second);
               return text.size() >= 15 && near(ReadCurrency(text), kHeadroom);
           });
}

Problem CheckMoney(const RecordingView &view, std::optional<Currency> expected) {
    std::int64_t total = 0;
    bool inRange = true;
    for (const auto &[control, index] : kMoneyBoxes) {
        const std::string text = view.Text(control, index);
        const Currency amount = ReadCurrency(text);
        if (text != "0" && text != WriteNumber(amount)) {
            return ElementName(control, index) + " shows " + JsonString(text) +
                   ", not a number as the game writes it";
        }
        inRange = inRange && !__builtin_add_overflow(total, amount.Raw(), &total);
    }
    if (!expected) {
        return std::nullopt;
    }
    if (!inRange) {
        return std::string("the balances and the bank add up to more than the currency holds");
    }
    if (total != expected->Raw()) {
        return "the balances and the bank add up to " + PlainDecimal(Currency::FromRaw(total)) +
               ", not " + PlainDecimal(*expected);
    }
    return std::nullopt;
}

Problem CheckSomethingPressable(const RecordingView &view) {
    for (const auto &[control, index] : GameControls()) {
        if (view.Visible(control, index) && view.Enabled(control, index)) {
            return std::nullopt;
        }
    }
    return "the game is stuck: no control that moves it on can be pressed";
}

Problem CompareTables(const Table &before, const Table &after) {
    const std::pair<const char *, bool> fields[] = {
        {"Deck", before.Deck == after.Deck},
        {"DeckPos", before.DeckPos == after.DeckPos},
        {"Hands", before.Hands == after.Hands},
        {"TurnedCard", before.TurnedCard == after.TurnedCard},
        {"Trump", before.Trump == after.Trump},
        {"TrumpsOut", before.TrumpsOut == after.TrumpsOut},
        {"CurSeat", before.CurSeat == after.CurSeat},
        {"Dealer", before.Dealer == after.Dealer},
        {"Stake", before.Stake == after.Stake},
        {"Status", before.Status == after.Status},
        {"Tricks", before.Tricks == after.Tricks},
        {"PlayPhase", before.PlayPhase == after.PlayPhase},
        {"PlayMode", before.PlayMode == after.PlayMode},
        {"Played", before.Played == after.Played},
        {"TrickBest", before.TrickBest == after.TrickBest},
        {"LedSuit", before.LedSuit == after.LedSuit},
        {"GoRank", before.GoRank == after.GoRank},
        {"CardPicture", before.CardPicture == after.CardPicture},
        {"WorkCard", before.WorkCard == after.WorkCard},
        {"RankInstrumental", before.RankInstrumental == after.RankInstrumental},
        {"RankNominative", before.RankNominative == after.RankNominative},
        {"RankGenitive", before.RankGenitive == after.RankGenitive},
        {"I", before.I == after.I},
    };
    for (const auto &[name, same] : fields) {
        if (!same) {
            return std::string(name) + " changed";
        }
    }
    return std::nullopt;
}

Problem CompareViews(const RecordingView &before, const RecordingView &after) {
    for (const auto &[control, index] : AllElements()) {
        const ControlState &a = before.State(control, index);
        const ControlState &b = after.State(control, index);
        const std::pair<const char *, bool> properties[] = {
            {"text", a.text == b.text},          {"picture", a.picture == b.picture},
            {"visible", a.visible == b.visible}, {"enabled", a.enabled == b.enabled},
            {"back colour", a.back == b.back},   {"fore colour", a.fore == b.fore},
        };
        for (const auto &[name, same] : properties) {
            if (!same) {
                return "the " + std::string(name) + " of " + ElementName(control, index) +
                       " changed";
            }
        }
    }
    return std::nullopt;
}

GameReport CheckGame(std::uint64_t seed, long long events) {
    return GameChecker(seed).Run(events);
}

std::string Describe(const GameReport &report) {
    if (report.failure.empty()) {
        return "seed " + std::to_string(report.seed) + ": nothing found in " +
               std::to_string(report.events) + " events\n";
    }
    return "seed " + std::to_string(report.seed) + ", " + report.failure +
           "\nReplay script (vurp-replay SCRIPT), up to the failing event:\n" + report.script;
}

} // namespace vurp::check
