#!/usr/bin/env python3
"""Spearman rank correlation of the difficulty score with published ratings.

Usage: spearman.py RATED_TSV RATE_JSON
  RATED_TSV  lines "puzzle<TAB>rating" (../shared/corpus/rated.tsv)
  RATE_JSON  the output of `tavimoro-cli rate --extended RATED_TSV`, one
             JSON object per line in the same order, each with "score"
Prints the correlation and the number of puzzles; exits 1 when the files
do not pair up.
"""
import json
import sys


def ranks(values):
    """Average ranks (ties share the mean of their positions)."""
    order = sorted(range(len(values)), key=lambda i: values[i])
    out = [0.0] * len(values)
    i = 0
    while i < len(order):
        j = i
        while j + 1 < len(order) and values[order[j + 1]] == values[order[i]]:
            j += 1
        for k in range(i, j + 1):
            out[order[k]] = (i + j) / 2 + 1
        i = j + 1
    return out


def spearman(xs, ys):
    rx, ry = ranks(xs), ranks(ys)
    n = len(xs)
    mx, my = sum(rx) / n, sum(ry) / n
    cov = sum((a - mx) * (b - my) for a, b in zip(rx, ry))
    vx = sum((a - mx) ** 2 for a in rx)
    vy = sum((b - my) ** 2 for b in ry)
    return cov / (vx * vy) ** 0.5


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    with open(sys.argv[1]) as f:
        published = [float(line.split("\t")[1]) for line in f if "\t" in line]
    with open(sys.argv[2]) as f:
        scores = [json.loads(line)["score"] for line in f if line.strip()]
    if len(published) != len(scores) or not scores:
        print(f"{len(published)} ratings but {len(scores)} scores", file=sys.stderr)
        return 1
    print(f"spearman {spearman(scores, published):.4f} over {len(scores)} puzzles")
    return 0


if __name__ == "__main__":
    sys.exit(main())
