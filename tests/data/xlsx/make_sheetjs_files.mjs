// Writes the workbook a web translation tool built on SheetJS would hand back, twice:
// sheetjs_sst.xlsx with bookSST: true (texts in xl/sharedStrings.xml) and sheetjs_nosst.xlsx with
// bookSST: false (each text right in its cell, which SheetJS writes as t="str" with <v>, not as
// an inline string). Content, for ../jet/Demo.tvs: first sheet "Texte" with columns ID,
// Description, L1033, L1036, L1031, geprüft; IDs as numbers, one as a text of digits and one as a
// formula (=2+2); a text made by a formula (=B4&"!", cached result); texts with CR LF as the
// project holds them (SheetJS writes CR as _x000d_) and with LF; blanks at both ends; typographic
// quotes and NBSP; an empty cell; TRUE/FALSE and #N/A cells; ID 9999, which the project lacks.
// Then writes each file's .json with dump_openpyxl.py, passing the texts with CR as meant.
//
// SheetJS 0.18.5 (npm "xlsx", pinned in ../../oracles/package.json; scripts/setup installs it).
// Run in this directory: node make_sheetjs_files.mjs
import { execFileSync } from "node:child_process";
import { writeFileSync } from "node:fs";
import { createRequire } from "node:module";

const XLSX = createRequire(new URL("../../oracles/package.json", import.meta.url))("xlsx");

const rows = [
  ["ID", "Description", "L1033", "L1036", "L1031", "geprüft"],
  [1, "Motor 1 running", "Motor 1 running", "Moteur 1 en marche", "Motor 1 läuft", true],
  ["2", "Motor 1 stopped", "Motor 1 stopped", "Moteur 1 arrêté", "Motor 1 gestoppt", false],
  [3, "Pump pressure too high", { t: "s", f: 'B4&"!"', v: "Pump pressure too high!" },
    "Pression de la pompe trop élevée", "Pumpendruck zu hoch", true],
  [{ t: "n", f: "2+2", v: 4 }, "Tank level low", "Tank level low", "Niveau du réservoir bas",
    "Füllstand Tank niedrig", { t: "e", v: 0x2a }],
  [9, "Start button caption", "Press “Start”", "Appuyez sur « Démarrer »", "„Start“ drücken"],
  [20, "Multi-line text", "Line 1\r\nLine 2", "Ligne 1\nLigne 2", "Zeile 1\r\nZeile 2"],
  [65536, "  Leading and trailing blanks  ", "  Indent  ", null, "  Einrückung  "],
  [9999, "Unknown", "Unknown", "Inconnu", "Unbekannt"],
];
// In aoa_to_sheet a plain string is a text cell and a cell object is taken as it is.
const sheet = XLSX.utils.aoa_to_sheet(rows);
const book = XLSX.utils.book_new();
XLSX.utils.book_append_sheet(book, sheet, "Texte");

const decoded = [];
rows.forEach((row, r) => row.forEach((value, c) => {
  if (typeof value === "string" && value.includes("\r")) decoded.push(["Texte", r + 1, c + 1, value]);
}));

for (const [name, bookSST] of [["sheetjs_sst", true], ["sheetjs_nosst", false]]) {
  writeFileSync(`${name}.xlsx`, XLSX.write(book, { type: "buffer", bookType: "xlsx", bookSST }));
  const json = execFileSync("/usr/bin/python3", ["dump_openpyxl.py", `${name}.xlsx`,
    JSON.stringify(decoded)]);
  writeFileSync(`${name}.json`, json);
}
