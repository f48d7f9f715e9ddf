#!/usr/bin/env python3
"""Writes the help document as the terminal shows it from help.txt: UTF-8
lines, the title plain, headings in 【】, table rows as two indented columns,
blank lines kept.

help.txt's markup is read by help_markup.py, beside help.txt."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "win32"))
import help_markup  # noqa: E402


def render(block):
    """One line of the terminal's help view."""
    kind, *parts = block
    if kind == "blank":
        return ""
    if kind == "heading":
        return "【%s】" % parts[0]
    if kind == "row":
        return "  %s    %s" % (parts[0], parts[1])
    return parts[0]


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        lines = [render(help_markup.parse(line)) for line in f]
    with open(target, "w", encoding="utf-8", newline="\n") as f:
        f.write("".join(line + "\n" for line in lines))


if __name__ == "__main__":
    main()
