#!/usr/bin/env python3
"""Writes the hostile workbooks of tests/data/workbooks (small hand-made
.xlsx files that once broke the workbook reader, read by the cli suite) and
their sheets as inputs of the workbook_sheet fuzz target
(corpus/workbook_sheet), which packs its input as a workbook again.
Usage: tests/fuzz/make_workbooks.py (from anywhere)."""
import os
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
BOOKS = os.path.join(HERE, "..", "data", "workbooks")
SHEETS = os.path.join(HERE, "corpus", "workbook_sheet")

RELS = ('<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
        '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>')
NS = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
RNS = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'
WS = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet"
SST = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings"


def sheet_xml(rows):
    return f'<?xml version="1.0" encoding="UTF-8"?><worksheet {NS}><sheetData>{rows}</sheetData></worksheet>'


def write_book(name, sheets, strings=()):
    """sheets: list of (tab name, sheetData content)."""
    book = "".join(f'<sheet name="{n}" sheetId="{i + 1}" r:id="rId{i + 1}"/>' for i, (n, _) in enumerate(sheets))
    links = "".join(f'<Relationship Id="rId{i + 1}" Type="{WS}" Target="worksheets/sheet{i + 1}.xml"/>'
                    for i in range(len(sheets)))
    links += f'<Relationship Id="rIdS" Type="{SST}" Target="sharedStrings.xml"/>'
    sst = "".join(f"<si><t>{s}</t></si>" for s in strings)
    with zipfile.ZipFile(os.path.join(BOOKS, name), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("_rels/.rels", RELS)
        z.writestr("xl/workbook.xml", f'<?xml version="1.0" encoding="UTF-8"?><workbook {NS} {RNS}><sheets>{book}</sheets></workbook>')
        z.writestr("xl/_rels/workbook.xml.rels",
                   f'<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">{links}</Relationships>')
        z.writestr("xl/sharedStrings.xml", f'<?xml version="1.0" encoding="UTF-8"?><sst {NS}>{sst}</sst>')
        for i, (_, rows) in enumerate(sheets):
            z.writestr(f"xl/worksheets/sheet{i + 1}.xml", sheet_xml(rows))


def inline(ref, text):
    return f'<c r="{ref}" t="inlineStr"><is><t>{text}</t></is></c>'


def num(ref, value):
    return f'<c r="{ref}"><v>{value}</v></c>'


def etabs_rows(data, gap=""):
    """An ETABS force table: title, names, units, then rows (story, column,
    case, type, P, M2, M3); `gap` goes between the rows 4 and 5."""
    names = ["Story", "Column", "Output Case", "Case Type", "P", "M2", "M3"]
    units = ["", "", "", "", "kN", "kN-m", "kN-m"]
    cols = "ABCDEFG"
    out = f'<row r="1">{inline("A1", "TABLE:  Element Forces - Columns")}</row>'
    out += '<row r="2">' + "".join(inline(f"{c}2", n) for c, n in zip(cols, names)) + "</row>"
    out += '<row r="3">' + "".join(inline(f"{c}3", u) for c, u in zip(cols, units) if u) + "</row>"
    for r, (story, column, case, p, m2, m3) in enumerate(data, start=4):
        if r == 5:
            out += gap
        cells = [inline(f"A{r}", story), inline(f"B{r}", column), inline(f"C{r}", case),
                 inline(f"D{r}", "Combination"), num(f"E{r}", p), num(f"F{r}", m2), num(f"G{r}", m3)]
        out += f'<row r="{r}">' + "".join(cells) + "</row>"
    return out


def main():
    os.makedirs(BOOKS, exist_ok=True)
    os.makedirs(SHEETS, exist_ok=True)
    two = [("S1", "C1", "c1", -100, 10, 20), ("S1", "C1", "c2", -200, 30, 40)]
    sheets = {
        "etabs_forces.xlsx": etabs_rows(two),
        # A cell before any row.
        "repro_cell_before_row.xlsx": "<c><v>1</v></c>",
        # A cell between row 4 and row 5: glued to row 5 and row 5 lost.
        "repro_cell_between_rows.xlsx": etabs_rows(two, gap=num("E5", -9002)),
        # A row inside a row.
        "repro_nested_row.xlsx": '<row r="1"><row r="2"><c><v>1</v></c></row></row>',
        # One cell in column XFD on each of 100 000 rows.
        "repro_far_column.xlsx": etabs_rows(two) + "".join(
            f'<row r="{r}"><c r="XFD{r}"><v>1</v></c></row>' for r in range(6, 100006)),
    }
    for name, rows in sheets.items():
        write_book(name, [("Element Forces - Columns", rows)])
        if name != "repro_far_column.xlsx":  # too large for the fuzz target's inputs
            with open(os.path.join(SHEETS, name.replace(".xlsx", ".xml")), "w") as f:
                f.write(sheet_xml(rows))
    # One shared string of 1 MiB referenced by 2 000 cells.
    long_rows = etabs_rows(two) + "".join(
        f'<row r="{r}"><c r="A{r}" t="s"><v>0</v></c></row>' for r in range(6, 2006))
    write_book("repro_long_shared_string.xlsx", [("Element Forces - Columns", long_rows)],
               strings=["x" * (1 << 20)])
    # "Forces", a plain table, and "FORCES", the ETABS table.
    plain = '<row r="1">' + inline("A1", "Case") + inline("E1", "P") + "</row>" + \
            '<row r="2">' + inline("A2", "c1") + num("E2", -9002) + num("I2", 1) + num("J2", 2) + "</row>"
    write_book("repro_sheet_case.xlsx", [("Forces", plain), ("FORCES", etabs_rows(two))])
    # A workbook without a force table.
    other = '<row r="1">' + inline("A1", "TABLE:  Story Definitions") + "</row>" + \
            '<row r="2">' + inline("A2", "Story") + inline("B2", "Height") + "</row>"
    materials = '<row r="1">' + inline("A1", "TABLE:  Material Properties - General") + "</row>" + \
                '<row r="2">' + inline("A2", "Material") + inline("B2", "Type") + "</row>"
    write_book("no_force_table.xlsx", [("Story Definitions", other), ("Materials", materials)])


if __name__ == "__main__":
    main()
