#include "random_player.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <functional>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include "cards.h"
#include "controls.h"
#include "float_chars.h"
#include "game.h"
#include "json.h"
#include "random.h"
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

// Whether the window handles a click on the element: the game's controls and
// the two panel buttons; a click on any other does nothing.
bool HasClickHandler(Control control, int index) {
    const auto &game = GameControls();
    return control == Control::Pravila || control == Control::Game ||
           std::find(game.begin(), game.end(), std::pair{control, index}) != game.end();
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
    std::uint64_t Next() { return SplitMix64(state_); }
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
        DoubleToChars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
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

    GameReport Run(long long events, bool wholeScript) {
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
        } else if (wholeScript) {
            // The last replay ended it with a dump.
            report_.script = script_;
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
            problem = CheckHandOrder(Pack(), t);
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
        return CheckStock(Pack(), start, game_, drawnThisDeal_, draws.unseen, played);
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
        DoubleFromChars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
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

GameReport CheckGame(std::uint64_t seed, long long events, bool wholeScript) {
    return GameChecker(seed).Run(events, wholeScript);
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
