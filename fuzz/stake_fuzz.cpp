// The stake path: a text typed into the stake box, a deal and then the
// human's clicks. The input is the typed text up to its first line feed, one
// byte for the seed of the shuffles, and then one byte per click, each
// choosing among the controls the human can click at that moment. The money
// is kept whole: the three balances and the bank add up to what they held
// before, save the bank's rounding to a whole number at a settlement, and
// the bank never takes the sign against the stake.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls.h"
#include "fuzz_support.h"
#include "money.h"
#include "script.h"
#include "utf8.h"

namespace {

using vurp::Control;
using vurp::Currency;
using vurp::fuzz::Require;

// Beyond this magnitude the sums of a few deals may reach the currency's
// limits and saturate, so conservation is no longer exact.
constexpr std::int64_t kFarFromLimits = 100'000'000'000'000 * Currency::kScale;

using Element = std::pair<Control, int>;

std::vector<Element> Clickable(const vurp::RecordingView &view) {
    std::vector<Element> elements;
    for (const auto &[control, index] : vurp::GameControls()) {
        if (view.Visible(control, index) && view.Enabled(control, index)) {
            elements.emplace_back(control, index);
        }
    }
    return elements;
}

std::string ScriptLine(Element element) {
    std::string line = "click " + vurp::DesignOf(element.first).name;
    if (element.second != 0) {
        line += " " + std::to_string(element.second);
    }
    return line + "\n";
}

std::int64_t Magnitude(Currency money) {
    return money == Currency::Min() ? INT64_MAX : (money.Raw() < 0 ? -money.Raw() : money.Raw());
}

struct Money {
    Currency balances[3];
    Currency bank;

    explicit Money(const vurp::RecordingView &view) {
        for (int seat = 1; seat <= 3; ++seat) {
            balances[seat - 1] = vurp::ReadCurrency(view.Text(Control::Money, seat));
        }
        bank = vurp::ReadCurrency(view.Text(Control::bank, 0));
    }
    Currency Total() const { return balances[0] + balances[1] + balances[2] + bank; }
    bool FarFromLimits() const {
        for (const Currency balance : balances) {
            if (Magnitude(balance) > kFarFromLimits) {
                return false;
            }
        }
        return Magnitude(bank) <= kFarFromLimits;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const std::size_t end = input.find('\n');
    const std::string_view typed = input.substr(0, end);
    std::string_view clicks =
        end == std::string_view::npos ? std::string_view{} : input.substr(end + 1);
    if (!vurp::IsValidUtf8(typed) || typed.size() > 64) {
        return -1; // not a text the box can hold
    }
    std::string script = "seed " + std::to_string(clicks.empty() ? 0 : clicks[0] & 0xFF) +
                         "\ntype Stavk " + std::string(typed) + "\n";
    if (!clicks.empty()) {
        clicks.remove_prefix(1);
    }
    vurp::fuzz::SetContext(script);

    vurp::RecordingView view;
    vurp::ScriptedRandom random;
    vurp::Game game(view, random);
    game.Form_Load();
    std::istringstream in(script);
    std::ostringstream out, err;
    Require(vurp::RunScript(in, out, err, game, view, random) == vurp::kReplayDone,
            "the driver takes the seed and the typed text");

    const std::string box = view.Text(Control::Stavk, 0);
    Require(vurp::Utf8Prefix(box, 7) == box, "the box keeps at most seven characters");
    const Currency stake = game.Stake;
    Require(stake == Currency::FromDouble(vurp::ReadNumber(box)),
            "the stake is the box's number in the currency");

    // The bank shows "0" before the first deal, so the deal collects the stakes.
    script += "click Razd\n";
    vurp::fuzz::SetContext(script);
    Require(game.Click(Control::Razd), "the first deal can be started");
    for (int seat = 1; seat <= 3; ++seat) {
        Require(view.Text(Control::Money, seat) == vurp::WriteNumber(Currency() - stake),
                "every seat pays the stake");
    }
    Require(view.Text(Control::bank, 0) == vurp::WriteNumber(stake * 3),
            "the bank holds the three stakes");

    // With a bank whole throughout no settlement rounds it.
    const bool wholeBanks = (stake * 3).Raw() % Currency::kScale == 0;
    const Currency halfPerSettlement = Currency::FromRaw(Currency::kScale / 2);
    Currency allowed; // how far the total may have drifted by the settlements' rounding
    bool exact = Magnitude(stake) <= kFarFromLimits / 100;
    for (const char byte : clicks) {
        const Money before(view);
        exact = exact && before.FarFromLimits();
        const std::vector<Element> choices = Clickable(view);
        Require(!choices.empty(), "the human always has a control to click");
        const Element choice = choices[static_cast<unsigned char>(byte) % choices.size()];
        script += ScriptLine(choice);
        vurp::fuzz::SetContext(script);
        const bool dealing = !view.Enabled(Control::Razd, 0) || choice.first == Control::Razd;
        Require(game.Click(choice.first, choice.second), "a shown, enabled control takes a click");
        // A deal ends with Razd enabled again, at most once a click.
        const bool settled = dealing && view.Enabled(Control::Razd, 0);

        const Money after(view);
        const Currency bank = after.bank;
        Require(stake.Raw() >= 0 ? bank.Raw() >= 0 : bank.Raw() <= 0,
                "the bank keeps the sign of the stake");
        if (!exact) {
            continue;
        }
        if (settled && !wholeBanks) {
            allowed = allowed + halfPerSettlement;
        }
        const Currency total = after.Total();
        Require(Currency() - allowed <= total && total <= allowed,
                "the balances and the bank add up to no money made or lost");
    }
    return 0;
}
