#!/usr/bin/env python3
"""Writes the hostile .xlsx inputs of this folder (README.md lists them and their faults).

Each file is the same minimal workbook - one sheet TidxTexts, header ID, Description, L1031, two
rows of texts - with exactly one fault: zip bombs, a lying size field, DTDs and entities, deep
nesting, shared-string indices out of range, broken or incomplete zips, an encryption flag, an
encrypted (OLE2) workbook, cell references out of range, a bad number and lying zip64 records.
valid.xlsx is the workbook without a fault.

    make_hostile_files.py                      writes all files into this folder
    make_hostile_files.py --many-entries PATH  writes only many_entries.xlsx (about 18 MB) to PATH;
                                               the tests make it at test time, it is not kept here

Python standard library only. The zip bombs are deflated while they are written, 1 MB at a time,
so the script needs no gigabytes (about 200 MB at most, for the 64 MiB of size_lie.xlsx); all of
it takes about 10 s. Everything is written with fixed time stamps: two runs give the same bytes.
"""
import base64
import io
import os
import struct
import sys
import zipfile
import zlib

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG_REL = "http://schemas.openxmlformats.org/package/2006/relationships"
CT_MAIN = "application/vnd.openxmlformats-officedocument.spreadsheetml"
DECL = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'

CONTENT_TYPES = (
    DECL + '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
    '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
    '<Default Extension="xml" ContentType="application/xml"/>'
    f'<Override PartName="/xl/workbook.xml" ContentType="{CT_MAIN}.sheet.main+xml"/>'
    f'<Override PartName="/xl/worksheets/sheet1.xml" ContentType="{CT_MAIN}.worksheet+xml"/>'
    f'<Override PartName="/xl/sharedStrings.xml" ContentType="{CT_MAIN}.sharedStrings+xml"/>'
    '</Types>')
ROOT_RELS = (
    DECL + f'<Relationships xmlns="{PKG_REL}">'
    f'<Relationship Id="rId1" Type="{REL}/officeDocument" Target="xl/workbook.xml"/>'
    '</Relationships>')
WORKBOOK = (
    DECL + f'<workbook xmlns="{MAIN}" xmlns:r="{REL}"><sheets>'
    '<sheet name="TidxTexts" sheetId="1" r:id="rId1"/></sheets></workbook>')
WORKBOOK_RELS = (
    DECL + f'<Relationships xmlns="{PKG_REL}">'
    f'<Relationship Id="rId1" Type="{REL}/worksheet" Target="worksheets/sheet1.xml"/>'
    f'<Relationship Id="rId2" Type="{REL}/sharedStrings" Target="sharedStrings.xml"/>'
    '</Relationships>')

HEADER_ROW = ('<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c>'
              '<c r="C1" t="s"><v>2</v></c>{}</row>')
DATA_ROWS = (
    '<row r="2"><c r="A2"><v>1001</v></c><c r="B2" t="inlineStr"><is><t>Start button</t></is></c>'
    '<c r="C2" t="inlineStr"><is><t>Start</t></is></c></row>'
    '<row r="3"><c r="A3"><v>1002</v></c><c r="B3" t="inlineStr"><is><t>Stop button</t></is></c>'
    '<c r="C3" t="inlineStr"><is><t>Halt</t></is></c></row>')
HEADER_STRINGS = ["ID", "Description", "L1031"]


def sheet(extra_rows="", header_extra="", doctype="", dim="A1:C3"):
    head = (DECL + doctype + f'<worksheet xmlns="{MAIN}"><dimension ref="{dim}"/><sheetData>'
            + HEADER_ROW.format(header_extra) + DATA_ROWS)
    return head + extra_rows + "</sheetData></worksheet>"


# Bulk for the bombs: a row of 2,000 cells, so that a gigabyte stays within 1,048,576 rows.
WIDE_ROW = "<row>" + "<c><v>1</v></c>" * 2000 + "</row>"
WIDE_DIM = "A1:BXX{}".format                    # column 2,000 is BXX


def shared_strings(extra_items=(), doctype=""):
    items = [f"<t>{s}</t>" for s in HEADER_STRINGS] + list(extra_items)
    body = "".join(f"<si>{i}</si>" for i in items)
    return (DECL + doctype + f'<sst xmlns="{MAIN}" count="{len(items)}" uniqueCount="{len(items)}">'
            + body + "</sst>")


def parts(**replace):
    """The workbook's parts in zip order; replace={"name": text or None} changes or drops one."""
    p = {"[Content_Types].xml": CONTENT_TYPES, "_rels/.rels": ROOT_RELS,
         "xl/workbook.xml": WORKBOOK, "xl/_rels/workbook.xml.rels": WORKBOOK_RELS,
         "xl/worksheets/sheet1.xml": sheet(), "xl/sharedStrings.xml": shared_strings()}
    for name, text in replace.items():
        name = {"sheet": "xl/worksheets/sheet1.xml", "sst": "xl/sharedStrings.xml",
                "workbook": "xl/workbook.xml"}.get(name, name)
        if text is None:
            del p[name]
        else:
            p[name] = text
    return p


def info(name):
    zi = zipfile.ZipInfo(name, date_time=(1980, 1, 1, 0, 0, 0))
    zi.compress_type = zipfile.ZIP_DEFLATED
    zi.external_attr = 0o644 << 16
    return zi


def zip_bytes(p, levels=None):
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w") as z:
        for name, text in p.items():
            data = text if isinstance(text, bytes) else text.encode("utf-8")
            z.writestr(info(name), data, compresslevel=(levels or {}).get(name))
    return buf.getvalue()


def entry_offsets(data, name):
    """Offsets of the local header and of the central directory record of entry `name`."""
    cd = struct.unpack_from("<I", data, len(data) - 22 + 16)[0]
    while data[cd:cd + 4] == b"PK\x01\x02":
        nlen, xlen, clen = struct.unpack_from("<HHH", data, cd + 28)
        local = struct.unpack_from("<I", data, cd + 42)[0]
        if data[cd + 46:cd + 46 + nlen].decode() == name:
            return local, cd
        cd += 46 + nlen + xlen + clen
    raise KeyError(name)


def patch_entry(data, name, local_field, central_field, fmt, value):
    data = bytearray(data)
    local, central = entry_offsets(data, name)
    struct.pack_into(fmt, data, local + local_field, value)
    struct.pack_into(fmt, data, central + central_field, value)
    return bytes(data)


def write_bomb(path, part, head, unit, count, tail):
    """A valid workbook whose `part` is head + unit * count + tail, deflated as it is written."""
    per = max(1, 2**20 // len(unit))
    full, rest = divmod(count, per)
    chunk = (unit * per).encode()
    with zipfile.ZipFile(path, "w") as z:
        for name, text in parts().items():
            if name != part:
                z.writestr(info(name), text)
        with z.open(info(part), "w") as f:
            f.write(head.encode())
            for _ in range(full):
                f.write(chunk)
            f.write((unit * rest + tail).encode())


def ole2_encrypted():
    """A compound file with the two streams of a password-protected workbook (agile encryption,
    as Excel 2010 and later write it; Excel also writes a storage "\x06DataSpaces", left out here),
    both small enough to lie in the mini stream. The key data and the package are made up."""
    b64 = lambda n, seed: base64.b64encode(bytes((seed + 37 * i) & 255 for i in range(n))).decode()
    algo = ('saltSize="16" blockSize="16" keyBits="256" hashSize="64" cipherAlgorithm="AES" '
            'cipherChaining="ChainingModeCBC" hashAlgorithm="SHA512"')
    xml = (DECL.replace("\n", "\r\n")
           + '<encryption xmlns="http://schemas.microsoft.com/office/2006/encryption" '
           'xmlns:p="http://schemas.microsoft.com/office/2006/keyEncryptor/password">'
           f'<keyData {algo} saltValue="{b64(16, 1)}"/>'
           f'<dataIntegrity encryptedHmacKey="{b64(64, 2)}" encryptedHmacValue="{b64(64, 3)}"/>'
           '<keyEncryptors><keyEncryptor uri="http://schemas.microsoft.com/office/2006/keyEncryptor/password">'
           f'<p:encryptedKey spinCount="100000" {algo} saltValue="{b64(16, 4)}" '
           f'encryptedVerifierHashInput="{b64(16, 5)}" encryptedVerifierHashValue="{b64(64, 6)}" '
           f'encryptedKeyValue="{b64(32, 7)}"/></keyEncryptor></keyEncryptors></encryption>')
    info_stream = struct.pack("<HHI", 4, 4, 0x40) + xml.encode()
    package = struct.pack("<Q", 1000) + bytes((11 * i + 5) & 255 for i in range(1008))
    streams = [("EncryptionInfo", info_stream), ("EncryptedPackage", package)]

    END, FREE, FATSECT, NOSTREAM = 0xFFFFFFFE, 0xFFFFFFFF, 0xFFFFFFFD, 0xFFFFFFFF
    mini, minifat, starts = b"", [], []
    for _, s in streams:                        # the mini stream: 64-byte mini sectors
        first, n = len(mini) // 64, (len(s) + 63) // 64
        starts.append(first)
        minifat += [first + i + 1 for i in range(n - 1)] + [END]
        mini += s.ljust(n * 64, b"\0")
    mini_sectors = (len(mini) + 511) // 512
    # sector 0 FAT, 1 directory, 2 mini FAT, 3.. the mini stream
    fat = [FATSECT, END, END] + [4 + i for i in range(mini_sectors - 1)] + [END]

    def entry(name, kind, child, right, start, size):
        n = (name + "\0").encode("utf-16-le")
        return (n.ljust(64, b"\0") + struct.pack("<HBB3I", len(n), kind, 1, NOSTREAM, right, child)
                + bytes(16 + 4 + 16) + struct.pack("<IQ", start, size))
    directory = (entry("Root Entry", 5, 1, NOSTREAM, 3, len(mini))
                 + entry("EncryptionInfo", 2, NOSTREAM, 2, starts[0], len(info_stream))
                 + entry("EncryptedPackage", 2, NOSTREAM, NOSTREAM, starts[1], len(package))
                 + bytes(64) + struct.pack("<HBB3I", 0, 0, 0, NOSTREAM, NOSTREAM, NOSTREAM)
                 + bytes(36 + 12))
    header = (b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + bytes(16)
              + struct.pack("<HHHHH6xIIIIIIIII", 0x3E, 3, 0xFFFE, 9, 6, 0, 1, 1, 0, 4096, 2, 1, END, 0)
              + struct.pack("<109I", 0, *[FREE] * 108))
    pad = lambda ints: struct.pack(f"<{len(ints)}I", *ints).ljust(512, b"\xFF")
    return header + pad(fat) + directory + pad(minifat) + mini.ljust(mini_sectors * 512, b"\0")


def zip64_lies(valid):
    """valid with its end record replaced by zip64 records that claim 2**62 entries."""
    cd_size, cd_offset = struct.unpack_from("<II", valid, len(valid) - 22 + 12)
    body = valid[:-22]
    huge = 1 << 62
    eocd64 = struct.pack("<IQHHIIQQQQ", 0x06064B50, 44, 45, 45, 0, 0, huge, huge, cd_size, cd_offset)
    locator = struct.pack("<IIQI", 0x07064B50, 0, len(body), 1)
    eocd = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, 0xFFFF, 0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0)
    return body + eocd64 + locator + eocd


def many_entries(path):
    with zipfile.ZipFile(path, "w") as z:
        for name, text in parts().items():
            z.writestr(info(name), text)
        for i in range(200000):
            z.writestr(zipfile.ZipInfo(f"x/{i}", date_time=(1980, 1, 1, 0, 0, 0)), b"")


def main(out):
    valid = zip_bytes(parts())

    def with_row4(b4, **replace):
        """valid plus a row 4: ID 1003 and the cell b4 (if any)."""
        row = f'<row r="4"><c r="A4"><v>1003</v></c>{b4}</row>'
        return zip_bytes(parts(sheet=sheet(row, dim="A1:C4", doctype=replace.pop("doctype", "")),
                               **replace))

    def with_rows(rows, dim, header_extra=""):
        return zip_bytes(parts(sheet=sheet(rows, header_extra, dim=dim)))

    laughs = "".join(f'<!ENTITY {chr(98 + i)} "{("&" + chr(97 + i) + ";") * 10}">' for i in range(9))
    shared_b4 = '<c r="B4" t="s"><v>{}</v></c>'.format
    files = {
        "valid.xlsx": valid,
        "doctype.xlsx": with_row4(
            '<c r="B4" t="inlineStr"><is><t>&j;</t></is></c>',
            doctype=f'<!DOCTYPE worksheet [<!ENTITY a "aaaaaaaaaa">{laughs}]>\n'),
        "external_entity.xlsx": with_row4(shared_b4(3), sst=shared_strings(
            ["<t>&x;</t>"], doctype='<!DOCTYPE sst [<!ENTITY x SYSTEM "file:///etc/passwd">]>\n')),
        "deep_nesting.xlsx": with_row4(shared_b4(3), sst=shared_strings(
            ["<x>" * 100000 + "deep" + "</x>" * 100000])),
        "sst_index_out_of_range.xlsx": with_row4(shared_b4(99)),
        "sst_index_negative.xlsx": with_row4(shared_b4(-1)),
        "sst_index_huge.xlsx": with_row4(shared_b4(4294967296)),
        "number_not_double.xlsx": with_rows('<row r="4"><c r="A4"><v>12abc</v></c></row>', "A1:C4"),
        "bad_cell_ref.xlsx": with_rows('<row r="4"><c r="1A"><v>1003</v></c></row>', "A1:C4"),
        "row_number_too_big.xlsx": with_rows(
            '<row r="1048577"><c r="A1048577"><v>1003</v></c></row>', "A1:C1048577"),
        "column_too_big.xlsx": with_rows(
            "", "A1:XFE3", header_extra='<c r="XFE1" t="inlineStr"><is><t>L1033</t></is></c>'),
        "truncated.xlsx": valid[:len(valid) // 2],
        "not_a_zip.xlsx": b"ID;Description;L1031\r\n1001;Start button;Start\r\n1002;Stop button;Halt\r\n",
        "empty.xlsx": b"",
        "no_workbook_part.xlsx": zip_bytes(parts(workbook=None)),
        "missing_sheet_part.xlsx": zip_bytes(parts(sheet=None)),
        "encrypted.xlsx": patch_entry(valid, "xl/worksheets/sheet1.xml", 6, 8, "<H", 0x0001),
        "ole2_encrypted.xlsx": ole2_encrypted(),
        "zip64_lies.xlsx": zip64_lies(valid),
    }

    # bad_crc: the sheet is deflated in stored blocks, so "Halt" lies in the compressed data as
    # it is; "Hamt" still inflates to well-formed XML of the same length, only the CRC is wrong.
    crc = bytearray(zip_bytes(parts(), levels={"xl/worksheets/sheet1.xml": 0}))
    assert crc.count(b"Halt") == 1
    crc[crc.index(b"Halt") + 2] ^= 0x01
    files["bad_crc.xlsx"] = bytes(crc)

    # size_lie: local header and central directory both say the sheet is as long as the valid
    # one, but it inflates to 64 MiB (2,237 more rows; the CRC is that of the whole data).
    lie = zip_bytes(parts(sheet=sheet(WIDE_ROW * 2237, dim=WIDE_DIM(3 + 2237))))
    files["size_lie.xlsx"] = patch_entry(lie, "xl/worksheets/sheet1.xml", 22, 24, "<I",
                                         len(sheet().encode()))

    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)

    # The bombs: about 1 GiB each once inflated (71.6 million cells in 35,800 rows of 2,000 cells;
    # 63.2 million strings).
    head, tail = sheet(dim=WIDE_DIM(3 + 35_800)).split("</sheetData>")
    write_bomb(os.path.join(out, "zip_bomb_sheet.xlsx"), "xl/worksheets/sheet1.xml",
               head, WIDE_ROW, 35_800, "</sheetData>" + tail)
    n = 63_200_000 + 3
    write_bomb(os.path.join(out, "zip_bomb_strings.xlsx"), "xl/sharedStrings.xml",
               DECL + f'<sst xmlns="{MAIN}" count="3" uniqueCount="{n}">'
               + "".join(f"<si><t>{s}</t></si>" for s in HEADER_STRINGS),
               "<si><t>x</t></si>", n - 3, "</sst>")


if __name__ == "__main__":
    if sys.argv[1:2] == ["--many-entries"] and len(sys.argv) == 3:
        many_entries(sys.argv[2])
    elif len(sys.argv) == 1:
        main(os.path.dirname(os.path.abspath(__file__)))
    else:
        sys.exit(__doc__)
