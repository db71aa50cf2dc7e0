#include <gtest/gtest.h>

#include <charconv>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cards.h"
#include "controls.h"
#include "json.h"
#include "script.h"
#include "test_support.h"

namespace vurp::testing {
namespace {

// Just enough of a JSON reader to insist that every line the driver prints is
// well-formed JSON and to look values up in it.
struct Json {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> members;

    const Json &operator[](std::string_view key) const {
        for (const auto &[name, value] : members) {
            if (name == key) {
                return value;
            }
        }
        throw std::out_of_range("no key " + std::string(key));
    }
    const Json &operator[](std::size_t i) const { return items.at(i); }
};

class JsonReader {
public:
    static Json Parse(std::string_view text) {
        JsonReader reader(text);
        Json value = reader.Value();
        reader.Skip();
        if (reader.pos_ != text.size()) {
            reader.Fail("text after the value");
        }
        return value;
    }

private:
    explicit JsonReader(std::string_view text) : text_(text) {}

    [[noreturn]] void Fail(const std::string &what) const {
        throw std::runtime_error(what + " at byte " + std::to_string(pos_));
    }
    void Skip() {
        while (pos_ < text_.size() &&
               std::string_view(" \t\r\n").find(text_[pos_]) != std::string_view::npos) {
            ++pos_;
        }
    }
    bool Take(std::string_view word) {
        Skip();
        if (text_.substr(pos_, word.size()) != word) {
            return false;
        }
        pos_ += word.size();
        return true;
    }
    void Expect(char c) {
        if (!Take(std::string_view(&c, 1))) {
            Fail(std::string("expected ") + c);
        }
    }

    Json Value() {
        Json v;
        if (Take("null")) {
            return v;
        }
        if (Take("true") || Take("false")) {
            v.kind = Json::Kind::Bool;
            v.boolean = text_[pos_ - 1] == 'e' && text_[pos_ - 2] == 'u';
        } else if (Take("\"")) {
            v.kind = Json::Kind::String;
            v.text = StringRest();
        } else if (Take("[")) {
            v.kind = Json::Kind::Array;
            while (!Take("]")) {
                if (!v.items.empty()) {
                    Expect(',');
                }
                v.items.push_back(Value());
            }
        } else if (Take("{")) {
            v.kind = Json::Kind::Object;
            while (!Take("}")) {
                if (!v.members.empty()) {
                    Expect(',');
                }
                Expect('"');
                std::string key = StringRest();
                Expect(':');
                v.members.emplace_back(std::move(key), Value());
            }
        } else {
            v.kind = Json::Kind::Number;
            const auto [end, error] =
                std::from_chars(text_.data() + pos_, text_.data() + text_.size(), v.number);
            if (error != std::errc()) {
                Fail("not a value");
            }
            pos_ = static_cast<std::size_t>(end - text_.data());
        }
        return v;
    }

    // The rest of a string after its opening quote, decoded.
    std::string StringRest() {
        std::string out;
        while (true) {
            if (pos_ >= text_.size()) {
                Fail("unterminated string");
            }
            const char c = text_[pos_++];
            if (c == '"') {
                return out;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                Fail("raw control character in a string");
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = pos_ < text_.size() ? text_[pos_++] : '?';
            const std::string_view simple = "\"\\/bfnrt";
            const std::string_view meaning = "\"\\/\b\f\n\r\t";
            if (const auto k = simple.find(e); k != std::string_view::npos) {
                out += meaning[k];
            } else if (e == 'u') {
                unsigned code = 0;
                const auto [end, error] =
                    std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, code, 16);
                if (error != std::errc() || end != text_.data() + pos_ + 4 || code >= 0x80) {
                    Fail("escape outside what the driver writes");
                }
                out += static_cast<char>(code);
                pos_ += 4;
            } else {
                Fail("bad escape");
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

struct Outcome {
    int status = 0;
    std::vector<std::string> lines; // stdout, one entry per line
    std::string err;
};

Outcome Collect(int status, const std::ostringstream &out, const std::ostringstream &err) {
    Outcome o{status, {}, err.str()};
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        o.lines.push_back(line);
    }
    return o;
}

// Keeps what a run from a text in memory prints.
struct TextOutput final : ScriptOutput {
    void Print(std::string_view line) override { out.append(line); }
    bool Written() override { return true; }
    void Complain(std::string_view line) override { err.append(line); }

    std::string out;
    std::string err;
};

Outcome Replay(const std::string &script) {
    std::istringstream in(script);
    std::ostringstream out, err;
    const int status = RunScript(in, out, err);
    // Read from a text in memory, as a journal is, the script prints the same.
    Fixture twin;
    TextOutput text;
    EXPECT_EQ(RunScript(script, text, twin.game, twin.view, twin.random), status);
    EXPECT_EQ(text.out, out.str());
    EXPECT_EQ(text.err, err.str());
    return Collect(status, out, err);
}

// Runs on a table the test can look into and set up.
Outcome Replay(Fixture &f, const std::string &script) {
    std::istringstream in(script);
    std::ostringstream out, err;
    const int status = RunScript(in, out, err, f.game, f.view, f.random);
    return Collect(status, out, err);
}

Json Dump(const Outcome &o, std::size_t k = 0) {
    return JsonReader::Parse(o.lines.at(k));
}

std::string Repeat(const std::string &line, int times) {
    std::string text;
    for (int k = 0; k < times; ++k) {
        text += line;
    }
    return text;
}

// With every draw near 1 each swap takes card 36: the pack turns by one card.
const std::string kTurnedPackScript = Repeat("rand 0.99\n", 36) + "click Razd\ndump\n";
const std::string kTurnedPack = "9c" + std::string(DeckLiteral.substr(0, 70));

TEST(ReplaySnapshot, BeforeTheDealHoldsDesignStateOfEveryControl) {
    const Outcome o = Replay("dump\n");
    ASSERT_EQ(o.status, kReplayDone);
    ASSERT_EQ(o.lines.size(), 1u);
    const Json dump = Dump(o);
    ASSERT_EQ(dump.members.size(), 2u);

    const Json &state = dump["state"];
    std::vector<std::string> keys;
    for (const auto &member : state.members) {
        keys.push_back(member.first);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"Deck", "DeckPos", "Hands", "TurnedCard", "Trump",
                                              "TrumpsOut", "CurSeat", "Dealer", "Stake", "Status",
                                              "Tricks", "PlayPhase", "PlayMode", "Played",
                                              "TrickBest", "LedSuit", "GoRank"}));
    EXPECT_EQ(state["Deck"].text, "");
    EXPECT_EQ(state["Dealer"].number, 3);
    EXPECT_EQ(state["CurSeat"].number, 0);
    EXPECT_EQ(state["Stake"].text, "4");
    EXPECT_EQ(state["Hands"].items.size(), 3u);
    EXPECT_EQ(state["Status"].items.size(), 3u);
    EXPECT_EQ(state["Played"].items.size(), 12u);
    EXPECT_EQ(state["Played"][11].kind, Json::Kind::String);
    EXPECT_EQ(state["PlayPhase"].kind, Json::Kind::Bool);
    EXPECT_FALSE(state["PlayPhase"].boolean);

    const Json &controls = dump["controls"];
    // 21 single controls and 10 arrays: 5 + 5 + 5 + 3 + 3 + 3 + 3 + 3 + 3 + 9 elements.
    EXPECT_EQ(controls.members.size(), 21u + 42u);
    EXPECT_EQ(controls.members.front().first, "Label4");
    EXPECT_EQ(controls.members.back().first, "GoKats(9)");
    EXPECT_THROW(controls["Pict1"], std::out_of_range);
    EXPECT_THROW(controls["Pict1(0)"], std::out_of_range);
    EXPECT_THROW(controls["Pict1(6)"], std::out_of_range);

    const Json &card = controls["Pict1(5)"];
    EXPECT_FALSE(card["visible"].boolean);
    EXPECT_FALSE(card["enabled"].boolean);
    EXPECT_EQ(card["picture"].text, "");
    EXPECT_EQ(card["back"].kind, Json::Kind::Null);
    EXPECT_EQ(controls["bank"]["text"].text, "0");
    EXPECT_EQ(controls["bank"]["back"].number, 0xC0FFFF);
    EXPECT_EQ(controls["bank"]["fore"].number, 0x800000);
    EXPECT_EQ(controls["Stavk"]["text"].text, "4");
    EXPECT_EQ(controls["Label2(3)"]["text"].text, "Взятки3");
    EXPECT_EQ(controls["GoKats(6)"]["text"].text, "В");
    EXPECT_EQ(controls["TextPravila"]["text"].text, RulesText);
    EXPECT_FALSE(controls["TextPravila"]["visible"].boolean);
    // The design table is read by place: each row is its own control's.
    for (int id = 0; id < kControlCount; ++id) {
        EXPECT_EQ(DesignOf(static_cast<Control>(id)).id, static_cast<Control>(id));
    }
}

TEST(ReplaySnapshot, FirstDealShowsDealtCardsAndCollectedStakes) {
    const Outcome o = Replay(kTurnedPackScript);
    ASSERT_EQ(o.status, kReplayDone);
    const Json dump = Dump(o);
    const Json &state = dump["state"];
    EXPECT_EQ(state["Deck"].text, kTurnedPack);
    EXPECT_EQ(state["Hands"][0].text, "9c1p2p3p  ");
    EXPECT_EQ(state["Hands"][1].text, "4p5p6p7p  ");
    EXPECT_EQ(state["Hands"][2].text, "8p9p1k2k  ");
    EXPECT_EQ(state["TurnedCard"].text, "3k");
    EXPECT_EQ(state["Trump"].text, "k");
    EXPECT_EQ(state["DeckPos"].number, 14);
    EXPECT_EQ(state["CurSeat"].number, 1);

    const Json &controls = dump["controls"];
    EXPECT_EQ(controls["Money(2)"]["text"].text, "-4");
    EXPECT_EQ(controls["Money(2)"]["back"].number, kMoneyNegative);
    EXPECT_EQ(controls["bank"]["text"].text, " 12");
    EXPECT_EQ(controls["Pict1(1)"]["picture"].text, "9c");
    EXPECT_EQ(controls["Pict1(1)"]["text"].text, "");
    EXPECT_EQ(controls["Pict3(4)"]["picture"].text, "rubashka");
    EXPECT_EQ(controls["PictKoz"]["picture"].text, "3k");
    EXPECT_EQ(controls["Razd"]["picture"].text, "");
    EXPECT_EQ(controls["Label4"]["fore"].number, kWindowColour);
}

TEST(ReplaySnapshot, JsonStringEscapesQuotesBackslashesAndControlCharacters) {
    EXPECT_EQ(JsonString(R"(a"b\c)"), R"("a\"b\\c")");
    EXPECT_EQ(JsonString(std::string("\x01\t\n\r\x1f\x7f", 6)),
              "\"\\u0001\\u0009\\u000A\\u000D\\u001F\x7f\"");
    EXPECT_EQ(JsonString(std::string("\0", 1)), "\"\\u0000\"");
    EXPECT_EQ(JsonString("Вурп "), "\"Вурп \"");
    EXPECT_EQ(JsonString("\xF0\x9F\x82\xA1"), "\"\xF0\x9F\x82\xA1\"");
    const std::string replacement = "\xEF\xBF\xBD";
    // A stray byte, a cut sequence, an overlong '/' and a surrogate never reach the output.
    EXPECT_EQ(JsonString("a\xFF"), "\"a" + replacement + "\"");
    EXPECT_EQ(JsonString("\xD0"), "\"" + replacement + "\"");
    EXPECT_EQ(JsonString("\xC0\xAF"), "\"" + replacement + replacement + "\"");
    EXPECT_EQ(JsonString("\xED\xA0\x80"), "\"" + Repeat(replacement, 3) + "\"");
}

TEST(ReplaySnapshot, TypedSpecialCharactersComeBackThroughTheJson) {
    const Outcome o = Replay("type Stavk \"\\\tx\x01\ndump\n");
    ASSERT_EQ(o.status, kReplayDone);
    EXPECT_NE(o.lines[0].find(R"("text":"\"\\\u0009x\u0001")"), std::string::npos);
    EXPECT_EQ(Dump(o)["controls"]["Stavk"]["text"].text, "\"\\\tx\x01");
}

TEST(ReplayRandom, ScriptedDrawsAndSeedsGiveTheSameGameEveryTime) {
    const Outcome first = Replay(kTurnedPackScript);
    EXPECT_EQ(first.lines, Replay(kTurnedPackScript).lines);
    // Queued draws come before the seeded generator.
    EXPECT_EQ(Replay("seed 12345\n" + kTurnedPackScript).lines, first.lines);

    const std::string seeded = "seed 7\nclick Razd\ndump\n";
    const Outcome again = Replay(seeded);
    EXPECT_EQ(again.lines, Replay(seeded).lines);
    EXPECT_NE(Dump(again)["state"]["Deck"].text,
              Dump(Replay("seed 8\nclick Razd\ndump\n"))["state"]["Deck"].text);
    // No seed line is the same as seed 0.
    EXPECT_EQ(Replay("click Razd\ndump\n").lines, Replay("seed 0\nclick Razd\ndump\n").lines);
}

TEST(ReplayRandom, DrawsAreReadAsDecimalsBelowOne) {
    Fixture f;
    const Outcome o = Replay(f, "rand 0\nrand .5\nrand 0.\nrand 0.25\nrand 0.99999999999999999999\n"
                                "rand 0." +
                                    std::string(400, '0') + "1\n");
    ASSERT_EQ(o.status, kReplayDone) << o.err;
    EXPECT_EQ(f.random.Next(), 0.0);
    EXPECT_EQ(f.random.Next(), 0.5);
    EXPECT_EQ(f.random.Next(), 0.0);
    EXPECT_EQ(f.random.Next(), 0.25);
    // Rounds to 1 as a double, yet was written below 1: the draw stays below 1.
    const double nearlyOne = f.random.Next();
    EXPECT_LT(nearlyOne, 1.0);
    EXPECT_GT(nearlyOne, 0.999);
    EXPECT_EQ(f.random.Next(), 0.0);
    EXPECT_EQ(f.random.Queued(), 0u);
}

TEST(ReplayClicks, HiddenOrDisabledControlsRefuseAndTheScriptGoesOn) {
    const Outcome o =
        Replay("click vurp\n  click   Pict1 1 \t\nclick\tPasVurp\r\nclick Razd\nclick Razd\n"
               "click bank\nclick GoKats 09\nclick Pict1 1\n");
    ASSERT_EQ(o.status, kReplayDone) << o.err;
    EXPECT_EQ(o.lines, (std::vector<std::string>{
                           R"({"refused":"click vurp"})", R"({"refused":"click   Pict1 1"})",
                           R"({"refused":"click\u0009PasVurp"})", R"({"refused":"click Razd"})",
                           R"({"refused":"click GoKats 09"})",
                           // Shown after the deal, but not to be clicked yet.
                           R"({"refused":"click Pict1 1"})"}));
    EXPECT_EQ(o.err, "");
}

TEST(ReplayLines, CommentsBlankLinesAndWindowsLineEndsAreSkipped) {
    const std::string lineFeeds =
        "# a first deal\n\n   \n\t# indented comment\nseed 3\nclick Razd\n#" +
        std::string(kMaxLineBytes - 1, 'x') + "\ntype Stavk 8\ndump\n";
    std::string windows;
    for (const char c : lineFeeds) {
        windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    const Outcome o = Replay(lineFeeds);
    ASSERT_EQ(o.status, kReplayDone);
    ASSERT_EQ(o.lines.size(), 1u);
    EXPECT_EQ(Dump(o)["controls"]["Stavk"]["text"].text, "8");
    EXPECT_EQ(Replay(windows).lines, o.lines);
    // The last line needs no line end.
    EXPECT_EQ(Replay(lineFeeds.substr(0, lineFeeds.size() - 1)).lines, o.lines);
    EXPECT_EQ(Replay("").status, kReplayDone);
}

TEST(ReplayLines, BlanksAroundAndBetweenWordsAreFree) {
    const Outcome o = Replay("  dump  \n\tseed\t 18446744073709551615 \nseed 000\nrand  0.5 \n"
                             "click\tRazd\t\n \tdump\n");
    ASSERT_EQ(o.status, kReplayDone) << o.err;
    ASSERT_EQ(o.lines.size(), 2u);
    EXPECT_EQ(Dump(o, 1)["state"]["DeckPos"].number, 14);
}

TEST(ReplayLines, BadLineStopsTheRunWithItsLineNumber) {
    Fixture f;
    const Outcome o = Replay(f, "dump\n# comment\n\nclick Razd\nbogus\ndump\ntype Stavk 9\n");
    EXPECT_EQ(o.status, kReplayMalformed);
    EXPECT_EQ(o.err, "line 5: unknown command \"bogus\"\n");
    // What ran before the bad line stays done and printed; nothing after it runs.
    EXPECT_EQ(o.lines.size(), 1u);
    EXPECT_EQ(f.game.DeckPos, 14);
    EXPECT_EQ(f.Text(Control::Stavk), "4");
}

TEST(ReplayLines, UnreadableScriptIsReported) {
    std::istringstream in("dump\n");
    in.setstate(std::ios::badbit);
    std::ostringstream out, err;
    EXPECT_EQ(RunScript(in, out, err), kReplayMalformed);
    EXPECT_EQ(err.str(), "line 1: the script cannot be read\n");
    EXPECT_EQ(out.str(), "");
}

// An output that takes nothing, as a full disk: the first write that fails
// stops the run before the next line; a run that writes nothing loses nothing.
TEST(ReplayLines, FailedWriteStopsTheRun) {
    struct Full final : std::streambuf {
        int_type overflow(int_type) override { return traits_type::eof(); }
    } full;
    std::ostream out(&full);
    std::ostringstream err;
    Fixture f;
    std::istringstream writes("dump\nclick Razd\n");
    EXPECT_EQ(RunScript(writes, out, err, f.game, f.view, f.random), kReplayOutputFailed);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(f.game.DeckPos, 0);

    Fixture silent;
    std::ostream unused(&full);
    std::istringstream quiet("click Razd\n");
    EXPECT_EQ(RunScript(quiet, unused, err, silent.game, silent.view, silent.random), kReplayDone);
    EXPECT_EQ(silent.game.DeckPos, 14);
}

TEST(ReplayLines, OverLongLineIsNotReadToItsEnd) {
    std::istringstream in("dump\n" + std::string(16 * kMaxLineBytes, 'x') + "\ndump\n");
    std::ostringstream out, err;
    EXPECT_EQ(RunScript(in, out, err), kReplayMalformed);
    EXPECT_EQ(err.str(), "line 2: the line is longer than 65536 bytes\n");
    EXPECT_LT(static_cast<std::size_t>(in.tellg()), 2 * kMaxLineBytes);
}

// A window whose pictures cannot be shown: the game's failure, not the script's.
class PictureFailingView final : public View {
public:
    explicit PictureFailingView(RecordingView &shown) : shown_(shown) {}
    std::string Text(Control c, int i) const override { return shown_.Text(c, i); }
    void SetText(Control c, int i, const std::string &t) override { shown_.SetText(c, i, t); }
    bool Visible(Control c, int i) const override { return shown_.Visible(c, i); }
    void SetVisible(Control c, int i, bool v) override { shown_.SetVisible(c, i, v); }
    bool Enabled(Control c, int i) const override { return shown_.Enabled(c, i); }
    void SetEnabled(Control c, int i, bool e) override { shown_.SetEnabled(c, i, e); }
    void SetPicture(Control, int, const std::string &name) override {
        throw std::runtime_error("no picture " + name);
    }
    void SetBackColor(Control c, int i, Colour k) override { shown_.SetBackColor(c, i, k); }
    void SetForeColor(Control c, int i, Colour k) override { shown_.SetForeColor(c, i, k); }

private:
    RecordingView &shown_;
};

TEST(ReplayLines, GameFailureStopsTheRunWithStatusThree) {
    RecordingView shown;
    PictureFailingView failing(shown);
    ScriptedRandom random;
    Game game(failing, random);
    game.Form_Load();
    std::istringstream in(kTurnedPackScript);
    std::ostringstream out, err;
    EXPECT_EQ(RunScript(in, out, err, game, shown, random), kReplayGameFailed);
    EXPECT_EQ(err.str(), "line 37: the game failed: no picture 9c\n");
    EXPECT_EQ(out.str(), "");
}

struct MalformedCase {
    std::string line;
    std::string complaint; // part of the message
};

TEST(ReplayLines, EveryMalformedFormIsRejected) {
    const std::vector<MalformedCase> cases = {
        {"jump", "unknown command \"jump\""},
        {"Dump", "unknown command \"Dump\""},
        {"dump now", "dump takes nothing"},
        {"click Nope", "unknown control \"Nope\""},
        {"click razd", "unknown control \"razd\""},
        {"click Ab\x01"
         "cd",
         "unknown control \"Ab\\u0001cd\""},
        {"click Pict1(1)", "unknown control \"Pict1(1)\""},
        {"click Вурп", "unknown control \"Вурп\""},
        {"click \xFF", "unknown control \"\xEF\xBF\xBD\""},
        {"click " + std::string(500, 'x'), "unknown control \"" + std::string(40, 'x') + "\"..."},
        {"click", "click needs a control name"},
        {"click Pict1 1 2", "click needs a control name"},
        {"click Pict1", "Pict1 is a control array: name an element from 1 to 5"},
        {"click GoKats", "from 1 to 9"},
        {"click Razd 1", "Razd is a single control and takes no element number"},
        {"click Razd 0", "single control"},
        {"click Pict1 0", "element \"0\" of Pict1 is not a number from 1 to 5"},
        {"click Pict1 6", "element \"6\" of Pict1"},
        {"click GoKats 10", "not a number from 1 to 9"},
        {"click Pict1 -1", "element \"-1\""},
        {"click Pict1 +1", "element \"+1\""},
        {"click Pict1 x", "element \"x\""},
        {"click Pict1 99999999999999999999", "not a number from 1 to 5"},
        {"seed", "seed needs one unsigned 64-bit decimal number"},
        {"seed 18446744073709551616", "seed needs"},
        {"seed -1", "seed needs"},
        {"seed +1", "seed needs"},
        {"seed 0x10", "seed needs"},
        {"seed 1.0", "seed needs"},
        {"seed 1 2", "seed needs"},
        {"rand", "rand needs one decimal number from 0 up to but not including 1"},
        {"rand 1", "rand needs"},
        {"rand 1.0", "rand needs"},
        {"rand 01.5", "rand needs"},
        {"rand -0.1", "rand needs"},
        {"rand -0", "rand needs"},
        {"rand +0.5", "rand needs"},
        {"rand 1e-3", "rand needs"},
        {"rand text", "rand needs"},
        {"rand .", "rand needs"},
        {"rand 0.5.5", "rand needs"},
        {"rand 0.5 0.5", "rand needs"},
        {"type", "type needs the control Stavk"},
        {"type   ", "type needs the control Stavk"},
        {"type bank 5", "only Stavk can be typed into, not bank"},
        {"type Nope 5", "unknown control \"Nope\""},
        {"type stavk 5", "unknown control \"stavk\""},
        {"type Stavk5", "unknown control \"Stavk5\""},
        {"type Stavk 1\xFF", "the typed text is not valid UTF-8"},
        {"type Stavk \xD0", "not valid UTF-8"},
        // Too long is too long before anything else, even for a comment.
        {"#" + std::string(kMaxLineBytes, 'x'), "the line is longer than 65536 bytes"},
        {"type Stavk " + std::string(kMaxLineBytes, '1'), "the line is longer than 65536 bytes"},
        {"dump" + std::string(kMaxLineBytes - 4, ' ') + "\r\r", "longer than 65536"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line.substr(0, 80));
        Fixture f;
        const Outcome o = Replay(f, "dump\n" + c.line + "\ndump\n");
        EXPECT_EQ(o.status, kReplayMalformed);
        EXPECT_EQ(o.lines.size(), 1u);
        EXPECT_EQ(o.err.rfind("line 2: ", 0), 0u) << o.err;
        EXPECT_NE(o.err.find(c.complaint), std::string::npos) << o.err;
        EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << "one line only";
        EXPECT_EQ(f.Text(Control::Stavk), "4");
        EXPECT_EQ(f.Text(Control::bank), "0");
        EXPECT_EQ(f.random.Queued(), 0u);
    }
}

TEST(ReplayTyping, StakeBoxKeepsSevenCharactersNotBytes) {
    struct Case {
        std::string typed, kept, stake;
    };
    const std::vector<Case> cases = {
        {"12345678", "1234567", "1234567"},
        {"Ставка12345", "Ставка1", "0"},
        {"\xF0\x9F\x82\xA1" + Repeat("\xF0\x9F\x82\xA1", 8), Repeat("\xF0\x9F\x82\xA1", 7), "0"},
        {Repeat("\xF0\x9F\x98\x80", 8), Repeat("\xF0\x9F\x98\x80", 7), "0"},
        // One to four bytes a character.
        {"1\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"
         "2345",
         "1\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"
         "234",
         "1"},
        // A combining accent is a character of its own.
        {"12345e\xCC\x81"
         "9",
         "12345e\xCC\x81", "12345"},
        {"2.5", "2.5", "2.5"},
        {"", "", "0"},
        // The text starts after the one blank that follows the name; the rest is typed.
        {" 5 ", " 5 ", "5"},
        {"-3\t", "-3\t", "-3"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        Fixture f;
        const Outcome o = Replay(f, "type Stavk " + c.typed + "\n");
        ASSERT_EQ(o.status, kReplayDone) << o.err;
        EXPECT_EQ(f.Text(Control::Stavk), c.kept);
        EXPECT_EQ(PlainDecimal(f.game.Stake), c.stake);
    }
    Fixture f;
    ASSERT_EQ(Replay(f, "  type\t Stavk\n").status, kReplayDone);
    EXPECT_EQ(f.Text(Control::Stavk), "");
}

TEST(ReplayTyping, TextChangeRunsOnlyWhenTheTextChanges) {
    Fixture f;
    // A stake that the box does not show tells whether the change event ran.
    f.game.Stake = Currency::FromInt(99);
    ASSERT_EQ(Replay(f, "type Stavk 4\n").status, kReplayDone);
    EXPECT_EQ(PlainDecimal(f.game.Stake), "99");

    ASSERT_EQ(Replay(f, "type Stavk 12345678\n").status, kReplayDone);
    EXPECT_EQ(PlainDecimal(f.game.Stake), "1234567");
    f.game.Stake = Currency::FromInt(99);
    // Cut to seven characters, this is the text already there.
    ASSERT_EQ(Replay(f, "type Stavk 1234567xyz\n").status, kReplayDone);
    EXPECT_EQ(PlainDecimal(f.game.Stake), "99");

    ASSERT_EQ(Replay(f, "type Stavk 6\n").status, kReplayDone);
    EXPECT_EQ(PlainDecimal(f.game.Stake), "6");
}

} // namespace
} // namespace vurp::testing
