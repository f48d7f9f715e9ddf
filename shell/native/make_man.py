#!/usr/bin/env python3
"""Writes the manual page tolvane(1) from help.txt, the source of the help
document, and from the option lines of `tolvane --help`: roff in UTF-8.

help.txt's markup is read by help_markup.py, beside help.txt."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "win32"))
import help_markup  # noqa: E402


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
    return ".TP\n\\fB%s\\fR\n%s" % (roff_text(term), roff_text(text))


def convert(lines, usage):
    title = "Tolvane"
    body = []
    for kind, *parts in help_markup.blocks(lines):
        if kind == "heading":
            body.append(".SH %s" % roff_text(parts[0]))
        elif kind == "title":
            title = parts[0]
        elif kind == "row":
            body.append(row(parts[0], parts[1]))
        else:
            body.append(".PP\n%s" % roff_text(parts[0]))
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
