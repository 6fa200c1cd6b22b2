"""Writes each case with xlwt: python3 xlwt_maker.py CASES.json OUTDIR"""
import json
import sys

import xlwt

from cases import column_row

cases = json.load(open(sys.argv[1], encoding="utf-8"))
for case, sheets in cases.items():
    if case == "formulas":
        continue  # xlwt stores no cached formula results
    book = xlwt.Workbook(encoding="utf-8")
    for name, cells in sheets:
        sheet = book.add_sheet(name)
        for address, value in cells.items():
            row, column = column_row(address)
            if isinstance(value, dict):
                value = "".join(part for part, _ in value["rich"])
            sheet.write(row, column, value)
    book.save("%s/%s.xls" % (sys.argv[2], case))
