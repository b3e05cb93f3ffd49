#!/usr/bin/python3
"""docs/performance.md from the JSON of rara3_bench (make bench).

Usage: performance_report.py bench.json [frame-bench.txt [web-measure.txt]] > docs/performance.md
The machine is described from the JSON's context and from /proc/cpuinfo of
the machine the script runs on, which `make bench` makes the same one. The
optional second file is the output of rara3-frame-bench (the real game under
a virtual X server), shown as it is; the optional third the output of
`make web-measure` (the page in headless Chromium), shown the same way.
"""
import json
import os
import sys


WEB_INTRO = [
    "## The page in headless Chromium (make web-measure)",
    "",
    "Served from localhost as `make web-serve` serves it; the first frame is the median of",
    "five fresh loads from the page's start; the idle figures are stage 1 standing still for",
    "10 s with sound on. Goals: the first frame at most 300 ms, the page's main thread at most",
    "2 % of a core. The first frame cannot come before the bring-up's 200 ms pause has",
    "ended, and the pause begins only once the page has loaded and compiled the game, read",
    "the save folder back from the browser's storage and started main: 130-160 ms on this",
    "shared 2-core machine with nothing else running (the save folder is read and the",
    "one-copy lock asked for while the code downloads and compiles; the audio output and",
    "the sheets are made during the pause). The effects (1 MB, 0.81 MB gzipped) come after",
    "the first key, so the site's data file before it is 0.56 MB gzipped.",
    "",
    "A still picture is neither composed nor sent to the canvas; after 10 still passes the",
    "passes leave the display's frame callback (which makes the browser run its rendering",
    "step for the whole page) for a timer that wakes the page 30 times a second for two",
    "passes each, and a key, click or touch brings the frame callback back at once; the",
    "effects' mixer runs only while an effect sounds.",
    "",
]


# What rara3_bench cannot measure itself: the page's hint and the search
# after a move on positions met in random play (make web-measure-hint,
# bench/rara3-stuck-measure), figures from their last runs.
HINT_ELSEWHERE = [
    "In the browser (`make web-measure-hint`), where the search takes 10 ms of",
    "each frame while a hint is awaited: H on the start of stage 100, the mark",
    "3.72 s later, the game at 59.9 passes a second meanwhile; stage 98 1.40 s.",
    "",
    "Every shipped floor is decided from its start within the cap of the search",
    "after a move (600,000 positions); stages 1-90 each take under 50 ms. The",
    "game's search after a move on 985 positions met in random play on every",
    "stage (`rara3-stuck-measure --from 1 --to 100 --walks 4`): all 692 dead ones",
    "shown as \"no way out\", the slowest after 0.020 s, none claimed where a way",
    "out is left.",
    "",
]


def cpu_model():
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return "unknown"


def main():
    with open(sys.argv[1]) as f:
        report = json.load(f)
    ctx = report["context"]
    runs = {b["name"]: b for b in report["benchmarks"] if b.get("run_type", "iteration") == "iteration"}

    def get(name, field):
        b = runs.get(name)
        return None if b is None or field not in b else b[field]

    def fmt(v, digits=1):
        return "-" if v is None else f"{v:,.{digits}f}"

    out = []
    out.append("# Performance")
    out.append("")
    out.append("Made by `make bench` from the benchmarks under `bench/` (Google Benchmark)")
    out.append("with `bench/performance_report.py`; do not edit by hand.")
    out.append("")
    out.append("## Machine")
    out.append("")
    out.append(f"- date: {ctx.get('date', '?')}")
    out.append(f"- CPU: {cpu_model()}, nproc {os.cpu_count()}, {ctx.get('mhz_per_cpu', '?')} MHz")
    load = ctx.get("load_avg")
    if load:
        out.append(f"- load average while measuring: {', '.join(f'{x:.2f}' for x in load)}"
                   " (a shared machine: times below are CPU times of the measuring thread)")
    out.append(f"- build: {ctx.get('library_build_type', '?')} benchmark library, the game built RelWithDebInfo")
    out.append("")
    out.append("## Composing one frame, against a copy of the 640 x 480 RGB565 frame")
    out.append("")
    out.append("Each frame is composed and read once, as the display reads it to show it. Blits that")
    out.append("repeat the last frame's from its screen-covering start come from a kept copy of the")
    out.append("back buffer (one memcpy): a still frame costs about one copy, and a board whose first")
    out.append("box changes every frame still takes its floor from the copy; one whose floor changes")
    out.append("every frame draws every blit.")
    out.append("")
    out.append("| scene | CPU us per frame | memcpy us | x memcpy | blits from the copy | goal |")
    out.append("|---|---:|---:|---:|---:|---|")
    scenes = [("BM_ComposeIdleCrowded", "idle, crowded board (clear, 121 floor squares, 400 tiles)", "at most 10x"),
              ("BM_ComposeIdleCrowdedChanging", "the same board, its top-left box changing every frame", ""),
              ("BM_ComposeIdleCrowdedNewFloor", "the same board on another floor every frame (every blit drawn)", ""),
              ("BM_ComposePushExplosion", "push with an explosion", ""),
              ("BM_ComposeTitle", "title", "at most 4x"),
              ("BM_ComposeEditor", "editor", "")]
    for name, label, goal in scenes:
        cpu = get(name, "cpu_time")
        copy = get(name, "memcpy_ns")
        out.append(f"| {label} | {fmt(cpu / 1000 if cpu else None)} | {fmt(copy / 1000 if copy else None, 2)} | "
                   f"{fmt(get(name, 'x_memcpy'))} | {fmt(get(name, 'from_copy'), 0)} | {goal} |")
    out.append("")
    out.append("## The game without a screen, and the rules")
    out.append("")
    out.append("| measure | per second | goal |")
    out.append("|---|---:|---|")
    out.append(f"| headless passes, no pixels (replaying the shipped solutions) | "
               f"{fmt(get('BM_HeadlessPassesNoPixels', 'items_per_second'), 0)} | at least 50,000 |")
    out.append(f"| headless passes, every frame composed | "
               f"{fmt(get('BM_HeadlessPassesWithPixels', 'items_per_second'), 0)} | at least 2,000 |")
    out.append(f"| pure rules, moves (ApplyMove) | {fmt(get('BM_PureRulesMoves', 'items_per_second'), 0)} | "
               f"at least 1,000,000 |")
    out.append("")
    out.append("## Undo")
    out.append("")
    out.append("One undo at the end of a record of random moves on the shipped stage with the most")
    out.append("room: the remaining moves are played again from the stage's start.")
    out.append("")
    out.append("| record length (codes) | stage | CPU us per undo | goal |")
    out.append("|---:|---:|---:|---|")
    for name in sorted((n for n in runs if n.startswith("BM_UndoAtRecordLength/")), key=lambda n: int(n.split("/")[1])):
        length = int(name.split("/")[1])
        out.append(f"| {length} | {fmt(get(name, 'stage'), 0)} | {fmt(get(name, 'cpu_time'))} | "
                   f"{'under 1,000' if length == 8192 else ''} |")
    out.append("")
    out.append("## The solver")
    out.append("")
    out.append("| stage | states | ms per solve | states per second |")
    out.append("|---:|---:|---:|---:|")
    for name in sorted((n for n in runs if n.startswith("BM_SolverStates/")), key=lambda n: int(n.split("/")[1])):
        cpu = get(name, "cpu_time")
        out.append(f"| {name.split('/')[1]} | {fmt(get(name, 'states'), 0)} | {fmt(cpu, 2)} | "
                   f"{fmt(get(name, 'items_per_second'), 0)} |")
    out.append("")
    out.append('## The hint and "no way out" (rara3_bench --benchmark_filter=Hint)')
    out.append("")
    out.append("The search beside play keys positions between pushes (the player's reachable")
    out.append("floor in place of the cell). From the start of stage 100, the most positions")
    out.append("of any shipped floor, within the game's cap for a hint; goal: under 2 s.")
    out.append("")
    out.append("| search | positions | time | CPU |")
    out.append("|---|---:|---:|---:|")
    for name, what in (("BM_HintFromStart/0/iterations:1", "over pushes (the game's)"),
                       ("BM_HintFromStartInMoves/6000000/iterations:1", "over single moves (before)")):
        real, cpu = get(name, "real_time"), get(name, "cpu_time")
        out.append(f"| {what} | {fmt(get(name, 'states'), 0)} | "
                   f"{'-' if real is None else f'{real / 1000:.2f} s'} | "
                   f"{'-' if cpu is None else f'{cpu / 1000:.2f} s'} |")
    out.append("")
    out.extend(HINT_ELSEWHERE)
    if len(sys.argv) > 2:
        with open(sys.argv[2]) as f:
            lines = [line.rstrip() for line in f if not line.startswith(("ALSA lib", "CRITICAL"))]
        out.append("## The real game under a virtual X server (rara3-frame-bench)")
        out.append("")
        out.append("Xvfb at 1280 x 1024, the sound mixed into a file; goals: 60.0 +- 0.3 frames a second,")
        out.append("first frame within 400 ms of the start, the main thread outside composing and")
        out.append("presenting at most 1 % of a core (sleeping and other together).")
        out.append("")
        out.append("```")
        out.extend(lines)
        out.append("```")
        out.append("")
    if len(sys.argv) > 3:
        with open(sys.argv[3]) as f:
            lines = [line.rstrip() for line in f]
        out.extend(WEB_INTRO)
        out.append("```")
        out.extend(lines)
        out.append("```")
        out.append("")
    print("\n".join(out))


if __name__ == "__main__":
    main()
