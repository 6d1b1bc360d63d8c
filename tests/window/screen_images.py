"""RGB pictures from an X window dump (xwd) and from magtool's PNGs, with the
standard library only, so that the window test needs no image package."""
import struct
import zlib


class Rgb:
    """width x height pixels as (r, g, b) tuples, row by row."""

    def __init__(self, width, height, rows):
        self.width, self.height, self.rows = width, height, rows

    def pixel(self, x, y):
        return self.rows[y][x]


def _shift(mask):
    shift = 0
    while mask and not mask & 1:
        mask >>= 1
        shift += 1
    return shift


def read_xwd(data, box):
    """The box (left, top, width, height) of a ZPixmap dump of a TrueColor
    screen, as xwd -root writes it."""
    fields = struct.unpack(">25I", data[:100])
    header_size, pixmap_format = fields[0], fields[2]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    masks = fields[14:17]
    colours = fields[19]
    if pixmap_format != 2 or bits_per_pixel not in (24, 32):
        raise ValueError("unsupported xwd: format %d, %d bits" % (pixmap_format, bits_per_pixel))
    step = bits_per_pixel // 8
    order = "little" if byte_order == 0 else "big"
    shifts = [_shift(m) for m in masks]
    left, top, width, height = box
    if left < 0 or top < 0 or left + width > fields[4] or top + height > fields[5]:
        raise ValueError("box outside the screen")
    start = header_size + colours * 12 + left * step
    rows = []
    for y in range(top, top + height):
        line = data[start + y * bytes_per_line:start + y * bytes_per_line + width * step]
        row = []
        for x in range(0, width * step, step):
            value = int.from_bytes(line[x:x + step], order)
            row.append(tuple((value & m) >> s for m, s in zip(masks, shifts)))
        rows.append(row)
    return Rgb(width, height, rows)


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png(data):
    """An 8-bit RGB PNG without interlace, as magtool render writes it."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    at, idat = 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if (depth, colour, interlace) != (8, 2, 0):
                raise ValueError("unsupported PNG")
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    raw = zlib.decompress(idat)
    stride = width * 3
    previous = bytearray(stride)
    rows = []
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - 3] if i >= 3 else 0
            up = previous[i]
            corner = previous[i - 3] if i >= 3 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                line[i] = (line[i] + _paeth(left, up, corner)) & 0xFF
        rows.append([tuple(line[i:i + 3]) for i in range(0, stride, 3)])
        previous = line
    return Rgb(width, height, rows)
