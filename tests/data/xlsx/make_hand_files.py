#!/usr/bin/python3
"""Writes workbooks in the shapes other producers write and that openpyxl, LibreOffice and SheetJS
do not, from XML parts written out here and zipped with zipfile. Texts and IDs of ../jet/Demo.tvs.

hand_sdk.xlsx, as programs built on Microsoft's Open XML SDK write them: every element with the
  prefix x:, rows and cells without r, texts as inline strings (one of them in runs), a cell without
  value that only takes up its column, IDs as doubles "1.0E+1" and "3.0", absolute relationship
  targets (/xl/...), relationship ids like "R3c1e0d6a5f2b4c17", a byte order mark before the
  worksheet XML, no styles, no shared strings, no docProps.
hand_strict.xlsx, a Strict workbook: purl.oclc.org namespaces and relationship types (the package
  relationships keep theirs), shared strings with rich-text runs and phonetic runs (rPh, to be left
  out), _xHHHH_ escapes in both letter cases (_x000D_, _x000a_, _x20AC_), _x005F_x0041_ for the
  text "_x0041_", xml:space="preserve".
hand_part_names.xlsx: part names in other letter case than the references to them
  (xl/Worksheets/Sheet1.XML for "worksheets/sheet1.xml", xl/SharedStrings.xml for
  "/xl/sharedstrings.xml"), a relative target with ../, a cached formula text result
  (t="str", Zweite!A1&Zweite!B1), a formula with a number result as ID, a second sheet.

Then writes each file's .json with dump_openpyxl.py; for hand_strict.xlsx with the texts as meant.
Run in this directory: /usr/bin/python3 make_hand_files.py
"""
import zipfile

import dump_openpyxl

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG_REL = "http://schemas.openxmlformats.org/package/2006/relationships"
CT = "application/vnd.openxmlformats-officedocument.spreadsheetml."
DECL = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'


def content_types(overrides):
    parts = "".join('<Override PartName="%s" ContentType="%s%s+xml"/>' % (name, CT, kind)
                    for name, kind in overrides)
    return (DECL + '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
            '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.'
            'relationships+xml"/><Default Extension="xml" ContentType="application/xml"/>'
            + parts + "</Types>")


def relationships(rels):
    return (DECL + '<Relationships xmlns="%s">' % PKG_REL
            + "".join('<Relationship Id="%s" Type="%s" Target="%s"/>' % rel for rel in rels)
            + "</Relationships>")


def write(name, parts, decoded_texts=None):
    with zipfile.ZipFile(name, "w", zipfile.ZIP_DEFLATED) as package:
        for part, text in parts:
            data = text if isinstance(text, bytes) else text.encode("utf-8")
            package.writestr(zipfile.ZipInfo(part, (2024, 5, 6, 7, 8, 10)), data,
                             zipfile.ZIP_DEFLATED)
    result = dump_openpyxl.dump(name, decoded_texts)
    with open(name.replace(".xlsx", ".json"), "w", encoding="utf-8") as out:
        out.write(dump_openpyxl.to_json(result))


def sdk():
    def text(value):
        space = ' xml:space="preserve"' if value != value.strip() else ""
        return '<x:c t="inlineStr"><x:is><x:t%s>%s</x:t></x:is></x:c>' % (space, value)

    def row(*cells):
        return "<x:row>" + "".join(cells) + "</x:row>"

    sheet = ('<?xml version="1.0" encoding="utf-8"?><x:worksheet xmlns:x="%s"><x:sheetData>' % MAIN
             + row(text("ID"), text("L1033"), text("L1049"), text("L1031"))
             + row("<x:c><x:v>1.0E+1</x:v></x:c>", text("Lifting eye: 5 µm"),
                   text("Рым-болт: 5 мкм"), text("Ringschraube: Maß 5 µm"))
             + row('<x:c t="n"><x:v>3.0</x:v></x:c>', text("Pump pressure too high"), "<x:c />",
                   '<x:c t="inlineStr"><x:is><x:r><x:t xml:space="preserve">Pumpendruck </x:t>'
                   '</x:r><x:r><x:rPr><x:b /></x:rPr><x:t>zu hoch</x:t></x:r></x:is></x:c>')
             + row("<x:c><x:v>1</x:v></x:c>", text(" Motor 1 running "), text("Двигатель 1 работает"))
             + row("<x:c><x:v>9999</x:v></x:c>", text("Unknown"))
             + "</x:sheetData></x:worksheet>")
    workbook = ('<?xml version="1.0" encoding="utf-8"?><x:workbook xmlns:r="%s" xmlns:x="%s">'
                '<x:sheets><x:sheet name="Texts" sheetId="1" r:id="R9a8b7c6d5e4f3a21" />'
                '</x:sheets></x:workbook>' % (REL, MAIN))
    write("hand_sdk.xlsx", [
        ("[Content_Types].xml", content_types([("/xl/workbook.xml", "sheet.main"),
                                               ("/xl/worksheets/sheet1.xml", "worksheet")])),
        ("_rels/.rels", relationships([("R3c1e0d6a5f2b4c17", REL + "/officeDocument",
                                        "/xl/workbook.xml")])),
        ("xl/workbook.xml", workbook),
        ("xl/_rels/workbook.xml.rels", relationships([("R9a8b7c6d5e4f3a21", REL + "/worksheet",
                                                       "/xl/worksheets/sheet1.xml")])),
        ("xl/worksheets/sheet1.xml", b"\xef\xbb\xbf" + sheet.encode("utf-8")),
    ])


def strict():
    main = "http://purl.oclc.org/ooxml/spreadsheetml/main"
    rel = "http://purl.oclc.org/ooxml/officeDocument/relationships"
    strings = [  # (<si> content, the text as meant where it holds an escape)
        ("<t>ID</t>", None), ("<t>L1031</t>", None), ("<t>L1049</t>", None), ("<t>L1036</t>", None),
        ('<r><t xml:space="preserve">Motor 1 </t></r><r><rPr><b/><sz val="11"/></rPr>'
         "<t>läuft</t></r>", None),
        ('<t>Tür offen</t><rPh sb="0" eb="1"><t>ふり</t></rPh><phoneticPr fontId="0"/>', None),
        ('<r><t>Porte</t></r><r><rPr><i/></rPr><t xml:space="preserve"> ouverte</t></r>'
         '<rPh sb="0" eb="5"><t>ポルト</t></rPh><phoneticPr fontId="0" type="noConversion"/>', None),
        ('<t xml:space="preserve">Zeile 1_x000D_\nZeile 2</t>', "Zeile 1\r\nZeile 2"),
        ('<t xml:space="preserve">Ligne 1_x000a_Ligne 2</t>', "Ligne 1\nLigne 2"),
        ("<t>Строка 1_x000d__x000A_Строка 2</t>", "Строка 1\r\nСтрока 2"),
        ("<t>Energiekosten pro Stunde: 12,50 _x20AC_</t>", "Energiekosten pro Stunde: 12,50 €"),
        ("<t>Wert _x005F_x0041_ &amp; 'Grenze'</t>", "Wert _x0041_ & 'Grenze'"),
        ('<t xml:space="preserve">  Einrückung  </t>', None),
    ]
    sst = (DECL + '<sst xmlns="%s" count="%d" uniqueCount="%d">' % (main, len(strings), len(strings))
           + "".join("<si>%s</si>" % stored for stored, _ in strings) + "</sst>")
    grid = [  # ID, then the string index for ID (header only), L1031, L1049, L1036
        (None, [0, 1, 2, 3]),
        (1, [None, 4, None, None]),
        (6, [None, 5, None, 6]),
        (20, [None, 7, 9, 8]),
        (8, [None, 10, None, None]),
        (100, [None, 11, None, None]),
        (65536, [None, 12, None, None]),
    ]
    rows, decoded = [], []
    for number, (key, texts) in enumerate(grid, 1):
        cells = [] if key is None else ['<c r="A%d"><v>%d</v></c>' % (number, key)]
        for column, index in enumerate(texts, 1):
            if index is None:
                continue
            cells.append('<c r="%s%d" t="s"><v>%d</v></c>' % ("ABCD"[column - 1], number, index))
            if strings[index][1] is not None:
                decoded.append(["TidxTexts", number, column, strings[index][1]])
        rows.append('<row r="%d">%s</row>' % (number, "".join(cells)))
    sheet = (DECL + '<worksheet xmlns="%s" xmlns:r="%s"><dimension ref="A1:D7"/><sheetData>'
             % (main, rel) + "".join(rows) + "</sheetData></worksheet>")
    workbook = (DECL + '<workbook xmlns="%s" xmlns:r="%s" conformance="strict"><sheets>'
                '<sheet name="TidxTexts" sheetId="1" r:id="rId1"/></sheets></workbook>'
                % (main, rel))
    write("hand_strict.xlsx", [
        ("[Content_Types].xml", content_types([("/xl/workbook.xml", "sheet.main"),
                                               ("/xl/worksheets/sheet1.xml", "worksheet"),
                                               ("/xl/sharedStrings.xml", "sharedStrings")])),
        ("_rels/.rels", relationships([("rId1", rel + "/officeDocument", "xl/workbook.xml")])),
        ("xl/workbook.xml", workbook),
        ("xl/_rels/workbook.xml.rels", relationships([
            ("rId1", rel + "/worksheet", "worksheets/sheet1.xml"),
            ("rId2", rel + "/sharedStrings", "sharedStrings.xml")])),
        ("xl/worksheets/sheet1.xml", sheet),
        ("xl/sharedStrings.xml", sst),
    ], decoded)


def part_names():
    strings = ["ID", "L1031", "L1033", "Motor 1 läuft", "Motor 1 gestoppt", "Motor 1 stopped",
               "Motor 1 ", "running", "Tür offen"]
    sst = (DECL + '<sst xmlns="%s" count="%d" uniqueCount="%d">' % (MAIN, len(strings), len(strings))
           + "".join('<si><t xml:space="preserve">%s</t></si>' % s for s in strings) + "</sst>")

    def sheet(rows):
        return (DECL + '<worksheet xmlns="%s"><sheetData>%s</sheetData></worksheet>'
                % (MAIN, "".join('<row r="%d">%s</row>' % (n, r) for n, r in enumerate(rows, 1))))

    first = sheet([
        '<c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="s"><v>2</v></c>',
        '<c r="A2"><v>1</v></c><c r="B2" t="s"><v>3</v></c>'
        '<c r="C2" t="str"><f>Zweite!A1&amp;Zweite!B1</f><v>Motor 1 running</v></c>',
        '<c r="A3"><f>1+1</f><v>2</v></c><c r="B3" t="s"><v>4</v></c><c r="C3" t="s"><v>5</v></c>',
        '<c r="A4"><v>6</v></c><c r="B4" t="s"><v>8</v></c>',
    ])
    second = sheet(['<c r="A1" t="s"><v>6</v></c><c r="B1" t="s"><v>7</v></c>'])
    workbook = (DECL + '<workbook xmlns="%s" xmlns:r="%s"><sheets>'
                '<sheet name="TidxTexts" sheetId="1" r:id="rId1"/>'
                '<sheet name="Zweite" sheetId="2" r:id="rId2"/></sheets></workbook>' % (MAIN, REL))
    write("hand_part_names.xlsx", [
        ("[Content_Types].xml", content_types([("/xl/workbook.xml", "sheet.main"),
                                               ("/xl/worksheets/sheet1.xml", "worksheet"),
                                               ("/xl/worksheets/sheet2.xml", "worksheet"),
                                               ("/xl/sharedstrings.xml", "sharedStrings")])),
        ("_rels/.rels", relationships([("rId1", REL + "/officeDocument", "xl/workbook.xml")])),
        ("xl/workbook.xml", workbook),
        ("xl/_rels/workbook.xml.rels", relationships([
            ("rId1", REL + "/worksheet", "worksheets/sheet1.xml"),
            ("rId2", REL + "/worksheet", "../xl/worksheets/sheet2.xml"),
            ("rId3", REL + "/sharedStrings", "sharedStrings.xml")])),
        ("xl/Worksheets/Sheet1.XML", first),
        ("xl/worksheets/sheet2.xml", second),
        ("xl/SharedStrings.xml", sst),
    ])


sdk()
strict()
part_names()
