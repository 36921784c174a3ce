#!/usr/bin/python3
"""Writes translate_toolkit.xlf: an exchange file as a tool built on translate-toolkit hands it
back, through its own XLIFF store (translate.storage.xliff), which writes the XLIFF 1.1
namespace. Two <file> elements (Russian, and French as "Demo-fr.tvs") with IDs in common; per unit a target marked
translated, fuzzy (state "needs-translation", approved="no") or approved, or no target; a
developer note; a location (context-group); CR LF line breaks (written as &#13; + LF); blanks at
both ends; markup characters.

Run in this directory with Debian's translate-toolkit 3.8.4: /usr/bin/python3 make_xliff_files.py
"""
from translate.storage import xliff

RUSSIAN = [
    # id, source, target (None: none), fuzzy, note
    ("1", "Willkommen", "Добро пожаловать", False, "Titel des Startfensters"),
    ("2", "Zeile 1\r\nZeile 2", "Строка 1\r\nСтрока 2", False, ""),
    ("3", " Speichern & <Beenden> ", " Сохранить и выйти ", True, ""),
    ("4", "Leer", None, False, ""),
]
FRENCH = [
    ("1", "Willkommen", "Bienvenue", False, ""),
    ("4", "Leer", "Vide", False, ""),
]


def add_units(store, original, rows):
    for unit_id, source, target, fuzzy, note in rows:
        unit = store.addsourceunit(source, filename=original)
        unit.setid(unit_id)
        unit.createcontextgroup("po-reference", [("sourcefile", "Demo.tvs")], purpose="location")
        if target is not None:
            unit.target = target
            unit.markfuzzy(fuzzy)
        if note:
            unit.addnote(note, origin="developer")


def main():
    store = xliff.xlifffile(sourcelanguage="de-DE", targetlanguage="ru-RU")
    store.switchfile("Demo.tvs", createifmissing=True)
    add_units(store, "Demo.tvs", RUSSIAN)
    # The store finds its <file> elements by name: the second one needs a name of its own.
    store.document.getroot().append(store.createfilenode("Demo-fr.tvs", targetlanguage="fr-FR"))
    add_units(store, "Demo-fr.tvs", FRENCH)
    with open("translate_toolkit.xlf", "wb") as out:
        out.write(bytes(store))


main()
