import struct, os, sys
out = sys.argv[1]
os.makedirs(out, exist_ok=True)

def header(version, fields, nrec, hdrlen=None, reclen=None, block=0, flags=0, enc=0, term=True):
    desc = b''
    for name, typ, length, dec in fields:
        nb = name.encode('ascii')[:11].ljust(11, b'\0')
        d = nb + typ.encode('ascii') + b'\0' * 4 + bytes([length & 0xff, dec & 0xff]) + b'\0' * 14
        desc += d
    body = desc + (b'\r' if term else b'') + b'\0' * block
    if hdrlen is None:
        hdrlen = 32 + len(body)
    if reclen is None:
        reclen = 1 + sum(f[2] for f in fields)
    h = bytes([version, 125, 5, 1]) + struct.pack('<IHH', nrec, hdrlen, reclen) + b'\0' * 3 + bytes([enc])
    h += b'\0' * 12 + bytes([flags]) + b'\0' * 3
    return h + body

def rec(deleted, *vals):
    return (b'*' if deleted else b' ') + b''.join(vals)

def w(name, data):
    assert len(data) < 2048, name
    open(os.path.join(out, name), 'wb').write(data)

def cp(s, n):
    return s.encode('cp866')[:n].ljust(n, b' ')

def num(v, n):
    return v.rjust(n).encode('ascii')

F = [('NAME', 'C', 10, 0), ('QTY', 'N', 5, 0), ('PRICE', 'N', 8, 2), ('OK', 'L', 1, 0), ('DAT', 'D', 8, 0)]
recs = [rec(False, cp('Мясне', 10), num('12', 5), num('-12.50', 8), b'T', b'20250501'),
        rec(True, cp('gone', 10), num('0', 5), num('0.00', 8), b' ', b'        '),
        rec(False, cp('', 10), num('-7', 5), num('1234.50', 8), b'F', b'00000000'),
        rec(False, cp('Овочi', 10), num('2.5', 5), num('', 8), b'y', b'20250230')]
w('v03_basic.dbf', header(0x03, F, 4) + b''.join(recs))
w('v03_eof.dbf', header(0x03, F, 4) + b''.join(recs) + b'\x1a')
w('v03_partial.dbf', header(0x03, F, 4) + b''.join(recs) + recs[0][:13])
w('v03_empty.dbf', header(0x03, F, 0) + b'\x1a')
w('count_mismatch.dbf', header(0x03, F, 99) + recs[0])
w('bad_number.dbf', header(0x03, F, 2) + recs[0] + rec(False, cp('x', 10), num('1x3', 5), num('1.2.3', 8), b'J', b'2025 501'))
G = [('TIP', 'C', 5, 0), ('Q25', 'N', 10, 3)]
w('v30_block.dbf', header(0x30, G, 2, block=263) + rec(False, cp('Мясн', 5), num('1.500', 10)) + rec(True, cp('Iнше', 5), num('-0.001', 10)) + b'\x1a')
w('c_highbyte.dbf', header(0x03, [('NOTE', 'C', 300, 1), ('N', 'N', 3, 0)], 1, reclen=1 + 300 + 3) + rec(False, cp('long text', 300), num('7', 3)))
w('bad_version.dbf', b'\x02' + header(0x03, F, 1)[1:] + recs[0])
w('encrypted.dbf', header(0x03, F, 1, enc=1) + recs[0])
w('short_header.dbf', header(0x03, F, 1)[:20])
w('reclen_zero.dbf', header(0x03, F, 1, reclen=0) + recs[0])
w('reclen_small.dbf', header(0x03, F, 2, reclen=9) + recs[0][:9] + recs[1][:9])
w('hdrlen_small.dbf', header(0x03, F, 1, hdrlen=10) + recs[0])
w('hdrlen_huge.dbf', header(0x03, F, 1, hdrlen=0xffff) + recs[0])
T = [('S', 'N', 4, 0), ('BIG', 'N', 11, 0), ('FL', 'F', 6, 1), ('I', 'I', 4, 0), ('TS', 'T', 8, 0),
     ('MEMO', 'M', 10, 0), ('X', 'X', 3, 0), ('B', 'B', 10, 0), ('GEN', 'G', 4, 0), ('Z', 'N', 1, 0)]
trec = rec(False, num('-123', 4), num('12345678901', 11), num('-1.5', 6), struct.pack('<i', -5),
           struct.pack('<ii', 2460000, 3600000), num('1', 10), b'abc', num('', 10), b'\0\0\0\0', b'9')
w('v83_types.dbf', header(0x83, T, 1, flags=2) + trec)
w('v8b_types.dbf', header(0x8B, T, 1, flags=7) + trec)
w('vf5_types.dbf', header(0xF5, T, 2, flags=0xff) + trec + trec)
# An 11-character name with no terminating zero and a field with an empty name.
N = [('ABCDEFGHIJK', 'C', 3, 0), ('', 'N', 2, 0), ('name', 'C', 0, 0)]
w('odd_names.dbf', header(0x03, N, 1, term=False) + rec(False, b'a\0b', b' 1'))
w('zero_bytes.dbf', header(0x03, F, 1) + rec(False, b'ab\0cd\x01\x02   ', b'\0\0\0\0\0', b'  1\0.50 ', b'\0', b'\0' * 8))
