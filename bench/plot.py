#!/usr/bin/env python3
"""Draws the benchmark's time against route length as an SVG, and prints the
figures as a Markdown table: plot.py BENCH_JSON OUT_SVG."""
import json
import sys


def medians(path):
    with open(path) as f:
        data = json.load(f)
    rows = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name", "median") != "median":
            continue
        name = b["run_name"] if "run_name" in b else b["name"]
        rows[name] = b
    return rows


def table(rows):
    print("| Benchmark | Run median (ms) | Run p90 (ms) | Floor median (ms) | Floor p90 (ms) "
          "| Ratio median | Ratio p90 | MB/s | Peak MiB |")
    print("|---|---|---|---|---|---|---|---|---|")
    fmt = lambda v, spec: (spec % v) if v is not None else ""
    for name, b in rows.items():
        # Timed against a floor: the median of its pairs; else the mean time.
        run = b.get("run_ms", b["real_time"])
        mbs = b.get("bytes_per_second", 0) / 1e6
        cells = [fmt(run, "%.2f"), fmt(b.get("run_p90_ms"), "%.2f"),
                 fmt(b.get("floor_ms"), "%.2f"), fmt(b.get("floor_p90_ms"), "%.2f"),
                 fmt(b.get("ratio"), "%.3f"), fmt(b.get("ratio_p90"), "%.3f"),
                 fmt(mbs or None, "%.0f"), fmt(b.get("peak_MiB"), "%.1f")]
        label = name.split("/iterations")[0].split("/manual_time")[0]
        print(f"| {label} | " + " | ".join(cells) + " |")


def svg(rows, out):
    points = []
    for name, b in rows.items():
        if name.startswith("BM_PercorsoGenerato/"):
            km = int(name.split("/")[1])
            points.append((km, b["run_ms"], b["floor_ms"], b["run_p90_ms"],
                           b["floor_p90_ms"]))
    points.sort()
    if not points:
        return
    w, h, m = 640, 400, 60
    max_km = max(p[0] for p in points)
    max_ms = max(max(p[1:]) for p in points) * 1.1
    x = lambda km: m + (w - 2 * m) * km / max_km
    y = lambda ms: h - m - (h - 2 * m) * ms / max_ms
    parts = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
             f'font-family="sans-serif" font-size="12">',
             f'<rect width="{w}" height="{h}" fill="white"/>',
             f'<line x1="{m}" y1="{h - m}" x2="{w - m}" y2="{h - m}" stroke="black"/>',
             f'<line x1="{m}" y1="{m}" x2="{m}" y2="{h - m}" stroke="black"/>',
             f'<text x="{w / 2}" y="{h - 20}" text-anchor="middle">route length (km)</text>',
             f'<text x="15" y="{h / 2}" transform="rotate(-90 15 {h / 2})" '
             f'text-anchor="middle">time (ms)</text>']
    for km, *_ in points:
        parts.append(f'<text x="{x(km)}" y="{h - m + 16}" text-anchor="middle">{km}</text>')
    for tick in range(0, int(max_ms) + 1, max(1, int(max_ms / 5))):
        parts.append(f'<text x="{m - 6}" y="{y(tick) + 4}" text-anchor="end">{tick}</text>')
    # Medians solid, 90th percentiles dashed.
    lines = [("#c0392b", "", "compile end to end, median"),
             ("#2c3e50", "", "I/O floor, median"),
             ("#c0392b", ' stroke-dasharray="6 4"', "compile end to end, 90th percentile"),
             ("#2c3e50", ' stroke-dasharray="6 4"', "I/O floor, 90th percentile")]
    for index, (colour, dash, label) in enumerate(lines):
        coords = " ".join(f"{x(p[0]):.1f},{y(p[1 + index]):.1f}" for p in points)
        parts.append(f'<polyline points="{coords}" fill="none" stroke="{colour}" '
                     f'stroke-width="2"{dash}/>')
        for p in points:
            parts.append(f'<circle cx="{x(p[0]):.1f}" cy="{y(p[1 + index]):.1f}" r="3" '
                         f'fill="{colour}"/>')
        parts.append(f'<text x="{m + 10}" y="{m + 16 * index}" fill="{colour}">{label}</text>')
    parts.append("</svg>")
    with open(out, "w") as f:
        f.write("\n".join(parts) + "\n")


def main():
    rows = medians(sys.argv[1])
    table(rows)
    svg(rows, sys.argv[2])


if __name__ == "__main__":
    main()
