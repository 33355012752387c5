#!/usr/bin/env python3
"""Writes the level pack: every level's scene model and level file, and the
pack's list assets/levels/pack.txt (order, names, level files and hints).

Usage: python3 tools/level/make_level.py [ROOT] [--only NAME]
(ROOT, the folder that holds assets/, defaults to this project's root;
--only NAME writes that level alone, and leaves pack.txt as it is; NAME may
also be a description in tools/level/levels/ not yet in the pack.)

Each level is described by a module of tools/level/levels/ (its docstring
says how it plays) built from the parts in tools/level/levelkit.py. The
first level, hammock, keeps its files at assets/models/ where a plain start
of the game reads them; the others live in assets/levels/NAME/.
"""
import importlib
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from levelkit import write_level  # noqa: E402
from levels import chute, hammock, leap, net, relay, turn  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
PACK_FILE = "assets/levels/pack.txt"

# The pack in the order a player meets it, each level asking for something
# the one before did not.
PACK = [hammock, turn, leap, relay, chute, net]

HINT_LIMIT = 60  # characters: the hint is one line under the level's name


def write_pack(levels, root):
    lines = ["# The level pack, in the order a player meets it: NAME LEVELFILE HINT.",
             "# Written by tools/level/make_level.py."]
    for level in levels:
        assert level.name.isalpha() and level.name.islower(), level.name
        assert len(level.hint) < HINT_LIMIT, level.hint
        lines.append("%s %s %s" % (level.name, level.level_file, level.hint))
    os.makedirs(os.path.dirname(os.path.join(root, PACK_FILE)), exist_ok=True)
    with open(os.path.join(root, PACK_FILE), "w") as handle:
        handle.write("\n".join(lines) + "\n")


def main():
    arguments = sys.argv[1:]
    if "-h" in arguments or "--help" in arguments:
        print(__doc__.strip())
        return
    only = None
    if "--only" in arguments:
        at = arguments.index("--only")
        only = arguments[at + 1]
        del arguments[at:at + 2]
    if len(arguments) > 1 or any(argument.startswith("-") for argument in arguments):
        sys.exit("usage: python3 tools/level/make_level.py [ROOT] [--only NAME] (--help says more)")
    root = os.path.abspath(arguments[0]) if arguments else ROOT
    levels = [description.build() for description in PACK]
    if only is not None and only not in [level.name for level in levels]:
        try:  # a level being made, not yet in the pack
            levels.append(importlib.import_module("levels." + only).build())
        except ModuleNotFoundError:
            sys.exit("no level named %s" % only)
    for level in levels:
        if only is not None and level.name != only:
            continue
        count = write_level(level, root)
        print("%s: wrote %s (%d triangles) and %s" % (level.name, level.scene_file, count, level.level_file))
    if only is None:
        write_pack(levels, root)
        print("wrote %s" % PACK_FILE)


if __name__ == "__main__":
    main()
