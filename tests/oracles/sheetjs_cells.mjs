// Prints the cells of a workbook's first sheet as SheetJS reads them, a line each:
// ROW<TAB>COLUMN<TAB>TYPE<TAB>VALUE as hex of its UTF-8, rows and columns from 0, TYPE as SheetJS
// names it (s text, n number, b boolean, e error). Hex keeps line breaks, tabs and control
// characters of the texts apart from the listing's own.
// Usage: node sheetjs_cells.mjs FILE
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";

const XLSX = createRequire(import.meta.url)("xlsx");

const book = XLSX.read(readFileSync(process.argv[2]), { type: "buffer", dense: false });
const sheet = book.Sheets[book.SheetNames[0]];
const lines = [];
for (const [address, cell] of Object.entries(sheet)) {
  if (address.startsWith("!")) {
    continue;
  }
  const { r, c } = XLSX.utils.decode_cell(address);
  const value = Buffer.from(String(cell.v), "utf8").toString("hex");
  lines.push(`${r}\t${c}\t${cell.t}\t${value}`);
}
process.stdout.write(lines.join("\n") + "\n");
