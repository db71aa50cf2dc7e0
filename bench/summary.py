#!/usr/bin/python3
"""Summary of the logic and window benchmarks against their targets.

  python3 bench/summary.py LOGIC.json WINDOW.json

reads the --benchmark_out files of vurp_logic_bench and vurp_window_bench and
prints one Markdown table. The logic figures are medians over the
repetitions when the program ran with --benchmark_repetitions, else the one
run's.
"""

import json
import sys


def load(path):
    with open(path) as f:
        return json.load(f)["benchmarks"]


def pick(benchmarks, run_name):
    """The median aggregate of `run_name`, else its only run."""
    runs = [b for b in benchmarks if b.get("run_name", b["name"]) == run_name]
    for b in runs:
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") == "median":
            return b
    plain = [b for b in runs if b.get("run_type", "iteration") == "iteration"]
    return plain[0] if plain else None


def seconds(b, key="real_time"):
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b["time_unit"]]
    return b[key] * scale


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: summary.py LOGIC.json WINDOW.json")
    logic, window = load(sys.argv[1]), load(sys.argv[2])
    rows = []

    deal = pick(logic, "BM_RandomDeal")
    if deal:
        rows.append(("a complete random deal, logic and recording view",
                     "%.2f us (%.1f clicks)" % (seconds(deal) * 1e6, deal["clicks_per_deal"]),
                     "< 20 us"))
        rows.append(("one click within a deal, logic",
                     "%.0f ns" % (deal["time_per_click"] * 1e9), ""))
    for name, title in (("BM_DealClick/manual_time", "click \"Раздать\", logic"),
                        ("BM_ChangeClick/manual_time",
                         "click \"Не менять\", then a computer exchange and lead, logic"),
                        ("BM_HeaviestClick/manual_time", "heaviest click of 256 deals, logic")):
        b = pick(logic, name)
        if b:
            label = " (%s)" % b["label"] if b.get("label") else ""
            rows.append((title + label, "%.2f us" % (seconds(b) * 1e6), ""))

    clicks = {"deal": "\"Раздать\"", "next": "\"Дальше\"", "card": "a card played",
              "change": "\"Не менять\"", "rules": "\"Правила игры\" (opening)"}
    for key, title in clicks.items():
        b = next((b for b in window if b["name"].startswith("BM_Click/%s/iterations" % key)), None)
        if b:
            rows.append(("window click %s, offscreen: median / p99 / max" % title,
                         "%.0f / %.0f / %.0f us" % (b["p50_us"], b["p99_us"], b["max_us"]),
                         "p99 < 2000 us"))
    for key, title in clicks.items():
        b = next((b for b in window if b["name"].startswith("BM_Click/%s/journaled/" % key)),
                 None)
        if b:
            rows.append(("the same, written to the journal and synced to the disk",
                         "%.0f / %.0f / %.0f us" % (b["p50_us"], b["p99_us"], b["max_us"]), ""))
    for deals in (10, 100, 1000):
        b = next((b for b in window if b["name"].startswith("BM_Resume/deals:%d/" % deals)), None)
        if b:
            rows.append(("resuming a journal of %d deals (%.0f kB)" % (deals, b["journal_kB"]),
                         "%.1f ms" % (seconds(b) * 1e3), "< 50 ms" if deals == 1000 else ""))
    for key, title in (("vurp", "Vurp"), ("floor", "floor"),
                       ("floor_before_deal", "floor before deal")):
        b = next((b for b in window if b["name"].startswith("BM_BuildWindow/%s/" % key)), None)
        if b:
            rows.append(("building, showing and painting the window: %s" % title,
                         "%.2f ms" % (seconds(b) * 1e3), ""))

    print("| measure | figure | target |")
    print("|---|---|---|")
    for row in rows:
        print("| %s | %s | %s |" % row)


if __name__ == "__main__":
    main()
