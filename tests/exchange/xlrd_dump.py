"""Prints every cell of an .xls file as xlrd, an independent reader, sees it:
one line per sheet ("sheet", name) and per non-empty cell (row, column, kind,
value), tab-separated, texts with backslash escapes, numbers as the hex of
their eight bytes (little-endian), so that every bit is compared."""
import struct
import sys

import xlrd

book = xlrd.open_workbook(sys.argv[1], ragged_rows=True)
out = []
for sheet in book.sheets():
    out.append("sheet\t" + sheet.name.encode("unicode_escape").decode("ascii"))
    for row in range(sheet.nrows):
        for column in range(sheet.row_len(row)):
            cell = sheet.cell(row, column)
            if cell.ctype == xlrd.XL_CELL_EMPTY:
                continue
            if cell.ctype == xlrd.XL_CELL_TEXT:
                value = "text\t" + cell.value.encode("unicode_escape").decode("ascii")
            elif cell.ctype == xlrd.XL_CELL_NUMBER:
                value = "number\t" + struct.pack("<d", cell.value).hex()
            elif cell.ctype == xlrd.XL_CELL_BOOLEAN:
                value = "boolean\t%d" % cell.value
            elif cell.ctype == xlrd.XL_CELL_ERROR:
                value = "error\t%d" % cell.value
            else:
                continue
            out.append("%d\t%d\t%s" % (row, column, value))
sys.stdout.write("".join(line + "\n" for line in out))
