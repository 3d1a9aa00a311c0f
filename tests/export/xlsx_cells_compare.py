#!/usr/bin/python3
"""Reads two .xlsx workbooks with openpyxl and says where their cells differ:
sheet names, every cell's value, type and number format, column widths. The
second file's .zip container must also pass zipfile's CRC check.

usage: xlsx_cells_compare.py EXPECTED.xlsx ACTUAL.xlsx   (exit 0 when equal)
"""
import sys
import zipfile

import openpyxl


def describe(path):
    book = openpyxl.load_workbook(path)
    sheets = []
    for ws in book.worksheets:
        cells = {(c.row, c.column): (c.value, c.data_type, c.number_format)
                 for row in ws.iter_rows() for c in row if c.value is not None or c.has_style}
        widths = {k: round(d.width, 6) for k, d in ws.column_dimensions.items() if d.customWidth}
        sheets.append((ws.title, cells, widths))
    return sheets


def main(expected, actual):
    with zipfile.ZipFile(actual) as z:
        bad = z.testzip()
        if bad is not None:
            raise SystemExit(f"{actual}: entry {bad} fails its CRC check")
    want, got = describe(expected), describe(actual)
    if [s[0] for s in want] != [s[0] for s in got]:
        raise SystemExit(f"sheet names differ: {[s[0] for s in want]} / {[s[0] for s in got]}")
    for (title, cells_w, widths_w), (_, cells_g, widths_g) in zip(want, got):
        if widths_w != widths_g:
            raise SystemExit(f"{title}: column widths differ: {widths_w} / {widths_g}")
        for key in sorted(set(cells_w) | set(cells_g)):
            if cells_w.get(key) != cells_g.get(key):
                raise SystemExit(f"{title} row {key[0]} column {key[1]}: "
                                 f"{cells_w.get(key)!r} / {cells_g.get(key)!r}")
        print(f"{title}: {len(cells_g)} cells, {len(widths_g)} widths equal")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
