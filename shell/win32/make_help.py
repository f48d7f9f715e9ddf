#!/usr/bin/env python3
"""Writes the help document tolvane.wri from help.txt: RTF in code page 932,
which WordPad (the program Windows opens .wri documents with) shows.

help.txt's markup is read by help_markup.py."""
import sys

import help_markup


def rtf_text(text):
    out = []
    for ch in text:
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ord(ch) < 0x80:
            out.append(ch)
        else:
            out.extend("\\'%02x" % b for b in ch.encode("cp932"))
    return "".join(out)


def convert(lines):
    body = []
    for kind, *parts in help_markup.blocks(lines):
        if kind == "heading":
            body.append("\\pard\\sb240\\sa80\\b\\fs24 %s\\b0\\fs20\\par" % rtf_text(parts[0]))
        elif kind == "title":
            body.append("\\pard\\qc\\sa200\\b\\fs32 %s\\b0\\fs20\\par" % rtf_text(parts[0]))
        elif kind == "row":
            body.append("\\pard\\li2400\\fi-2200\\tx2400 \\f1 %s\\f0\\tab %s\\par"
                        % (rtf_text(parts[0]), rtf_text(parts[1])))
        else:
            body.append("\\pard\\sa100 %s\\par" % rtf_text(parts[0]))
    return ("{\\rtf1\\ansi\\ansicpg932\\deff0"
            "{\\fonttbl{\\f0\\fnil\\fcharset128 \\'82\\'6c\\'82\\'72 \\'82\\'6f\\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}"
            "{\\f1\\fmodern\\fcharset128 \\'82\\'6c\\'82\\'72 \\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}\n"
            "\\viewkind4\\uc1\\fs20\n" + "\n".join(body) + "\n}\n")


if __name__ == "__main__":
    source = sys.argv[1] if len(sys.argv) > 1 else "help.txt"
    target = sys.argv[2] if len(sys.argv) > 2 else "tolvane.wri"
    with open(source, encoding="utf-8") as f:
        text = convert(f.readlines())
    with open(target, "w", encoding="ascii", newline="\r\n") as f:
        f.write(text)
