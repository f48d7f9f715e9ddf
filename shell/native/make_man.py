#!/usr/bin/env python3
"""Writes the manual page tolvane(1) from help.txt, the source of the help
document, and from the option lines of `tolvane --help`: roff in UTF-8.

help.txt: "= " title, "== " heading, "| a | b" a table row, other lines
paragraphs (as make_help.py reads it)."""
import sys


def roff_text(text):
    """Text for roff: backslashes and minus signs escaped, a line break
    allowed after every Japanese character (roff breaks only at blanks)."""
    out = []
    for ch in text:
        if ch == "\\":
            out.append("\\e")
        elif ch == "-":
            out.append("\\-")
        elif ord(ch) >= 0x3000:
            out.append(ch + "\\:")
        else:
            out.append(ch)
    text = "".join(out)
    return "\\&" + text if text[:1] in (".", "'") else text


def options(usage):
    """The option lines of --help ("  --name VALUE   what it does", the text
    from column 18) as rows."""
    return [(line[2:18].strip(), line[18:].strip()) for line in usage if line.startswith("  -")]


def row(term, text):
    term = "|" if term == "pipe" else term
    return ".TP\n\\fB%s\\fR\n%s" % (roff_text(term), roff_text(text))


def convert(lines, usage):
    title = "Tolvane"
    body = []
    for line in lines:
        line = line.rstrip("\n")
        if not line.strip():
            continue
        if line.startswith("== "):
            body.append(".SH %s" % roff_text(line[3:]))
        elif line.startswith("= "):
            title = line[2:]
        elif line.startswith("| "):
            cells = [c.strip() for c in line[2:].split(" | ")]
            body.append(row(cells[0], cells[1]))
        else:
            body.append(".PP\n%s" % roff_text(line))
    head = [
        '.TH TOLVANE 1 "" "Tolvane" "%s"' % roff_text(title),
        ".ad l",
        ".SH NAME",
        "tolvane \\- %s" % roff_text(title),
        ".SH SYNOPSIS",
        "\\fBtolvane\\fR [\\fIoptions\\fR] [\\fISCRIPT\\fR]",
        ".SH OPTIONS",
    ]
    head += [row(term, text) for term, text in options(usage)]
    files = [
        ".SH FILES",
        row("~/.config/tolvane/tolvane.ini", "設定ファイル($XDG_CONFIG_HOME/tolvane/tolvane.ini)"),
        row("~/.local/state/tolvane/history",
            "Alt+↑ と Ctrl+R の履歴ファイル($XDG_STATE_HOME/tolvane/history、1000 行まで)"),
        ".SH ENVIRONMENT",
        row("TOLVANE_HISTORY=off", "履歴ファイルを使いません(--no-history と同じ)"),
    ]
    return "\n".join(head + body + files) + "\n"


if __name__ == "__main__":
    source, usage, target = sys.argv[1:4]
    with open(source, encoding="utf-8") as f:
        lines = f.readlines()
    with open(usage, encoding="utf-8") as f:
        usage_lines = f.readlines()
    with open(target, "w", encoding="utf-8") as f:
        f.write(convert(lines, usage_lines))
