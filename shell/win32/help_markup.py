"""The markup of help.txt, the source of the help document and of the manual
page: "= " the title, "== " a heading, "| term | text" a table row (the term
"pipe" stands for "|"), any other line a paragraph, an empty line a blank."""


def parse(line):
    """One line of help.txt as ("blank",), ("title", text), ("heading", text),
    ("row", term, text) or ("paragraph", text)."""
    line = line.rstrip("\r\n")
    if not line.strip():
        return ("blank",)
    if line.startswith("== "):
        return ("heading", line[3:])
    if line.startswith("= "):
        return ("title", line[2:])
    if line.startswith("| "):
        cells = [c.strip() for c in line[2:].split(" | ")]
        return ("row", "|" if cells[0] == "pipe" else cells[0], cells[1])
    return ("paragraph", line)


def blocks(lines):
    """The blocks of help.txt in order, blank lines left out."""
    for line in lines:
        block = parse(line)
        if block[0] != "blank":
            yield block
