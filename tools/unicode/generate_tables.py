#!/usr/bin/env python3
"""Generates src/charmap/generated/UnicodeTables.cpp from the Unicode 5.1.0 names list.

The names list (NamesList-5.1.0.txt, Latin-1) gives, for the Basic Multilingual Plane:
  "@@\tSTART\tTITLE\tSTOP"  a block; the block name is TITLE, or the part of it in
                            parentheses when it ends in one ("C0 Controls and Basic Latin
                            (Basic Latin)" is the block "Basic Latin");
  "@\t\tHEADING"            a sub-heading for the code points that follow it;
  "@+\t\tNOTICE"            a notice; under a sub-heading it is the note of the code points
                            that follow it;
  "XXXX\tNAME"              a listed code point with its name (a trailing " *" marks names
                            with a comment and is not part of the name);
  "\t..."                   alias, cross-reference, comment and decomposition lines, which
                            the tables do not hold.

Every listed code point is labelled "HEADING; NOTE", where NOTE is the current notice of its
sub-heading, or the range of its block ("0000-007F:  ") where there is none, cut to 255
characters. Notices that follow each other before any code point are joined with a blank; a
notice after some code points starts a new note. Unlisted code points have the empty label.
The sub-block table is the run-length encoding of the labels over U+0000..U+FFFF.

Usage:
  generate_tables.py NAMESLIST OUTPUT     writes the generated source
  generate_tables.py --check NAMESLIST FILE
                                          exits 1 if FILE differs from what would be written,
                                          77 (a skipped test) if NAMESLIST is absent
"""

import argparse
import os
import re
import sys

MAX_LABEL = 255
SKIPPED = 77
LAST_CODE = 0xFFFF

BLOCK_RE = re.compile(r"^@@\t([0-9A-F]{4,6})\t(.*)\t([0-9A-F]{4,6})$")
CODE_RE = re.compile(r"^([0-9A-F]{4,6})\t(.*)$")
TITLE_RE = re.compile(r"^.*\((.*)\)$")


class TablesError(Exception):
    pass


def parse(text):
    """Returns (blocks, names, labels): [(start, stop, name)], {code: name}, [label] * 65536."""
    blocks = []
    names = {}
    labels = [""] * (LAST_CODE + 1)
    heading = None
    note = []  # notice lines of the current note
    note_used = False  # whether a code point has taken the current note
    for number, line in enumerate(text.split("\n"), 1):
        line = line.rstrip("\r")
        block = BLOCK_RE.match(line)
        if block:
            start, stop = int(block.group(1), 16), int(block.group(3), 16)
            if start > LAST_CODE:
                break
            title = block.group(2)
            inner = TITLE_RE.match(title)
            blocks.append((start, stop, inner.group(1) if inner else title))
            heading, note, note_used = None, [], False
        elif line.startswith("@@"):
            continue  # the list's title and the block notices
        elif line.startswith("@+"):
            if heading is None:
                continue  # a notice of the whole block, not of a sub-heading
            notice = line[2:].lstrip(" \t")
            if not notice:
                raise TablesError(f"line {number}: empty notice")
            if note_used:
                note, note_used = [], False
            note.append(notice)
        elif line.startswith("@"):
            heading, note, note_used = line[1:].lstrip(" \t"), [], False
        else:
            entry = CODE_RE.match(line)
            if not entry:
                continue
            code = int(entry.group(1), 16)
            if code > LAST_CODE:
                continue
            name = entry.group(2)
            if name.endswith(" *"):
                name = name[:-2]
            if code in names:
                raise TablesError(f"line {number}: U+{code:04X} listed twice")
            if not blocks or not blocks[-1][0] <= code <= blocks[-1][1]:
                raise TablesError(f"line {number}: U+{code:04X} outside its block")
            if heading is None:
                raise TablesError(f"line {number}: U+{code:04X} has no sub-heading")
            names[code] = name
            start, stop = blocks[-1][0], blocks[-1][1]
            tail = " ".join(note) if note else f"{start:04X}-{stop:04X}:  "
            labels[code] = f"{heading}; {tail}"[:MAX_LABEL]
            note_used = True
    return blocks, names, labels


def run_lengths(labels):
    runs = []
    for code, label in enumerate(labels):
        if runs and runs[-1][2] == label:
            runs[-1][1] = code
        else:
            runs.append([code, code, label])
    return [tuple(run) for run in runs]


def check_shape(blocks, names, subblocks):
    for (_, stop, _), (start, _, _) in zip(blocks, blocks[1:]):
        if start <= stop:
            raise TablesError(f"blocks overlap at U+{start:04X}")
    codes = sorted(names)
    if codes[0] != 0 or codes[-1] != LAST_CODE:
        raise TablesError("the names do not run from U+0000 to U+FFFF")
    if subblocks[0][0] != 0 or subblocks[-1][1] != LAST_CODE:
        raise TablesError("the sub-blocks do not cover U+0000 to U+FFFF")
    texts = [name for _, _, name in blocks] + list(names.values())
    texts += [name for _, _, name in subblocks]
    for text in texts:
        if any(ord(c) > 0xFF for c in text) or len(text) > MAX_LABEL:
            raise TablesError(f"text cannot be stored: {text!r}")


class TextPool:
    """The tables' characters, one byte each, with every distinct text stored once."""

    def __init__(self):
        self.offsets = {}
        self.pieces = []
        self.size = 0

    def add(self, text):
        if text not in self.offsets:
            self.offsets[text] = self.size
            self.pieces.append(text)
            self.size += len(text)
        return self.offsets[text], len(text)


def literal(text):
    out = []
    for c in text:
        if c in '"\\':
            out.append("\\" + c)
        elif 0x20 <= ord(c) < 0x7F:
            out.append(c)
        else:
            out.append(f'\\x{ord(c):02X}""')  # the break ends the hexadecimal escape
    return '"' + "".join(out) + '"'


def comment(text):
    return "".join(c if 0x20 <= ord(c) < 0x7F else "?" for c in text)


def render(blocks, names, subblocks):
    """Block and sub-block names are texts of the pool. A character name is a run of words
    separated by single blanks, stored as indices into a word list; entry i of the name table
    holds the index of its first word, and its last word is the one before the next entry's
    first (or the last word of all)."""
    pool = TextPool()
    block_rows = []
    for start, stop, name in blocks:
        offset, length = pool.add(name)
        block_rows.append(f"    {{0x{start:04X}, 0x{stop:04X}, {{{offset}, {length}}}}},")
    subblock_rows = []
    for start, stop, name in subblocks:
        offset, length = pool.add(name)
        subblock_rows.append(f"    {{0x{start:04X}, 0x{stop:04X}, {{{offset}, {length}}}}},")

    word_index = {}
    word_rows = []
    tokens = []
    name_rows = []
    for code in sorted(names):
        name_rows.append(f"    {{0x{code:04X}, {len(tokens)}}},  // {comment(names[code])}")
        for word in names[code].split(" "):
            if word not in word_index:
                word_index[word] = len(word_index)
                offset, length = pool.add(word)
                word_rows.append(f"    {{{offset}, {length}}},")
            tokens.append(word_index[word])
    if pool.size >= 1 << 24 or len(tokens) > 0xFFFF or len(word_index) > 0x10000:
        raise TablesError("the tables are too large for their index types")
    token_rows = [
        "    " + " ".join(f"{t}," for t in tokens[i:i + 16]) for i in range(0, len(tokens), 16)
    ]

    out = [
        "// Generated by tools/unicode/generate_tables.py from NamesList-5.1.0.txt; do not edit.",
        "// Unicode 5.1.0 names, blocks and sub-blocks of the Basic Multilingual Plane.",
        "// Copyright (c) 1991-2008 Unicode, Inc.; the data is distributed under the Unicode",
        "// terms of use (http://www.unicode.org/terms_of_use.html).",
        "// clang-format off",
        '#include "charmap/UnicodeTables.h"',
        "",
        "namespace kq {",
        "",
        "const char UnicodeTextPool[] =",
    ]
    out += ["    " + literal(piece) for piece in pool.pieces]
    out[-1] += ";"
    out += ["", f"static_assert(sizeof(UnicodeTextPool) == {pool.size} + 1);", ""]
    out += ["const TUnicodeBlock UnicodeBlocks[] = {"] + block_rows + ["};", ""]
    out += ["const TUnicodeSubBlock UnicodeSubBlocks[] = {"] + subblock_rows + ["};", ""]
    out += ["const TTableText UnicodeNameWords[] = {"] + word_rows + ["};", ""]
    out += [f"const std::uint16_t UnicodeNameWordCount = {len(word_index)};", ""]
    out += ["const std::uint16_t UnicodeNameTokens[] = {"] + token_rows + ["};", ""]
    out += [f"const std::uint16_t UnicodeNameTokenCount = {len(tokens)};", ""]
    out += ["const TUnicodeCodepoint UnicodeCodepoints[] = {"] + name_rows + ["};", ""]
    out += ["}  // namespace kq", ""]
    return "\n".join(out)


def generate(names_list_path):
    with open(names_list_path, encoding="latin-1", newline="") as f:
        blocks, names, labels = parse(f.read())
    subblocks = run_lengths(labels)
    check_shape(blocks, names, subblocks)
    return render(blocks, names, subblocks)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with OUTPUT instead of writing it")
    parser.add_argument("names_list", help="path of NamesList-5.1.0.txt")
    parser.add_argument("output", help="path of the generated source")
    args = parser.parse_args()
    if args.check and not os.path.isfile(args.names_list):
        print(f"skipped: the names list {args.names_list} is absent", file=sys.stderr)
        return SKIPPED
    try:
        source = generate(args.names_list)
    except (OSError, TablesError) as error:
        print(f"generate_tables: {error}", file=sys.stderr)
        return 2
    if args.check:
        try:
            with open(args.output, encoding="ascii", newline="") as f:
                current = f.read()
        except (OSError, UnicodeDecodeError) as error:
            print(f"generate_tables: {error}", file=sys.stderr)
            return 1
        if current != source:
            print(f"{args.output} is not what {args.names_list} generates; regenerate it with\n"
                  f"  python3 {sys.argv[0]} {args.names_list} {args.output}", file=sys.stderr)
            return 1
        return 0
    with open(args.output, "w", encoding="ascii", newline="\n") as f:
        f.write(source)
    return 0


if __name__ == "__main__":
    sys.exit(main())
