"""RGB pictures (lists of rows of (r, g, b) tuples) from an X window dump and
from PNGs, with the standard library only."""
import struct
import zlib


def _shift(mask):
    return (mask & -mask).bit_length() - 1


def read_xwd(data, box):
    """The box (left, top, width, height) of a TrueColor screen's xwd -root dump."""
    fields = struct.unpack(">25I", data[:100])
    step, line_bytes, masks = fields[11] // 8, fields[12], fields[14:17]
    if fields[2] != 2 or fields[11] not in (24, 32):
        raise ValueError("unsupported xwd: format %d, %d bits" % (fields[2], fields[11]))
    order = "little" if fields[7] == 0 else "big"
    left, top, width, height = box
    if left < 0 or top < 0 or left + width > fields[4] or top + height > fields[5]:
        raise ValueError("box outside the screen")
    start = fields[0] + fields[19] * 12 + left * step
    rows = []
    for y in range(top, top + height):
        line = data[start + y * line_bytes:start + y * line_bytes + width * step]
        values = (int.from_bytes(line[x:x + step], order) for x in range(0, width * step, step))
        rows.append([tuple((v & m) >> _shift(m) for m in masks) for v in values])
    return rows


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


PREDICT = [lambda left, up, corner: 0, lambda left, up, corner: left,
           lambda left, up, corner: up, lambda left, up, corner: (left + up) // 2, _paeth]


def read_png(data):
    """An 8-bit RGB or RGBA PNG without interlace; the alpha is dropped."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    at, idat = 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace != 0:
                raise ValueError("unsupported PNG")
            step = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    raw, stride = zlib.decompress(idat), width * step
    previous, rows = bytearray(stride), []
    for y in range(height):
        predict = PREDICT[raw[y * (stride + 1)]]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left, corner = (line[i - step], previous[i - step]) if i >= step else (0, 0)
            line[i] = (line[i] + predict(left, previous[i], corner)) & 0xFF
        rows.append([tuple(line[i:i + 3]) for i in range(0, stride, step)])
        previous = line
    return rows
