// Writes each case with SheetJS as BIFF8: node sheetjs_maker.js CASES.json OUTDIR
const fs = require("fs");
const XLSX = require("xlsx");

const cases = JSON.parse(fs.readFileSync(process.argv[2], "utf8"));
for (const [name, sheets] of Object.entries(cases)) {
  if (name === "formulas") continue;
  const book = XLSX.utils.book_new();
  for (const [sheetName, cells] of sheets) {
    const sheet = {};
    let last = { r: 0, c: 0 };
    for (const [address, value] of Object.entries(cells)) {
      const at = XLSX.utils.decode_cell(address);
      last = { r: Math.max(last.r, at.r), c: Math.max(last.c, at.c) };
      if (typeof value === "number") sheet[address] = { t: "n", v: value };
      else if (typeof value === "boolean") sheet[address] = { t: "b", v: value };
      else if (typeof value === "string") sheet[address] = { t: "s", v: value };
      else sheet[address] = { t: "s", v: value.rich.map((part) => part[0]).join("") };
    }
    sheet["!ref"] = XLSX.utils.encode_range({ s: { r: 0, c: 0 }, e: last });
    XLSX.utils.book_append_sheet(book, sheet, sheetName);
  }
  XLSX.writeFile(book, `${process.argv[3]}/${name}.xls`, { bookType: "biff8" });
}
