#!/usr/bin/env python3
"""Writes rilto32.reg, the default settings, from data/schemes.json.

The file holds the three built-in exercise schemes and the scheme in use, in
the registry editor's REGEDIT4 format (ASCII, CRLF line ends) that the first
run imports. Titles come from the exercise files in data/exercises/, so a
title is written in one place only. The script refuses a scheme that names an
exercise with no media, the title clip, or seconds outside the allowed range.

Usage: make-default-settings.py --data data --out build/windows/bin/rilto32.reg
"""

import argparse
import glob
import json
import os
import sys

ROOT_KEY = r"HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Rilto Micropause"
TITLE_FILE = "title.avi"
MIN_SECONDS, MAX_SECONDS = 15, 40


def reg_string(text):
    """A REGEDIT4 string value: quoted, with backslash and quote escaped."""
    if not text.isascii() or any(c in text for c in "\r\n\0"):
        raise ValueError(f"not a plain ASCII line: {text!r}")
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def key_block(name, values):
    lines = [f"[{ROOT_KEY}\\{name}]"]
    lines += [f"{reg_string(k)}={reg_string(v)}" for k, v in values]
    return lines


def load_titles(data_dir):
    titles = {}
    for path in sorted(glob.glob(os.path.join(data_dir, "exercises", "*.json"))):
        with open(path, encoding="utf-8") as f:
            exercise = json.load(f)
        titles[exercise["file"]] = exercise["title"]
    return titles


def check(config, titles):
    """The problems with a scheme list, as texts; none when it is sound."""
    problems = []
    names = [s["name"] for s in config["schemes"]]
    if len(set(n.lower() for n in names)) != len(names):
        problems.append("two schemes share a name")
    if config["current"] not in names:
        problems.append(f"the scheme in use, {config['current']!r}, is not listed")
    for scheme in config["schemes"]:
        name = scheme["name"]
        if not name or "]" in name or "\\" in name:
            problems.append(f"{name!r}: not usable as a key name")
        if not scheme["exercises"]:
            problems.append(f"{name}: no exercises")
        for file, seconds in scheme["exercises"]:
            if file.lower() == TITLE_FILE:
                problems.append(f"{name}: {TITLE_FILE} is shown at every start, not in a scheme")
            elif file not in titles:
                problems.append(f"{name}: no exercise makes {file}")
            if not isinstance(seconds, int) or not MIN_SECONDS <= seconds <= MAX_SECONDS:
                problems.append(f"{name}: {file} for {seconds} s, outside "
                                f"{MIN_SECONDS}..{MAX_SECONDS} s")
    return problems


def render(config, titles):
    """The whole file as text with CRLF line ends."""
    lines = ["REGEDIT4", ""]
    schemes = config["schemes"]
    listing = [("Num", str(len(schemes)))]
    listing += [(str(i), s["name"]) for i, s in enumerate(schemes, 1)]
    lines += key_block("Schemes", listing) + [""]
    for scheme in schemes:
        values = [("Num", str(len(scheme["exercises"])))]
        for k, (file, seconds) in enumerate(scheme["exercises"], 1):
            values += [(str(k), file), (f"d{k}", titles[file]), (f"y{k}", "1"),
                       (f"s{k}", str(seconds))]
        lines += key_block("Scheme" + scheme["name"], values) + [""]
    lines += key_block("Exercise", [("Scheme", config["current"])]) + [""]
    return "\r\n".join(lines)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--data", required=True, help="the data folder (schemes.json, exercises/)")
    parser.add_argument("--out", required=True, help="the .reg file to write")
    args = parser.parse_args(argv)

    with open(os.path.join(args.data, "schemes.json"), encoding="utf-8") as f:
        config = json.load(f)
    titles = load_titles(args.data)
    problems = check(config, titles)
    for problem in problems:
        print(f"make-default-settings: error: {problem}", file=sys.stderr)
    if problems:
        return 1
    text = render(config, titles)
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    with open(args.out, "w", encoding="ascii", newline="") as f:
        f.write(text)
    for scheme in config["schemes"]:
        total = sum(seconds for _, seconds in scheme["exercises"])
        print(f"  {scheme['name']:14} {len(scheme['exercises']):2d} exercises, "
              f"{total // 60}:{total % 60:02d} min")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
