#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Quintor-Entwickler
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes a data folder with signed player profiles (and optionally a signed
rule template) for screenshots and manual tests.

Usage: quintor-data.py FOLDER [--columns N] [--design N] [--redo] NAME[:DICETYPE[:COMPUTER]] ...
COMPUTER: 1 Anfänger, 2 Fortgeschritten, 3 Profi; without it a person.
"""
import argparse
import os

ALPHABET = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"


def encode_key(text: bytes) -> str:
    key, scrambled = 8349, bytearray()
    for b in text:
        c = b ^ (key >> 8)
        scrambled.append(c)
        key = ((key + c) * 52845 + 22719) & 0xFFFF
    out = []
    for i in range(0, len(scrambled), 3):
        group = scrambled[i:i + 3]
        v = sum(byte << (8 * n) for n, byte in enumerate(group))
        out += [ALPHABET[(v >> (6 * n)) & 63] for n in range(len(group) + 1)]
    return "".join(out)


def write_signed(path: str, lines: list) -> None:
    data = [line.encode("cp1252") for line in lines]
    signed = b"".join(line for line in data if b"Key" not in line)
    data.append(b"Key=" + encode_key(signed).encode("ascii"))
    with open(path, "wb") as f:
        f.write(b"".join(line + b"\r\n" for line in data))


def main() -> None:
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("--columns", type=int, default=1)
    parser.add_argument("--design", type=int, default=0)
    parser.add_argument("--redo", action="store_true", help="entries are confirmed and can be taken back")
    parser.add_argument("players", nargs="+")
    args = parser.parse_args()
    os.makedirs(args.folder, exist_ok=True)
    for number, entry in enumerate(args.players, start=1):
        name, _, rest = entry.partition(":")
        dice, _, computer = rest.partition(":")
        lines = ["[PLAYER]", "MatchesWon=0", f"Name={name}", "Plays=1", "Background=",
                 "BackgroundType=0", f"DiceType={dice or 0}"]
        if computer:
            lines.append(f"Computer={computer}")
        write_signed(os.path.join(args.folder, f"Player{number}.qtp"), lines)
    if args.columns != 1 or args.design != 0 or args.redo:
        write_signed(os.path.join(args.folder, "Quintor.ini"), [
            "[Settings]", f"DesignName={args.design}", "MultTavolex=1", "DiceCount=3",
            f"GameCount={args.columns}", "Name=Default",
            "ExtOptions=08|63,09|35,14|25,15|30,16|40,17|50,24|100,25|0",
            f"AllowRedo={int(args.redo)}", "ShowHint=1"])


if __name__ == "__main__":
    main()
