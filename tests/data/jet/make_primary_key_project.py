#!/usr/bin/python3
"""Makes PrimaryKey.tvs from Demo.tvs: a project whose TidxTexts has a primary key on ID.

Demo.tvs's TidxFonts has the primary key "PrimaryKey" on its first column FontID. This script
swaps the catalogue names of TidxTexts and TidxFonts (both nine characters, stored as UTF-16 in
MSysObjects) and renames the column FontID to ID in that table's definition: the name shrinks
from 12 to 4 bytes, so the rest of the one-page definition moves 8 bytes towards the start and the
definition length and the page's free-space word are adjusted. The index definitions follow the
column names and are moved unchanged. Run: make_primary_key_project.py Demo.tvs PrimaryKey.tvs
"""
import struct
import sys

PAGE = 4096


def main(source, target):
    data = bytearray(open(source, "rb").read())
    texts, fonts = "TidxTexts".encode("utf-16le"), "TidxFonts".encode("utf-16le")
    assert data.count(texts) == 1 and data.count(fonts) == 1
    at_texts, at_fonts = data.find(texts), data.find(fonts)
    data[at_texts:at_texts + len(texts)] = fonts
    data[at_fonts:at_fonts + len(fonts)] = texts

    old = struct.pack("<H", 12) + "FontID".encode("utf-16le")
    new = struct.pack("<H", 4) + "ID".encode("utf-16le")
    assert data.count(old) == 1
    at = data.find(old)
    page = at // PAGE * PAGE
    assert data[page] == 0x02 and struct.unpack_from("<I", data, page + 4)[0] == 0
    length = struct.unpack_from("<I", data, page + 8)[0]
    shrink = len(old) - len(new)
    body = data[page:page + length]
    offset = at - page
    body[offset:offset + len(old)] = new
    struct.pack_into("<I", body, 8, length - shrink)
    data[page:page + PAGE] = body + bytes(PAGE - len(body))
    free = PAGE - len(body)
    struct.pack_into("<H", data, page + 2, free - 8 if free > 8 else 0)
    open(target, "wb").write(data)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
