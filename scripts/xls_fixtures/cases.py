"""The workbooks that spreadsheet programs save for the import tests: the
chart's sheet layout and the ways a person or a program may fill it.

   python3 cases.py json      the cases as JSON, for the makers
   python3 cases.py expected DIR   one DIR/<case>.expected per case: the
        cells a reader must find, in the form of tests/exchange/xlrd_dump.py

A cell is a number, a text, a boolean, or for the LibreOffice maker only
{"formula": ..., "value": cached} or {"rich": [[text, bold], ...]}.
"""
import json
import struct
import sys

HEADINGS = {
    "B1": "基本属性", "B2": "属性名称", "C2": "属性值", "B3": "大气压力", "B4": "温度上限",
    "B5": "温度下限", "B6": "湿度上限", "B7": "湿度下限",
    "E1": "状态点", "E2": "名称", "F2": "焓值", "G2": "含湿量",
    "I1": "热湿过程线", "I2": "名称", "J2": "起点", "K2": "终点", "L2": "风量",
    "N1": "混和过程线", "N2": "名称", "O2": "新风点", "P2": "回风点", "Q2": "混和点", "R2": "总风量", "S2": "新风量",
}


def layout(**cells):
    sheet = dict(HEADINGS)
    sheet.update({"C3": 101325, "C4": 50, "C5": -10, "C6": 30, "C7": 0})
    sheet.update(cells)
    return sheet


# Long enough to fill several CONTINUE records in every writer; the longest
# names stay under the 255 characters to which SheetJS cuts its texts.
def long_table():
    cells = {}
    for i in range(1500):
        row = i + 3
        if i % 50 == 7:
            name = "Long name %04d " % i + "x" * 200 + " 湿" * 10
        elif i % 3 == 0:
            name = "送风状态点 %04d 湿空气" % i
        else:
            name = "Supply air point %04d after the cooling coil" % i
        cells["E%d" % row] = name
        cells["F%d" % row] = 20 + i * 0.25
        cells["G%d" % row] = 5 + (i % 40) * 0.5
    return layout(**cells)


CASES = {
    # Rows 3 and 4 of the point table, an empty E5, and a row 6 the import
    # must not reach; a process and a mix.
    "basic": [["Humichart", layout(
        E3="A", F3=40.5, G3=8.25, E4="B", F4=60, G4=12.5, E6="C", F6=70, G6=15,
        I3={"rich": [["Cooling ", False], ["coil", True]]}, J3="A", K3="B", L3=1500,
        N3="M1", O3="A", P3="B", Q3="M", R3=2000, S3=500)]],
    "f3_number_as_text": [["Humichart", layout(E3="A", F3="12.5", G3=8)]],
    "f3_word": [["Humichart", layout(E3="A", F3=40, G3=8, E4="B", F4="warm", G4=9)]],
    "point_named_1": [["Humichart", layout(E3=1, F3=40, G3=8, E4=12.5, F4=45, G4=9)]],
    "pressure_50000_swapped_bounds": [["Humichart", layout(C3=50000, C4=-10, C5=40, C6=5, C7=25, E3="A", F3=40, G3=8)]],
    "missing_sheet": [["Sheet1", layout(E3="A", F3=40, G3=8)]],
    "several_sheets": [
        ["Notes", {"A1": "Exported for the plant room", "A2": True, "B2": False}],
        ["Humichart", layout(E3="A", F3=40, G3=8)],
        ["Backup", layout(C3=90000)],
    ],
    "long_shared_strings": [["Humichart", long_table()]],
    # LibreOffice only: cached formula results of every kind.
    "formulas": [["Humichart", layout(
        C3={"formula": "of:=100000+1325", "value": 101325},
        E3={"formula": "of:=\"P\"&\"1\"", "value": "P1"}, F3=40,
        G3={"formula": "of:=[.F3]/5", "value": 8},
        H3={"formula": "of:=1/0", "value": {"error": 7}})]],
}


def column_row(address):
    letters = address.rstrip("0123456789")
    column = 0
    for letter in letters:
        column = column * 26 + ord(letter) - ord("A") + 1
    return int(address[len(letters):]) - 1, column - 1


def escaped(text):
    return text.encode("unicode_escape").decode("ascii")


def expected(case):
    lines = []
    for name, cells in CASES[case]:
        lines.append("sheet\t" + escaped(name))
        for address in sorted(cells, key=column_row):
            row, column = column_row(address)
            value = cells[address]
            if isinstance(value, dict) and "formula" in value:
                value = value["value"]
            if isinstance(value, dict) and "rich" in value:
                value = "".join(part for part, _ in value["rich"])
            if isinstance(value, dict) and "error" in value:
                shown = "error\t%d" % value["error"]
            elif isinstance(value, bool):
                shown = "boolean\t%d" % value
            elif isinstance(value, (int, float)):
                shown = "number\t" + struct.pack("<d", float(value)).hex()
            else:
                shown = "text\t" + escaped(value)
            lines.append("%d\t%d\t%s" % (row, column, shown))
    return "".join(line + "\n" for line in lines)


if __name__ == "__main__":
    if sys.argv[1] == "json":
        json.dump(CASES, sys.stdout, ensure_ascii=False)
    else:
        for case in CASES:
            with open("%s/%s.expected" % (sys.argv[2], case), "w", encoding="ascii") as out:
                out.write(expected(case))
