#!/usr/bin/env python3
"""Reads Tidemarker's bookmark HTML export with Python's own HTML parser, as a browser's
importer would, and checks that every folder and favorite comes back exactly.

Usage: check_bookmark_html.py OUTPUT_DIR TEST_PROGRAM [EMULATOR...]
Runs TEST_PROGRAM (under EMULATOR, e.g. the Wine runner) to write OUTPUT_DIR/export.html
and OUTPUT_DIR/expected.json, then parses and compares them."""
import json
import os
import subprocess
import sys
from html.parser import HTMLParser


class BookmarkParser(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.root = {"name": None, "favors": [], "folders": []}
        self.stack = [self.root]
        self.pending = None  # a folder named by <H3>, opened by the next <DL>
        self.text = None
        self.href = None
        self.saw_list = False

    def handle_starttag(self, tag, attrs):
        if tag == "dl":
            if not self.saw_list:
                self.saw_list = True
            elif self.pending is not None:
                self.stack[-1]["folders"].append(self.pending)
                self.stack.append(self.pending)
                self.pending = None
            else:
                raise ValueError("a list without a heading")
        elif tag in ("h3", "a"):
            self.text = ""
            self.href = dict(attrs).get("href") if tag == "a" else None

    def handle_endtag(self, tag):
        if tag == "dl":
            self.stack.pop()
        elif tag == "h3":
            self.pending = {"name": self.text, "favors": [], "folders": []}
            self.text = None
        elif tag == "a":
            self.stack[-1]["favors"].append([self.text, self.href])
            self.text = None

    def handle_data(self, data):
        if self.text is not None:
            self.text += data


def strip_names(folder):
    return {"favors": [list(f) for f in folder["favors"]],
            "folders": [dict(strip_names(s), name=s["name"]) for s in folder["folders"]]}


def main():
    out_dir, program, emulator = sys.argv[1], sys.argv[2], sys.argv[3:]
    os.makedirs(out_dir, exist_ok=True)
    env = dict(os.environ, TM_PEER_OUT=os.path.basename(out_dir))
    subprocess.run(emulator + [program, "--gtest_filter=HtmlPeer.*"], cwd=os.path.dirname(out_dir) or ".",
                   env=env, check=True, stdout=subprocess.DEVNULL)
    with open(os.path.join(out_dir, "export.html"), "rb") as f:
        raw = f.read()
    assert not raw.startswith(b"\xef\xbb\xbf"), "byte-order mark"
    assert b"\n" not in raw.replace(b"\r\n", b""), "bare line feed"
    parser = BookmarkParser()
    parser.feed(raw.decode("utf-8"))
    parser.close()
    with open(os.path.join(out_dir, "expected.json"), encoding="utf-8") as f:
        expected = json.load(f)
    got, want = strip_names(parser.root), strip_names(expected)
    if got != want:
        print("parsed:  ", json.dumps(got, ensure_ascii=False))
        print("expected:", json.dumps(want, ensure_ascii=False))
        return 1
    print("bookmark HTML read back intact by html.parser (%d bytes)" % len(raw))
    return 0


if __name__ == "__main__":
    sys.exit(main())
