#!/usr/bin/env bash
# Exports coordinate files with `veltramarlin-cli excel` and reads the workbooks
# back with xlrd, an independent reader, checking every sheet name and cell:
# apostrophes, quotes, the old row separator, Chinese text (GBK and UTF-8
# files), 10,000 points, and more points than one sheet holds.
# Usage: excel_xlrd_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build_dir=$1
cli="$build_dir/cli/veltramarlin-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Debian's python modules are seen by /usr/bin/python3 only.
if ! /usr/bin/python3 -c 'import xlrd' 2>/dev/null; then
    echo "python3-xlrd is not installed (make test installs it)" >&2
    exit 1
fi

/usr/bin/python3 - "$cli" "$work" <<'PY'
import subprocess, sys, xlrd

cli, work = sys.argv[1], sys.argv[2]
HEADER = ['PT*', 'X', 'Y', 'Z', 'PCode']
failures = []

def check(name, lines, sheets, encoding='gbk', ending='\r\n'):
    """Exports lines; sheets: list of (sheet name, expected data rows below the header)."""
    src, target = f'{work}/{name}.txt', f'{work}/{name}.xls'
    open(src, 'wb').write(ending.join(lines).encode(encoding) + ending.encode())
    run = subprocess.run([cli, 'excel', src, target], capture_output=True)
    if run.returncode != 0:
        failures.append(f'{name}: exit {run.returncode}: {run.stdout!r} {run.stderr!r}')
        return
    book = xlrd.open_workbook(target)
    got = [s.name for s in book.sheets()]
    want = [n for n, _ in sheets]
    if got != want:
        failures.append(f'{name}: sheets {got} != {want}')
        return
    for sheet, (_, rows) in zip(book.sheets(), sheets):
        expected = [HEADER] + rows
        if sheet.nrows != len(expected):
            failures.append(f'{name}/{sheet.name}: {sheet.nrows} rows, expected {len(expected)}')
        for r in range(min(sheet.nrows, len(expected))):
            cells = [sheet.cell_value(r, c) for c in range(sheet.ncols)]
            cells += [''] * (5 - len(cells))
            types = {sheet.cell_type(r, c) for c in range(sheet.ncols) if cells[c] != ''}
            if cells != expected[r] or types - {xlrd.XL_CELL_TEXT}:
                failures.append(f'{name}/{sheet.name} row {r + 1}: {cells} != {expected[r]}')
                break

# Values that broke the old statement-based writer, and the column rules.
special = [
    ("O'Brien,1,2,3,x", ["O'Brien", '1', '2', '3', 'x']),
    ("1,2,3,4,it's", ['1', '2', '3', '4', "it's"]),
    ('"a",;.?"b",2,3,4,5', ['"a"', ';.?"b"', '2', '3', '4,5']),
    ('P1,"x",;.?"y",3,4', ['P1', '"x"', ';.?"y"', '3', '4']),
    ('1,TREE,100,200,30', ['1', 'TREE', '100', '200', '30']),
    ('7,100,200,30', ['7', '100', '200', '30', '']),
    ('7,100,200,30,A,B', ['7', '100', '200', '30', 'A,B']),
    ('', ['', '', '', '', '']),
    ('  7, 100 ,200,30\t  ', ['7', ' 100 ', '200', '30\t', '']),
    ('A,B', ['A', '', 'A', 'B', '']),
    ('HEADING', ['', '', '', 'HEADING', '']),
    ('控制点1,3456789.123,512345.678,45.6,电线杆', ['控制点1', '3456789.123', '512345.678', '45.6', '电线杆']),
    ('GP-€,1,2,3,4', ['GP-€', '1', '2', '3', '4']),
]
check('special', [line for line, _ in special], [('Coordinate', [c for _, c in special])], 'gb18030')

# The same Chinese text from a UTF-8 file, with LF line ends.
check('utf8', ['界桩,1,2,3,水井'], [('Coordinate', [['界桩', '1', '2', '3', '水井']])], 'utf-8', '\n')

def point(i):
    code = ['房角', "wall's", 'a",;.?"b', 'TREE', ''][i % 5]
    return [f'P{i}', f'{3400000 + i * 1.25:.3f}', f'{500000 - i * 0.5:.3f}', f'{i % 97}.5', code]

# 10,000 points: many shared strings, so the string table runs over several records.
rows = [point(i) for i in range(10000)]
check('ten_thousand', [','.join(r) for r in rows], [('Coordinate', rows)])

# More points than one sheet holds: the rest goes on in further sheets, each with the header.
rows = [point(i) for i in range(70000)]
check('seventy_thousand', [','.join(r) for r in rows],
      [('Coordinate', rows[:65535]), ('Coordinate (2)', rows[65535:])])

for f in failures:
    print('FAIL', f)
sys.exit(1 if failures else 0)
PY
