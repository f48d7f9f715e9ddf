#!/usr/bin/env python3
"""Writes a copy of a C++ source whose string literals hold their code page
932 bytes as escapes, for compilers that keep literals in UTF-8 (clang has
no -fexec-charset). The bytes come from iconv's CP932, the converter that
GCC's -fexec-charset=CP932 uses, so both builds hold the same bytes.

    cp932_literals.py SOURCE OUTPUT
"""
import os
import subprocess
import sys


def runs_of(text):
    """Yields (start, end) of every run of non-ASCII characters inside string
    literals, skipping comments and character literals."""
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            i = text.find("\n", i)
            i = n if i < 0 else i
        elif text.startswith("/*", i):
            i = text.find("*/", i + 2)
            i = n if i < 0 else i + 2
        elif c in "\"'":
            i += 1
            while i < n and text[i] != c:
                if text[i] == "\\":
                    i += 2
                    continue
                if c == '"' and ord(text[i]) > 127:
                    start = i
                    while i < n and ord(text[i]) > 127:
                        i += 1
                    yield start, i
                    continue
                i += 1
            i += 1
        else:
            i += 1


def main():
    source, output = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        text = f.read()
    runs = list(runs_of(text))
    encoded = []
    if runs:
        joined = "\n".join(text[a:b] for a, b in runs).encode("utf-8")
        cp932 = subprocess.run(["iconv", "-f", "UTF-8", "-t", "CP932"], input=joined,
                               check=True, capture_output=True).stdout
        encoded = cp932.split(b"\n")
        if len(encoded) != len(runs):
            sys.exit(f"{source}: iconv gave {len(encoded)} pieces for {len(runs)}")
    out, last = [], 0
    for (a, b), data in zip(runs, encoded):
        out.append(text[last:a])
        out.append("".join(f"\\x{byte:02X}" for byte in data))
        # A hex digit right behind would lengthen the last escape.
        if b < len(text) and text[b] in "0123456789abcdefABCDEF":
            out.append('" "')
        last = b
    out.append(text[last:])
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    with open(output, "w", encoding="utf-8") as f:
        f.write("".join(out))


if __name__ == "__main__":
    main()
