#!/usr/bin/env python3
"""Writes the C++ table of HTML5 named character references from Python's
html.entities.html5: every name (with its semicolon, and the legacy names that may go
without one) and its one or two code points, sorted by name for a binary search."""
import html.entities
import sys


def main(out_path):
    rows = []
    for name in sorted(html.entities.html5):  # ASCII names: code point order is byte order
        points = [ord(c) for c in html.entities.html5[name]]
        if not 1 <= len(points) <= 2:
            raise SystemExit(f"unexpected reference {name!r}")
        second = points[1] if len(points) == 2 else 0
        rows.append(f'    {{"{name}", 0x{points[0]:X}, 0x{second:X}}},')
    text = "\n".join([
        "// Generated at build time by tools/gen-html-entities.py from Python's",
        "// html.entities.html5; not to be edited.",
        "#pragma once",
        "",
        "struct HtmlNamedReference {",
        "    const char* name;  // \"amp;\", or \"amp\" for a legacy name without its semicolon",
        "    char32_t first;",
        "    char32_t second;  // 0 when the reference stands for one code point",
        "};",
        "",
        "inline constexpr HtmlNamedReference kHtmlNamedReferences[] = {",
        *rows,
        "};",
        "",
    ])
    with open(out_path, "w", encoding="ascii", newline="\n") as f:
        f.write(text)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        raise SystemExit("usage: gen-html-entities.py OUTPUT.h")
    main(sys.argv[1])
