#!/usr/bin/env bash
# The workbooks `veltramarlin-cli excel` writes, read back by independent
# readers, xlrd for the .xls and openpyxl for the .xlsx: every sheet name and
# cell, columns as wide as their longest value, number cells with the format
# "0.000" under --numbers while names and codes stay text; apostrophes, quotes,
# the old row separator and Chinese text (GBK and UTF-8 files, or both in one
# file, which the run names); 10,000 points, and 70,000, more than one sheet
# holds, going on in further sheets.
# Usage: workbook_readers_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - "$1/cli/veltramarlin-cli" "$work" <<'PY'
import subprocess, sys, unicodedata
import openpyxl, xlrd

cli, work = sys.argv[1], sys.argv[2]
HEADER = ['PT*', 'X', 'Y', 'Z', 'PCode']

def cells_width(text):
    return sum(2 if unicodedata.east_asian_width(c) in 'WF' else 1 for c in text)

def export(name, data, target_ext, *options):
    src, target = f'{work}/{name}.txt', f'{work}/{name}.{target_ext}'
    open(src, 'wb').write(data)
    run = subprocess.run([cli, 'excel', *options, src, target], capture_output=True)
    assert run.returncode == 0, (name, run)
    return target, run.stdout.decode()

def expected_rows(rows, numbers):
    """The cells a reader should see: with numbers, X, Y, Z that are numbers become floats."""
    def cell(c, text):
        if numbers and c in (1, 2, 3):
            try:
                return float(text)
            except ValueError:
                pass
        return text
    return [[cell(c, t) for c, t in enumerate(r)] for r in rows]

def widths_of(rows, numbers):
    """Fitted width per column in 1/256 characters: the widest shown value plus one."""
    shown = [[f'{v:.3f}' if isinstance(v, float) else v for v in r] for r in rows]
    return [(max(cells_width(r[c]) for r in shown) + 1) * 256 for c in range(5)]

def check_xls(path, sheets, numbers):
    book = xlrd.open_workbook(path, formatting_info=True)
    assert [s.name for s in book.sheets()] == [n for n, _ in sheets]
    for sheet, (_, rows) in zip(book.sheets(), sheets):
        want = [HEADER] + expected_rows(rows, numbers)
        widths = [sheet.colinfo_map[c].width for c in range(5)]
        assert widths == widths_of(want, numbers), (sheet.name, widths, widths_of(want, numbers))
        for r, row in enumerate(want):
            got = [sheet.cell_value(r, c) if c < sheet.row_len(r) else '' for c in range(5)]
            assert got == row, (sheet.name, r, got, row)
            for c, value in enumerate(row):
                if c >= sheet.row_len(r) or value == '':
                    continue
                xf = book.xf_list[sheet.cell_xf_index(r, c)]
                kind, fmt = sheet.cell_type(r, c), book.format_map[xf.format_key].format_str
                want_kind = (xlrd.XL_CELL_NUMBER, '0.000') if isinstance(value, float) else (xlrd.XL_CELL_TEXT, '@')
                assert (kind, fmt) == want_kind, (sheet.name, r, c, kind, fmt)

def check_xlsx(path, sheets, numbers):
    book = openpyxl.load_workbook(path, read_only=False)
    assert book.sheetnames == [n for n, _ in sheets], book.sheetnames
    for ws, (_, rows) in zip(book.worksheets, sheets):
        want = [HEADER] + expected_rows(rows, numbers)
        got = [[('' if v is None else v) for v in r] for r in ws.iter_rows(values_only=True)]
        got = [r + [''] * (5 - len(r)) for r in got]
        assert got == want, (ws.title, next((i, a, b) for i, (a, b) in enumerate(zip(got, want)) if a != b))
        # The file stores the width with the cell padding Excel adds (9 -> 9.71).
        widths = [int(ws.column_dimensions[chr(65 + c)].width) * 256 for c in range(5)]
        assert widths == widths_of(want, numbers), (ws.title, widths)
        if numbers:
            assert ws.cell(2, 2).number_format == '0.000' and ws.cell(2, 1).data_type == 's'

def point(i):
    code = ['房角', 'TREE', '', '电线杆 3 号', 'K'][i % 5]
    return [f'P{i}', f'{38500000 + i * 1.25:.3f}', f'{2500000 - i * 0.5:.2f}', f'{i % 97}.5', code]

# Coordinates of 11-12 characters, Chinese codes, text where a number would be.
rows = [point(i) for i in range(50)] + [['控制点甲', 'abc', '', '1e3', '']]
source = '\r\n'.join(','.join(r) for r in rows).encode('gbk') + b'\r\n'
for numbers in (False, True):
    options = ['--numbers'] if numbers else []
    check_xls(export('points', source, 'xls', *options)[0], [('Coordinate', rows)], numbers)
    check_xlsx(export('points', source, 'xlsx', *options)[0], [('Coordinate', rows)], numbers)

# Values that broke the old statement-based writer, and the column rules.
special = [
    ("O'Brien,1,2,3,x", ["O'Brien", '1', '2', '3', 'x']),
    ("1,2,3,4,it's", ['1', '2', '3', '4', "it's"]),
    ('"a",;.?"b",2,3,4,5', ['"a"', ';.?"b"', '2', '3', '4,5']),
    ('P1,"x",;.?"y",3,4', ['P1', '"x"', ';.?"y"', '3', '4']),
    ('7,100,200,30', ['7', '100', '200', '30', '']),
    ('7,100,200,30,A,B', ['7', '100', '200', '30', 'A,B']),
    ('', ['', '', '', '', '']),
    ('  7, 100 ,200,30\t  ', ['7', ' 100 ', '200', '30\t', '']),
    ('A,B', ['A', '', 'A', 'B', '']),
    ('HEADING', ['', '', '', 'HEADING', '']),
    ('控制点1,3456789.123,512345.678,45.6,电线杆', ['控制点1', '3456789.123', '512345.678', '45.6', '电线杆']),
    ('GP-€,1,2,3,4', ['GP-€', '1', '2', '3', '4']),
]
source = '\r\n'.join(line for line, _ in special).encode('gb18030') + b'\r\n'
check_xls(export('special', source, 'xls')[0], [('Coordinate', [c for _, c in special])], False)
check_xls(export('utf8', '界桩,1,2,3,水井\n'.encode(), 'xls')[0],
          [('Coordinate', [['界桩', '1', '2', '3', '水井']])], False)

# GBK and UTF-8 lines in one source: every line reads right, and the status says how.
lines = [','.join(r).encode('utf-8' if i % 3 else 'gbk') for i, r in enumerate(rows[:9])]
for ext in ('xls', 'xlsx'):
    path, stdout = export('mixed', b'\n'.join(lines) + b'\n', ext)
    (check_xls if ext == 'xls' else check_xlsx)(path, [('Coordinate', rows[:9])], False)
    assert '2 行按 UTF-8 读取，2 行按 GBK 读取' in stdout, stdout  # ASCII lines are either

# 10,000 points (the .xls string table runs over several records), and 70,000:
# the rest goes on in a second sheet with the header, the same in both formats.
rows = [point(i) for i in range(10000)]
source = '\n'.join(','.join(r) for r in rows).encode('utf-8') + b'\n'
check_xls(export('ten_thousand', source, 'xls')[0], [('Coordinate', rows)], False)
rows = [point(i) for i in range(70000)]
source = '\n'.join(','.join(r) for r in rows).encode('utf-8') + b'\n'
sheets = [('Coordinate', rows[:65535]), ('Coordinate (2)', rows[65535:])]
check_xls(export('seventy_thousand', source, 'xls')[0], sheets, False)
check_xlsx(export('seventy_thousand', source, 'xlsx', '--numbers')[0], sheets, True)
PY
