#!/usr/bin/env bash
# The printed coordinate table (`veltramarlin-cli table --pdf`) read back with
# poppler's pdftotext gives exactly the characters printed: the heading with
# the source file's name, every row with its fields in order, "第 N 页，共 M 页"
# on each page, GBK and UTF-8 lines alike (文, 角 and 页 are not turned into the
# radicals that share their glyphs in the font). The run prints nothing of the toolkit's
# on standard error; the plain table file beside it stays what it always was.
# Usage: table_pdf_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - "$1/cli/veltramarlin-cli" "$work" <<'PY'
import os, subprocess, sys

cli, work = sys.argv[1], sys.argv[2]

# Codes whose GBK bytes are no valid UTF-8, so that each line is read as written;
# 页 comes in every page's foot, 文 in the heading.
codes = ['码', '文', '角', '田', '高', '土', '林']
rows = [(f'P{i}', f'{codes[i % 7]}{i % 7}', f'{3400000 + i * 1.25:.3f}', f'{500000 - i:.3f}',
         f'{i % 50}.25') for i in range(130)]
lines = [','.join(r).encode('utf-8' if i % 2 else 'gbk') for i, r in enumerate(rows)]
src, table, pdf = f'{work}/测区 A.txt', f'{work}/table.txt', f'{work}/table.pdf'
open(src, 'wb').write(b'heading without comma\r\n' + b'\r\n'.join(lines) + b'\r\n')
env = {k: v for k, v in os.environ.items() if k != 'XDG_RUNTIME_DIR'}
run = subprocess.run([cli, 'table', '--pdf', pdf, src, table], capture_output=True, env=env)
assert run.returncode == 0, run
assert run.stderr == b'', run.stderr.decode()
assert '65 行按 UTF-8 读取，65 行按 GBK 读取' in run.stdout.decode(), run.stdout.decode()
assert open(table, 'rb').read().startswith(b'PT#' + b' ' * 12 + b'X')

pages = subprocess.run(['pdftotext', '-layout', pdf, '-'], capture_output=True,
                       check=True).stdout.decode().split('\f')[:-1]
assert len(pages) > 1, len(pages)
seen = []
for n, page in enumerate(pages, 1):
    text = [l.split() for l in page.splitlines() if l.strip()]
    assert text[0] == ['坐标表'] and text[1] == ['源文件：测区', 'A.txt'], text[:2]
    assert text[2] == ['PT#', 'X', 'Y', 'Z', 'PCode'], text[2]
    assert text[-1] == ['第', str(n), '页，共', str(len(pages)), '页'], text[-1]
    seen += [tuple(t) for t in text[3:-1]]
# PT#, X, Y, Z, PCode from the default columns PT# 1, PCode 2, X 3, Y 4, Z 5.
assert seen == [(p, x, y, z, c) for p, c, x, y, z in rows], seen[:3]
PY
