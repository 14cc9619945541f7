#!/usr/bin/env python3
"""Calibration of the chances to win in a quimba-sim trace made with --chances.

    quimba-sim --games 20000 --players 2 --strategy optimal --type normal --trace t.jsonl --chances
    sim/calibration.py t.jsonl

Every seat's chance at every turn start is one prediction; it comes true
when that seat wins the game (highest final total, ties to the lower seat).
Predictions are grouped in tenths; each group shows its count, the mean
prediction and how often they came true. The mean squared error (Brier
score) is compared with two predictions that use the current totals alone:
"leader", the seats with the most points on the sheet now share a chance of
1; and "equal", 1/players for every seat.
"""
import json
import sys


def winner(totals):
    best = 0
    for seat, total in enumerate(totals):
        if total > totals[best]:
            best = seat
    return best


def main(path):
    groups = [[0, 0.0, 0] for _ in range(10)]  # count, sum of predictions, came true
    brier = {"chances": 0.0, "leader": 0.0, "equal": 0.0}
    count = 0
    game = []  # (chances, points now) per turn start
    points = []
    upper = []
    players = 0
    with open(path) as f:
        for line in f:
            e = json.loads(line)
            ev = e["ev"]
            if ev == "game":
                players = e["players"]
                game = []
                points = [0] * players
                upper = [0] * players
            elif ev == "chances":
                game.append((e["p"], list(points)))
            elif ev == "write":
                # Points on the sheet as the game adds them: "Moins" is taken
                # off, and the bonus comes once the number rows reach 63.
                seat, row, value = e["player"], e["row"], int(e["value"])
                points[seat] += -value if row == 10 else value
                if row <= 6:
                    before = upper[seat]
                    upper[seat] += value
                    if before < 63 <= upper[seat]:
                        points[seat] += 35
            elif ev == "end":
                totals = [int(t) for t in e["totals"]]
                won = winner(totals)
                for p, now in game:
                    top = max(now)
                    leaders = [s for s in range(players) if now[s] == top]
                    for seat in range(players):
                        y = 1.0 if seat == won else 0.0
                        g = min(9, int(p[seat] * 10))
                        groups[g][0] += 1
                        groups[g][1] += p[seat]
                        groups[g][2] += y
                        brier["chances"] += (p[seat] - y) ** 2
                        lead = 1.0 / len(leaders) if seat in leaders else 0.0
                        brier["leader"] += (lead - y) ** 2
                        brier["equal"] += (1.0 / players - y) ** 2
                        count += 1
    print("| chance | predictions | mean prediction | came true | difference |")
    print("|---|---|---|---|---|")
    worst = 0.0
    for i, (n, total, true) in enumerate(groups):
        if n == 0:
            print(f"| {10 * i}-{10 * i + 10} % | 0 | | | |")
            continue
        mean = total / n
        freq = true / n
        diff = freq - mean
        if n >= 200:
            worst = max(worst, abs(diff))
        print(f"| {10 * i}-{10 * i + 10} % | {n} | {100 * mean:.2f} % | {100 * freq:.2f} % | {100 * diff:+.2f} |")
    print()
    print("mean squared error: " + ", ".join(f"{k} {v / count:.4f}" for k, v in brier.items()))
    print(f"largest difference in a group of 200 or more: {100 * worst:.2f} points")


if __name__ == "__main__":
    main(sys.argv[1])
