"""Writes each case as a flat OpenDocument spreadsheet for LibreOffice to
save as .xls: python3 fods_maker.py CASES.json OUTDIR"""
import json
import sys
from xml.sax.saxutils import escape, quoteattr

from cases import column_row

HEAD = """<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:automatic-styles>
<style:style style:name="Bold" style:family="text"><style:text-properties fo:font-weight="bold"/></style:style>
</office:automatic-styles>
<office:body><office:spreadsheet>
"""


def cell(value):
    if value is None:
        return "<table:table-cell/>"
    if isinstance(value, dict) and "formula" in value:
        # No cached result: LibreOffice computes it on loading and saves
        # that (a cached text result given here would be saved as 0).
        return "<table:table-cell table:formula=%s/>" % quoteattr(value["formula"])
    formula = ""
    if isinstance(value, dict) and "rich" in value:
        parts = "".join(escape(text) if not bold else '<text:span text:style-name="Bold">%s</text:span>' % escape(text)
                        for text, bold in value["rich"])
        return '<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>' % parts
    if isinstance(value, dict) and "error" in value:
        return '<table:table-cell%s><text:p>#DIV/0!</text:p></table:table-cell>' % formula
    if isinstance(value, bool):
        return ('<table:table-cell%s office:value-type="boolean" office:boolean-value="%s"><text:p>%s</text:p>'
                '</table:table-cell>' % (formula, "true" if value else "false", "TRUE" if value else "FALSE"))
    if isinstance(value, (int, float)):
        return ('<table:table-cell%s office:value-type="float" office:value="%r"><text:p>%r</text:p></table:table-cell>'
                % (formula, value, value))
    return ('<table:table-cell%s office:value-type="string" office:string-value=%s><text:p>%s</text:p></table:table-cell>'
            % (formula, quoteattr(value), escape(value)))


cases = json.load(open(sys.argv[1], encoding="utf-8"))
for case, sheets in cases.items():
    out = [HEAD]
    for name, cells in sheets:
        grid = {}
        for address, value in cells.items():
            grid[column_row(address)] = value
        rows = max(r for r, _ in grid) + 1
        columns = max(c for _, c in grid) + 1
        out.append('<table:table table:name=%s><table:table-column table:number-columns-repeated="%d"/>\n'
                   % (quoteattr(name), columns))
        for row in range(rows):
            out.append("<table:table-row>" + "".join(cell(grid.get((row, c))) for c in range(columns)) +
                       "</table:table-row>\n")
        out.append("</table:table>\n")
    out.append("</office:spreadsheet></office:body></office:document>\n")
    with open("%s/%s.fods" % (sys.argv[2], case), "w", encoding="utf-8") as f:
        f.write("".join(out))
