"""The markup of help.txt, the source of the help document and of the manual
page: "= " the title, "== " a heading, "| term | text" a table row (the term
"pipe" stands for "|"), any other line a paragraph; blank lines separate
nothing."""


def blocks(lines):
    """The blocks of help.txt in order: ("title", text), ("heading", text),
    ("row", term, text) or ("paragraph", text)."""
    for line in lines:
        line = line.rstrip("\n")
        if not line.strip():
            continue
        if line.startswith("== "):
            yield ("heading", line[3:])
        elif line.startswith("= "):
            yield ("title", line[2:])
        elif line.startswith("| "):
            cells = [c.strip() for c in line[2:].split(" | ")]
            yield ("row", "|" if cells[0] == "pipe" else cells[0], cells[1])
        else:
            yield ("paragraph", line)
