#!/usr/bin/python3
"""Prints the units of an XLIFF file as translate-toolkit reads it, one line per unit:
original, id, then source, target and developer note in hex of their UTF-8 (so that line breaks,
CR and blanks survive the comparison), tab-separated; "-" for a unit without target.

Usage: translate_toolkit_units.py FILE.xlf   (Debian translate-toolkit)
"""
import sys

from translate.storage import xliff


def main():
    store = xliff.xlifffile.parsefile(sys.argv[1])
    for unit in store.getunits():
        original, _, unit_id = unit.getid().rpartition("\x04")
        target = "-" if unit.target is None else unit.target.encode().hex()
        note = unit.getnotes(origin="developer").encode().hex()
        print("\t".join([original, unit_id, unit.source.encode().hex(), target, note]))


main()
