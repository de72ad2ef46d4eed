#!/usr/bin/env python3
"""Checks that a change keeps kvor-cli's outputs byte for byte.

  compare_outputs.py generate TEMPLATE DATA_DIR OUT_DIR [COUNT] [SEED]
      writes COUNT calculations (default 300) varied from TEMPLATE, with names
      taken from the reference tables of DATA_DIR and numbers both plausible
      and out of range;
  compare_outputs.py run KVOR_CLI DATA_DIR CALC_DIR OUT_DIR
      runs dump, balance (text and JSON), select (two per-cent settings),
      report and equipment on each calculation and keeps what they print; the
      PDFs are kept as their text (pdftotext -layout), because a PDF carries
      the moment it was written;
  diff -r BEFORE AFTER
      then shows any difference.
"""
import os
import random
import re
import struct
import subprocess
import sys


def read_dbf(path):
    with open(path, 'rb') as f:
        data = bytearray(f.read())
    count, header_len, record_len = struct.unpack('<IHH', data[4:12])
    fields, pos, offset = [], 32, 1
    while data[pos] != 0x0D:
        name = data[pos:pos + 11].split(b'\0')[0].decode('ascii')
        kind = chr(data[pos + 11])
        length, decimals = data[pos + 16], data[pos + 17]
        fields.append((name, kind, offset, length, decimals))
        offset += length
        pos += 32
    return data, count, header_len, record_len, fields


def column(path, name):
    data, count, header_len, record_len, fields = read_dbf(path)
    field = next(f for f in fields if f[0] == name)
    values = []
    for r in range(count):
        start = header_len + r * record_len + field[2]
        values.append(bytes(data[start:start + field[3]]).rstrip(b' '))
    return [v for v in values if v]


def put(data, start, field, value):
    _, kind, offset, length, decimals = field
    if kind == 'C':
        raw = value[:length].ljust(length, b' ')
    elif kind == 'N':
        text = f'{value:.{decimals}f}' if decimals else str(int(value))
        raw = text.rjust(length)[:length].encode('ascii')
        if len(text) > length:
            raw = b'*' * length
    elif kind == 'L':
        raw = b'T' if value else b'F'
    elif kind == 'D':
        raw = value
    else:
        return
    data[start + offset:start + offset + length] = raw


def generate(template, data_dir, out_dir, count=300, seed=1):
    rng = random.Random(seed)
    ref = lambda table, name: column(os.path.join(data_dir, table), name)
    names = {
        'OB_RGNAIM': ref('s_region.dbf', 'REG_NAIM') + ['Другой'.encode('cp866'), b''],
        'TE_PTIP': ref('products.DBF', 'NAIM') + [b'', 'Нет такого'.encode('cp866')],
        'TE_TTIP': ref('s_tara.DBF', 'NAIM') + [b''],
        'OB_TERMR': ['Хранение'.encode('cp866'), 'Охлаждение'.encode('cp866'), b''],
    }
    for i in range(1, 7):
        names[f'ST_M{i}'] = ref('s_mater.DBF', 'M_NAIM') + [b'']
        names[f'ST_IZ{i}'] = ref('s_izolm.DBF', 'IZ_NAIM') + [b'']
    os.makedirs(out_dir, exist_ok=True)
    base, _, header_len, _, fields = read_dbf(template)
    for n in range(count):
        data = bytearray(base)
        wild = n % 10 == 9  # one in ten with numbers anywhere in the field's range
        for field in fields:
            name, kind, offset, length, decimals = field
            old = bytes(data[header_len + offset:header_len + offset + length]).strip()
            if name in names and rng.random() < 0.7:
                put(data, header_len, field, rng.choice(names[name]))
            elif kind == 'L' and rng.random() < 0.3:
                put(data, header_len, field, rng.random() < 0.5)
            elif kind == 'N' and rng.random() < 0.6:
                try:
                    value = float(old or b'0')
                except ValueError:
                    value = 0.0
                if wild:
                    value = rng.uniform(-10 ** min(length - 2, 6), 10 ** min(length - 2, 6))
                else:
                    value = value * rng.uniform(0.3, 2.0) + rng.choice([0, 0, 1, -1, 5])
                put(data, header_len, field, round(value, decimals))
        with open(os.path.join(out_dir, f'calc{n:03d}.kvor'), 'wb') as f:
            f.write(data)


def run(cli, data_dir, calc_dir, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    env = dict(os.environ, QT_QPA_PLATFORM='offscreen')

    def keep(name, args):
        r = subprocess.run([cli] + args, capture_output=True, env=env)
        err = b'\n'.join(l for l in r.stderr.split(b'\n') if not l.startswith(b'QStandardPaths:'))
        # The private copy's folder is named afresh on every run.
        err = re.sub(rb'/tmp/[^/\s]+/', b'/tmp/COPY/', err)
        with open(os.path.join(out_dir, name), 'wb') as f:
            f.write(b'rc=%d\n--- stdout\n' % r.returncode + r.stdout + b'--- stderr\n' + err)

    def pdf_text(name, args):
        pdf = os.path.join(out_dir, 'tmp.pdf')
        if os.path.exists(pdf):
            os.remove(pdf)
        keep(name, args + ['--pdf', pdf])
        if os.path.exists(pdf):
            text = subprocess.run(['pdftotext', '-layout', pdf, '-'], capture_output=True).stdout
            info = subprocess.run(['pdfinfo', pdf], capture_output=True).stdout
            pages = [l for l in info.split(b'\n') if l.startswith(b'Pages:')]
            with open(os.path.join(out_dir, name), 'ab') as f:
                f.write(b'--- pdf\n' + b''.join(pages) + b'\n' + text)
            os.remove(pdf)

    for calc in sorted(os.listdir(calc_dir)):
        path = os.path.join(calc_dir, calc)
        d = ['--data', data_dir]
        keep(calc + '.dump', ['dump', path])
        keep(calc + '.balance', ['balance', path] + d)
        keep(calc + '.balance.json', ['balance', path, '--json'] + d)
        keep(calc + '.select.json', ['select', path, '--json'] + d)
        keep(calc + '.select2.json', ['select', path, '--json', '--int1', '70', '--int2', '95'] + d)
        pdf_text(calc + '.report', ['report', path] + d)
        pdf_text(calc + '.equipment', ['equipment', path, '--int1', '80'] + d)


if __name__ == '__main__':
    cmd = sys.argv[1] if len(sys.argv) > 1 else ''
    if cmd == 'generate' and len(sys.argv) >= 5:
        generate(sys.argv[2], sys.argv[3], sys.argv[4], *(int(a) for a in sys.argv[5:7]))
    elif cmd == 'run' and len(sys.argv) == 6:
        run(*sys.argv[2:6])
    else:
        sys.exit(__doc__)
