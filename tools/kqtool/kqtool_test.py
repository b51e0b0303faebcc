#!/usr/bin/env python3
"""Runs kqtool (the path given as the argument) and checks its output and exit statuses."""

import re
import subprocess
import sys

KQTOOL = sys.argv[1]

# (arguments, exit status, expected standard output or None, pattern for standard error)
CASES = [
    (["name", "U+0041"], 0, "LATIN CAPITAL LETTER A\n", r"^$"),
    (["name", "u+00c6"], 0, "LATIN CAPITAL LETTER AE (ash)\n", r"^$"),
    (["name", "U+4E00"], 0, "\n", r"^$"),
    (["block", "U+0800"], 0, "NKo\n", r"^$"),
    (["block", "U+1385"], 0, "Ethiopic Supplement \n", r"^$"),
    (["subblock", "U+35"], 0, "ASCII digits; 0000-007F:  \n", r"^$"),
    (["subblock", "U+F900"], 0,
     "Pronunciation variants from KS\u00a0X\u00a01001:1998; F900-FAFF:  \n", r"^$"),
    (["--help"], 0, None, r"^$"),
    ([], 2, "", r"no command given"),
    (["frobnicate"], 2, "", r"unknown command 'frobnicate'.*--help"),
    (["name"], 2, "", r"name takes 1 argument, got 0"),
    (["name", "U+0041", "U+0042"], 2, "", r"name takes 1 argument, got 2"),
    (["name", "0041"], 2, "", r"'0041' is not a code point of the form U\+XXXX"),
    (["block", "U+10000"], 2, "", r"not a code point"),
    (["subblock", "U+"], 2, "", r"not a code point"),
    (["name", "U+00G1"], 2, "", r"not a code point"),
    (["name", "U+80000000"], 2, "", r"'U\+80000000' is not a code point"),
    (["name", "U+FFFFFFFFFFFFFFFF"], 2, "", r"not a code point"),
    (["unicode-dump", "extra"], 2, "", r"unicode-dump takes 0 arguments, got 1"),
    (["sequence-defaults", "extra"], 2, "", r"sequence-defaults takes 0 arguments, got 1"),
]


def run(arguments):
    result = subprocess.run([KQTOOL] + arguments, capture_output=True, check=False)
    return result.returncode, result.stdout.decode("utf-8"), result.stderr.decode("utf-8")


def check_dump(failures):
    status, out, err = run(["unicode-dump"])
    if status != 0 or err:
        failures.append(f"unicode-dump: status {status}, {err!r}")
        return
    lines = out.split("\n")
    if lines.pop() != "":
        failures.append("unicode-dump: the last line has no line break")
    if len(lines) != 16374:
        failures.append(f"unicode-dump: {len(lines)} lines, not 16374")
    shapes = {"name": re.compile(r"name\t[0-9A-F]{4}\t[^\t]+"),
              "block": re.compile(r"block\t[0-9A-F]{4}\t[0-9A-F]{4}\t[^\t]+"),
              "subblock": re.compile(r"subblock\t[0-9A-F]{4}\t[0-9A-F]{4}\t[^\t]*")}
    kinds = [line.split("\t", 1)[0] for line in lines]
    order = sorted(kinds, key=["name", "block", "subblock"].index)
    if kinds != order:
        failures.append("unicode-dump: the tables are not printed one after the other")
    for kind, count in [("name", 14775), ("block", 136), ("subblock", 1463)]:
        if kinds.count(kind) != count:
            failures.append(f"unicode-dump: {kinds.count(kind)} {kind} lines, not {count}")
    for line in lines:
        shape = shapes.get(line.split("\t", 1)[0])
        if not shape or not shape.fullmatch(line):
            failures.append(f"unicode-dump: malformed line {line!r}")
            break
    for expected in ["name\t0000\t<control>", "block\tFFF0\tFFFF\tSpecials",
                     "subblock\t0378\t0379\t", "subblock\tAA60\tF8FF\t"]:
        if expected not in lines:
            failures.append(f"unicode-dump: no line {expected!r}")


def check_sequences(failures):
    for command, count, first, last in [
            ("sequence-defaults", 358,
             "My name<CRLF>My address<CRLF>My city<CRLF>My postcode<CRLF>My country\tad",
             "\u03a9\tgW"),
            ("sequence-ver1-defaults", 119, "\u20ac\t=e", "\u00ff\t\"y")]:
        status, out, err = run([command])
        lines = out.split("\n")
        if status != 0 or err or lines.pop() != "":
            failures.append(f"{command}: status {status}, {err!r}")
            continue
        if len(lines) != count or lines[0] != first or lines[-1] != last:
            failures.append(f"{command}: {len(lines)} lines from {lines[0]!r} to {lines[-1]!r}")
        if "\u00e9\t'e" not in lines:
            failures.append(f"{command}: no line for \u00e9")


def main():
    failures = []
    for arguments, status, out, err in CASES:
        got_status, got_out, got_err = run(arguments)
        if got_status != status or (out is not None and got_out != out) or \
                not re.search(err, got_err, re.S):
            failures.append(f"kqtool {' '.join(arguments)}: status {got_status}, "
                            f"output {got_out!r}, errors {got_err!r}")
    status, out, _ = run(["--help"])
    for command in ["unicode-dump", "name U+XXXX", "block U+XXXX", "subblock U+XXXX",
                    "sequence-defaults", "sequence-ver1-defaults"]:
        if command not in out:
            failures.append(f"--help does not show {command!r}")
    check_dump(failures)
    check_sequences(failures)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
