#!/usr/bin/python3
"""The set-wide measures of a stage set, from the JSON lines of
`rara3-solve --measure FOLDER`: the goals table (old beside new when two
files are given), a table per ten stages and one row per stage, as Markdown.

usage: measure_set.py NEW.jsonl [--old OLD.jsonl] [--solve-log LOG] [--old-solve-log LOG]
"""
import argparse
import itertools
import json
import math
import statistics
import sys

BOARD_CENTRE = 9.5


def load(path):
    stages = [json.loads(line) for line in open(path) if line.startswith("{")]
    stages.sort(key=lambda s: s["stage"])
    return stages


def median(values):
    values = [v for v in values if v is not None]
    return statistics.median(values) if values else float("nan")


def box_iou(a, b):
    """Intersection over union of two boxes (x0, y0, x1, y1), ends included."""
    ax0, ay0, ax1, ay1 = a
    bx0, by0, bx1, by1 = b
    w = min(ax1, bx1) - max(ax0, bx0) + 1
    h = min(ay1, by1) - max(ay0, by0) + 1
    inter = max(0, w) * max(0, h)
    union = (ax1 - ax0 + 1) * (ay1 - ay0 + 1) + (bx1 - bx0 + 1) * (by1 - by0 + 1) - inter
    return inter / union


def iou(a, b):
    return box_iou(a["box"], b["box"])


def ranks(values):
    order = sorted(range(len(values)), key=lambda i: values[i])
    r = [0.0] * len(values)
    i = 0
    while i < len(order):
        j = i
        while j + 1 < len(order) and values[order[j + 1]] == values[order[i]]:
            j += 1
        for k in range(i, j + 1):
            r[order[k]] = (i + j) / 2 + 1
        i = j + 1
    return r


def spearman(xs, ys):
    rx, ry = ranks(xs), ranks(ys)
    mx, my = statistics.mean(rx), statistics.mean(ry)
    cov = sum((a - mx) * (b - my) for a, b in zip(rx, ry))
    sx = math.sqrt(sum((a - mx) ** 2 for a in rx))
    sy = math.sqrt(sum((b - my) ** 2 for b in ry))
    return cov / (sx * sy)


def needed(outcome):
    return outcome in ("unsolvable", "longer")


def kind_needed(stage, kind):
    for k in stage["kindsWithout"]:
        if k["kind"] == kind:
            return needed(k["without"])
    return False


def figures(stages, solve_log=None):
    """Every goal figure of a set, keyed by goal."""
    f = {}
    by = {s["stage"]: s for s in stages}
    f["median box"] = "%g x %g" % (median(s["width"] for s in stages), median(s["height"] for s in stages))
    f["median width"] = median(s["width"] for s in stages)
    f["median height"] = median(s["height"] for s in stages)
    f["16x12"] = sum(1 for s in stages if (s["width"] >= 16 and s["height"] >= 12) or (s["width"] >= 12 and s["height"] >= 16))
    cells = set()
    for s in stages:
        cells.update(s["area"])
    f["cells used"] = len(cells)
    f["open 51-100"] = median(by[n]["open"] for n in range(51, 101) if n in by)
    f["overlap"] = median(iou(a, b) for a, b in itertools.combinations(stages, 2))
    f["off centre"] = sum(1 for s in stages if math.hypot(s["centre"][0] - BOARD_CENTRE, s["centre"][1] - BOARD_CENTRE) >= 3)
    shapes = {}
    repeats = 0
    for s in stages:
        repeats += s["shape"] in shapes
        shapes.setdefault(s["shape"], s["stage"])
    f["shape repeats"] = repeats
    f["doors"] = sum(1 for s in stages if s["door"])
    objects = [o for s in stages for o in s["objects"]]
    f["objects"] = len(objects)
    f["inert"] = sum(1 for o in objects if o["without"] == "same")
    cheap = sum(1 for o in objects if o["without"] == "same" or (o["without"] == "shorter" and o["delta"] >= -3))
    f["cheap share"] = cheap / len(objects) if objects else 0
    f["unknown objects"] = sum(1 for o in objects if o["without"] == "unknown")
    naming = [s for s in stages if any(k["named"] for k in s["kindsWithout"])]
    tools = [s for s in naming if all(needed(k["without"]) for k in s["kindsWithout"] if k["named"])]
    first = [s for s in naming if needed(next(k for k in s["kindsWithout"] if k["named"])["without"])]
    f["named needed"] = (len(tools), len(naming))
    f["first named needed"] = (len(first), len(naming))
    late = [s for s in stages if s["stage"] > 10]
    f["vanish needed"] = sum(1 for s in late if kind_needed(s, "vanish") and s["events"]["vanish"])
    f["step needed"] = sum(1 for s in late if kind_needed(s, "step") and s["events"]["step"])
    f["slide needed"] = sum(1 for s in late if kind_needed(s, "slide") and s["events"]["slide"])
    f["copy needed"] = sum(1 for s in late if kind_needed(s, "copy") and s["events"]["copy"])
    f["blast needed"] = sum(1 for s in late if kind_needed(s, "bomb") and s["events"]["blast"])
    top = [by[n] for n in range(91, 101) if n in by]
    f["top pushes"] = median(s["pushes"] for s in top)
    f["top changes"] = median(s["boxChanges"] for s in top)
    f["top distinct"] = median(s["distinctBoxes"] for s in top)
    f["top states"] = median(s["states"] for s in top)
    f["rank corr"] = spearman([s["stage"] for s in stages], [s["pushes"] for s in stages])
    tut = [by[n] for n in range(1, 11) if n in by]
    f["tutorial dead median"] = median(s["deadShare"] for s in tut)
    f["tutorial dead max"] = max((s["deadShare"] or 0) for s in tut)
    walls = sum(s["wallsInBox"] for s in stages)
    f["walls irrelevant"] = sum(s["wallsIrrelevant"] for s in stages) / walls if walls else 0
    buried = sum(s.get("wallsBuried", 0) for s in stages)
    touching = walls - buried
    f["walls touching idle"] = (sum(s["wallsIrrelevant"] for s in stages) - buried) / touching if touching and "wallsBuried" in stages[0] else None
    f["walls buried"] = buried / walls if walls and "wallsBuried" in stages[0] else None
    f["walls over 15"] = sum(1 for s in stages if s["wallsInBox"] and s["wallsIrrelevant"] / s["wallsInBox"] > 0.15)
    f["hardest"] = max(stages, key=lambda s: s["states"])
    if solve_log:
        f["solve log"] = [l.strip() for l in open(solve_log) if "stages," in l][-1]
    return f


# What the shipped solution makes of its room and how the set climbs; the
# fields come from the light measure too (rara3-solve --measure --light).
CLIMB = [3, 4, 5, 6, 8, 10, 12, 16, 25]  # median pushes of 11-20 ... 91-100
DECADES = [(first, first + 9) for first in range(11, 101, 10)]


def unused(s):
    return 1 - s["used"] / s["floor"] if s.get("floor") else None


def per100(s, key):
    return 100.0 * s[key] / s["floor"] if s.get("floor") else None


def idle_beside(s):
    return s["wallsBesideIdle"] / s["wallsBeside"] if s.get("wallsBeside") else None


def haul_share(s):
    return s["haulage"] / s["pushes"] if s["pushes"] else 0


def pattern(s):
    return "%s after %s" % (s["lastEvent"], s["kindsPushed"])


def stage_choices(s):
    return median(s["choices"]) if s.get("choices") else None


def featured_needed(s, share=0.30):
    """Every kind the idea line names, taken away on its own, leaves the
    stage unsolvable or at least share longer in moves."""
    named = [k for k in s["kindsWithout"] if k["named"]]
    return all(k["without"] == "unsolvable" or (k["without"] == "longer" and k["delta"] >= share * s["moves"])
               for k in named)


def named_kinds(s):
    return [k["kind"] for k in s["kindsWithout"] if k["named"]]


def bypass(s):
    """How a stage can be won around its idea: fewer than 3 pushes in all,
    or a fewest-push solution that skips a kind the idea line names: it
    neither pushes nor runs into a box of it, or the shipped solution pushes
    the kind and it does not. None when it cannot (or the fewest pushes were
    not measured)."""
    if s.get("fewestPushes") is None:
        return None
    why = []
    if s["fewestPushes"] < 3:
        why.append("%d pushes" % s["fewestPushes"])
    used = s["fewestPushUses"].split(",")
    pushed = s["fewestPushKinds"].split(",")
    shipped = s["kindsPushed"].split(",")
    skipped = [k for k in named_kinds(s) if k not in used or (k in shipped and k not in pushed)]
    if skipped:
        why.append("without the %s" % " and ".join(skipped))
    return "; ".join(why) or None


def fewest_text(s):
    if s.get("fewestPushes") is None:
        return "-"
    return "%d (%s)" % (s["fewestPushes"], s["fewestPushKinds"])


def decade(stages, first, last):
    return [s for s in stages if first <= s["stage"] <= last]


def shape_figures(stages):
    f = {}
    late = [s for s in stages if s["stage"] > 10]
    f["unused"] = median(unused(s) for s in late)
    f["unused tens"] = [median(unused(s) for s in decade(stages, a, b)) for a, b in DECADES]
    f["corners tens"] = [median(per100(s, "outlineCorners") for s in decade(stages, a, b)) for a, b in DECADES]
    f["stubs tens"] = [median(per100(s, "stubs") for s in decade(stages, a, b)) for a, b in DECADES]
    f["idle beside"] = median(idle_beside(s) for s in late)
    f["haulers"] = [s["stage"] for s in stages if s["pushes"] >= 5 and haul_share(s) > 0.20]
    patterns = {}
    for s in late:
        patterns.setdefault(pattern(s), []).append(s["stage"])
    f["pattern max"] = max(patterns.items(), key=lambda kv: len(kv[1]))
    by = {s["stage"]: s for s in stages}
    f["pattern neighbours"] = [n for n in range(11, 100) if n in by and n + 1 in by and pattern(by[n]) == pattern(by[n + 1])]
    f["push tens"] = [median(s["pushes"] for s in decade(stages, a, b)) for a, b in DECADES]
    f["under 3"] = [s["stage"] for s in late if s["pushes"] < 3]
    f["bypassed"] = [s["stage"] for s in late if bypass(s)] if any("fewestPushes" in s for s in late) else None
    f["moments 31-60"] = median(s["ideaMoments"] for s in stages if 31 <= s["stage"] <= 60)
    f["moments 61-100"] = median(s["ideaMoments"] for s in stages if 61 <= s["stage"] <= 100)
    f["choices tens"] = [median(stage_choices(s) for s in decade(stages, a, b)) for a, b in DECADES]
    f["states tens"] = [median(s["states"] for s in decade(stages, a, b)) for a, b in DECADES]
    naming = [s for s in stages if any(k["named"] for k in s["kindsWithout"])]
    f["featured"] = (sum(1 for s in naming if featured_needed(s)), len(naming))
    f["featured any"] = (sum(1 for s in naming if featured_needed(s, 1e-9)), len(naming))
    return f


def tens_text(values, fmt="%g"):
    return ", ".join(fmt % v for v in values)


def rises(values, factor):
    return all(b > a and b <= factor * a for a, b in zip(values, values[1:]))


SHAPE_GOALS = [
    ("Unused floor, median of 11-100: at most 0.40; every ten-stage median at most 0.50",
     lambda f: "%.2f (tens: %s)" % (f["unused"], tens_text(f["unused tens"], "%.2f")),
     lambda f: f["unused"] <= 0.40 and max(f["unused tens"]) <= 0.50),
    ("Outline corners per 100 floor cells, every ten-stage median: at most 30",
     lambda f: tens_text(f["corners tens"], "%.0f"), lambda f: max(f["corners tens"]) <= 30),
    ("One-cell wall stubs per 100 floor cells, every ten-stage median: at most 3",
     lambda f: tens_text(f["stubs tens"], "%.1f"), lambda f: max(f["stubs tens"]) <= 3),
    ("Walls beside the floor with no used cell next to them, median share after 10: at most 0.35",
     lambda f: "%.2f" % f["idle beside"], lambda f: f["idle beside"] <= 0.35),
    ("Stages of 5 pushes or more with haulage over 20 %: at most 3",
     lambda f: "%d (%s)" % (len(f["haulers"]), ", ".join(map(str, f["haulers"])) or "-"),
     lambda f: len(f["haulers"]) <= 3),
    ("Most stages after 10 sharing a solution pattern: at most 6",
     lambda f: "%d (%s)" % (len(f["pattern max"][1]), f["pattern max"][0]), lambda f: len(f["pattern max"][1]) <= 6),
    ("Neighbouring stages sharing a pattern: none",
     lambda f: "%d" % len(f["pattern neighbours"]), lambda f: not f["pattern neighbours"]),
    ("Median pushes per ten stages 11-100: rising, at most 1.8 x, at least 3, 4, 5, 6, 8, 10, 12, 16, 25",
     lambda f: tens_text(f["push tens"]),
     lambda f: rises(f["push tens"], 1.8) and all(v >= g for v, g in zip(f["push tens"], CLIMB))),
    ("Stages after 10 under 3 pushes: none",
     lambda f: "%d" % len(f["under 3"]), lambda f: not f["under 3"]),
    ("Stages after 10 won in under 3 pushes, or in fewest pushes without a kind the idea line names: none",
     lambda f: "-" if f["bypassed"] is None else "%d (%s)" % (len(f["bypassed"]), ", ".join(map(str, f["bypassed"])) or "-"),
     lambda f: f["bypassed"] == []),
    ("Idea moments, median: at least 1 in 31-60, at least 2 in 61-100",
     lambda f: "%g, %g" % (f["moments 31-60"], f["moments 61-100"]),
     lambda f: f["moments 31-60"] >= 1 and f["moments 61-100"] >= 2),
    ("Choices (distinct pushes per step), every ten-stage median after 10: at least 3",
     lambda f: tens_text(f["choices tens"], "%.1f"), lambda f: min(f["choices tens"]) >= 3),
    ("Median states searched per ten stages: rising, at most 6 x",
     lambda f: tens_text(f["states tens"], "%.0f"), lambda f: rises(f["states tens"], 6)),
    ("Stages naming kinds where each named kind is needed (unsolvable or 30 % longer): at least 80 %",
     lambda f: frac(f["featured"]), lambda f: f["featured"][1] and f["featured"][0] >= 0.8 * f["featured"][1]),
]


def shape_goals_table(new, old):
    out = ["| Goal | Before | Now | Reached |", "|---|---|---|---|"]
    for name, show, ok in SHAPE_GOALS:
        out.append("| %s | %s | %s | %s |" % (name, show(old) if old else "-", show(new), "yes" if ok(new) else "**no**"))
    return "\n".join(out)


def shape_per_ten(stages):
    out = ["| Stages | Pushes | Unused floor | Corners /100 | Stubs /100 | Idle walls beside | Haulage | Idea moments | Choices | States | Patterns |",
           "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"]
    for first in range(1, 101, 10):
        g = decade(stages, first, first + 9)
        if not g:
            continue
        out.append("| Stages %d-%d | %g | %.2f | %.0f | %.1f | %.2f | %.2f | %g | %.1f | {:,.0f} | %d |".format(median(s["states"] for s in g)) % (
            first, first + 9, median(s["pushes"] for s in g), median(unused(s) for s in g),
            median(per100(s, "outlineCorners") for s in g), median(per100(s, "stubs") for s in g),
            median(idle_beside(s) for s in g), median(haul_share(s) for s in g),
            median(s["ideaMoments"] for s in g), median(stage_choices(s) for s in g), len({pattern(s) for s in g})))
    return "\n".join(out)


def shape_per_stage(stages):
    out = ["| Stage | Floor | Unused | Corners /100 | Stubs /100 | Idle walls beside | Pushes | Fewest pushes (kinds) | Haulage | Idea moments | Choices | Pattern | Named kinds needed (30 %) |",
           "|---|---:|---:|---:|---:|---:|---:|---|---:|---:|---:|---|---|"]
    for s in stages:
        named = any(k["named"] for k in s["kindsWithout"])
        out.append("| Stage %d | %d | %.2f | %.0f | %.1f | %.2f | %d | %s | %d | %d | %g | %s | %s |" % (
            s["stage"], s["floor"], unused(s), per100(s, "outlineCorners"), per100(s, "stubs"), idle_beside(s),
            s["pushes"], fewest_text(s), s["haulage"], s["ideaMoments"], stage_choices(s), pattern(s),
            ("yes" if featured_needed(s) else "no") if named else "-"))
    return "\n".join(out)


def pct(x):
    return "%.0f %%" % (100 * x)


def frac(p):
    n, d = p
    return "%d of %d (%s)" % (n, d, pct(n / d) if d else "-")


GOALS = [
    ("Median bounding box at least 12 x 10", lambda f: f["median box"], lambda f: f["median width"] >= 12 and f["median height"] >= 10),
    ("Stages of 16 x 12 or more: at least 20", lambda f: str(f["16x12"]), lambda f: f["16x12"] >= 20),
    ("Inner cells open in some stage: at least 250 of 324", lambda f: str(f["cells used"]), lambda f: f["cells used"] >= 250),
    ("Median open cells, stages 51-100: at least 90", lambda f: "%g" % f["open 51-100"], lambda f: f["open 51-100"] >= 90),
    ("Median pairwise bounding-box overlap: at most 0.35", lambda f: "%.2f" % f["overlap"], lambda f: f["overlap"] <= 0.35),
    ("Areas centred 3 or more cells off the board's centre: at least 25", lambda f: str(f["off centre"]), lambda f: f["off centre"] >= 25),
    ("Stages repeating another's shape: none", lambda f: str(f["shape repeats"]), lambda f: f["shape repeats"] == 0),
    ("Rooms joined by a corridor or door: at least 15", lambda f: str(f["doors"]), lambda f: f["doors"] >= 15),
    ("Inert objects (removed alone, same length): none", lambda f: "%d of %d" % (f["inert"], f["objects"]), lambda f: f["inert"] == 0),
    ("Objects whose removal leaves it solvable and at most 3 moves shorter: at most 10 %", lambda f: pct(f["cheap share"]), lambda f: f["cheap share"] <= 0.10),
    ("Stages naming kinds where every named kind is needed: at least 80 %", lambda f: frac(f["named needed"]), lambda f: f["named needed"][1] and f["named needed"][0] >= 0.8 * f["named needed"][1]),
    ("Vanish needed after the tutorial: at least 12 stages", lambda f: str(f["vanish needed"]), lambda f: f["vanish needed"] >= 12),
    ("Step needed after the tutorial: at least 12", lambda f: str(f["step needed"]), lambda f: f["step needed"] >= 12),
    ("Slide needed after the tutorial: at least 12", lambda f: str(f["slide needed"]), lambda f: f["slide needed"] >= 12),
    ("Copy change needed after the tutorial: at least 12", lambda f: str(f["copy needed"]), lambda f: f["copy needed"] >= 12),
    ("Blast needed after the tutorial: at least 12", lambda f: str(f["blast needed"]), lambda f: f["blast needed"] >= 12),
    ("Stages 91-100, median pushes: at least 25", lambda f: "%g" % f["top pushes"], lambda f: f["top pushes"] >= 25),
    ("Stages 91-100, median box changes: at least 10", lambda f: "%g" % f["top changes"], lambda f: f["top changes"] >= 10),
    ("Stages 91-100, median distinct boxes pushed: at least 6", lambda f: "%g" % f["top distinct"], lambda f: f["top distinct"] >= 6),
    ("Stages 91-100, median states searched: at least 1,000,000", lambda f: "{:,.0f}".format(f["top states"]), lambda f: f["top states"] >= 1e6),
    ("Rank correlation of stage number and pushes: at least 0.9", lambda f: "%.2f" % f["rank corr"], lambda f: f["rank corr"] >= 0.9),
    ("Stages 1-10, median dead-end share: at most 30 %", lambda f: pct(f["tutorial dead median"]), lambda f: f["tutorial dead median"] <= 0.30),
    ("Stages 1-10, highest dead-end share: at most 60 %", lambda f: pct(f["tutorial dead max"]), lambda f: f["tutorial dead max"] <= 0.60),
    ("Wall cells in the bounding box irrelevant to the shortest solution: at most 15 %", lambda f: "%s (%d stages above 15 %%)" % (pct(f["walls irrelevant"]), f["walls over 15"]), lambda f: f["walls irrelevant"] <= 0.15),
]


# Goals of the set before that tight rooms replaced: each stage is now as
# small as its idea allows, and the walls are measured beside the floor.
SUPERSEDED = {"Median bounding box at least 12 x 10", "Stages of 16 x 12 or more: at least 20",
              "Median open cells, stages 51-100: at least 90",
              "Wall cells in the bounding box irrelevant to the shortest solution: at most 15 %"}


def goals_table(new, old):
    out = ["| Goal | Old set | New set | Reached |", "|---|---|---|---|"]
    for name, show, ok in GOALS:
        reached = "yes" if ok(new) else "given up: stages now as small as their idea" if name in SUPERSEDED else "**no**"
        out.append("| %s | %s | %s | %s |" % (name, show(old) if old else "-", show(new), reached))
    if new.get("walls buried") is not None:
        out.append("")
        out.append("Of the wall cells inside the bounding boxes, %s have no cell of the playing area beside them "
                   "(the solid mass between and around rooms, idle by definition); of those that do, %s are idle."
                   % (pct(new["walls buried"]), pct(new["walls touching idle"])))
    return "\n".join(out)


def per_ten(stages):
    out = ["| Stages | Box (median) | Open cells | Moves | Pushes | Box changes | Boxes pushed | States | Dead ends | Objects | Cheap objects |",
           "|---|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|"]
    for first in range(1, 101, 10):
        group = [s for s in stages if first <= s["stage"] < first + 10]
        if not group:
            continue
        objs = [o for s in group for o in s["objects"]]
        cheap = sum(1 for o in objs if o["without"] == "same" or (o["without"] == "shorter" and o["delta"] >= -3))
        dead = median(s["deadShare"] for s in group)
        out.append("| Stages %d-%d | %g x %g | %g | %g | %g | %g | %g | {:,.0f} | %s | %d | %d |".format(median(s["states"] for s in group)) % (
            first, first + 9, median(s["width"] for s in group), median(s["height"] for s in group),
            median(s["open"] for s in group), median(s["moves"] for s in group), median(s["pushes"] for s in group),
            median(s["boxChanges"] for s in group), median(s["distinctBoxes"] for s in group),
            "n/a" if math.isnan(dead) else pct(dead), len(objs), cheap))
    return "\n".join(out)


def events_of(s):
    e = s["events"]
    names = [("pairing", "pair"), ("vanish", "vanish"), ("copy", "copy"), ("blast", "blast"), ("step", "step"), ("slide", "slide")]
    return ", ".join("%s %d" % (label, e[k]) for k, label in names if e[k])


def object_summary(s):
    counts = {}
    for o in s["objects"]:
        key = o["without"] if o["without"] in ("unsolvable", "unknown") else "%s %+d" % (o["without"], o["delta"]) if o["delta"] else "same"
        counts[key] = counts.get(key, 0) + 1
    return ", ".join("%s x%d" % (k, v) if v > 1 else k for k, v in sorted(counts.items()))


def per_stage(stages):
    out = ["| Stage | Box | Centre | Open | Objects | Moves | Pushes | Changes | Boxes | Events | Dead ends | Without each object | Named kinds without | Walls idle |",
           "|---|---|---|---:|---|---:|---:|---:|---:|---|---:|---|---|---:|"]
    for s in stages:
        kinds = ", ".join("%s %d" % (k, v) for k, v in s["kinds"].items() if k != "solid")
        named = ", ".join("%s: %s" % (k["kind"], k["without"]) for k in s["kindsWithout"] if k["named"]) or "-"
        dead = "n/a" if s["deadShare"] is None else "%.0f %%" % (100 * s["deadShare"])
        out.append("| Stage %d | %d x %d | %g, %g | %d | %s | %d | %d | %d | %d | %s | %s | %s | %s | %d/%d |" % (
            s["stage"], s["width"], s["height"], s["centre"][0], s["centre"][1], s["open"], kinds,
            s["moves"], s["pushes"], s["boxChanges"], s["distinctBoxes"], events_of(s), dead,
            object_summary(s), named, s["wallsIrrelevant"], s["wallsInBox"]))
    return "\n".join(out)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("new")
    ap.add_argument("--old")
    ap.add_argument("--section", choices=["goals", "tens", "stages", "all", "shape-goals", "shape-tens", "shape-stages", "bypass"], default="all")
    args = ap.parse_args()
    new = load(args.new)
    if args.section == "bypass":
        for st in new:
            if st["stage"] > 10 and bypass(st):
                print("%d %s: shipped %d pushes, fewest %s; %s" % (st["stage"], st["title"], st["pushes"], fewest_text(st), bypass(st)))
                print("   idea: %s\n   fewest: %s" % (st["idea"], "; ".join(st["fewestPushStory"])))
        return 0
    if args.section.startswith("shape-"):
        if args.section == "shape-goals":
            print(shape_goals_table(shape_figures(new), shape_figures(load(args.old)) if args.old else None))
        elif args.section == "shape-tens":
            print(shape_per_ten(new))
        else:
            print(shape_per_stage(new))
        return 0
    nf = figures(new)
    of = figures(load(args.old)) if args.old else None
    if args.section in ("goals", "all"):
        print(goals_table(nf, of))
        h = nf["hardest"]
        print("\nMost states searched: stage %d (%s states, %.2f s)." % (h["stage"], "{:,}".format(h["states"]), h["solveSeconds"]))
        print()
    if args.section in ("tens", "all"):
        print(per_ten(new))
        print()
    if args.section in ("stages", "all"):
        print(per_stage(new))
    return 0


if __name__ == "__main__":
    sys.exit(main())
