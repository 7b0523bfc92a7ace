#!/usr/bin/env python3
"""Small picture tool for render.sh, standard library only.

  pngtool.py optimise IN.png OUT.png
      Rewrites a PNG losslessly in its smallest form: palette (with
      transparency) when it has at most 256 colours, grey or RGB when it
      is opaque, RGBA otherwise; only the IHDR, PLTE, tRNS, IDAT and IEND
      chunks are kept, so no text, time or gamma metadata.
  pngtool.py ico OUT.ico IN.png...
      Packs square PNGs (each at most 256 px) into a Windows icon whose
      entries are PNG images, largest first.
  pngtool.py gif OUT.gif DELAY_CS IN.png...
      Writes an endlessly looping animated GIF from equally sized frames.
      Pixels are matted onto white; pixels under 25 % cover become the
      transparent colour.
  pngtool.py info IN...
      Prints the size of PNG, ICO and GIF files.
"""

import struct
import sys
import zlib

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


# ---------------------------------------------------------------- PNG reading

def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _unfilter(data, height, stride, bpp):
    rows = []
    prev = bytearray(stride)
    pos = 0
    for _ in range(height):
        ftype = data[pos]
        row = bytearray(data[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        if ftype == 1:
            for i in range(bpp, stride):
                row[i] = (row[i] + row[i - bpp]) & 0xFF
        elif ftype == 2:
            for i in range(stride):
                row[i] = (row[i] + prev[i]) & 0xFF
        elif ftype == 3:
            for i in range(stride):
                left = row[i - bpp] if i >= bpp else 0
                row[i] = (row[i] + ((left + prev[i]) >> 1)) & 0xFF
        elif ftype == 4:
            for i in range(stride):
                left = row[i - bpp] if i >= bpp else 0
                upleft = prev[i - bpp] if i >= bpp else 0
                row[i] = (row[i] + _paeth(left, prev[i], upleft)) & 0xFF
        elif ftype != 0:
            raise ValueError("bad PNG filter %d" % ftype)
        rows.append(row)
        prev = row
    return rows


def read_png(path):
    """Returns (width, height, pixels) with pixels a list of RGBA tuples."""
    with open(path, "rb") as f:
        blob = f.read()
    if blob[:8] != PNG_SIGNATURE:
        raise ValueError("%s: not a PNG" % path)
    pos = 8
    idat = b""
    palette = []
    trns = b""
    while pos < len(blob):
        (length,) = struct.unpack(">I", blob[pos:pos + 4])
        ctype = blob[pos + 4:pos + 8]
        body = blob[pos + 8:pos + 8 + length]
        pos += 12 + length
        if ctype == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif ctype == b"PLTE":
            palette = [tuple(body[i:i + 3]) for i in range(0, len(body), 3)]
        elif ctype == b"tRNS":
            trns = body
        elif ctype == b"IDAT":
            idat += body
        elif ctype == b"IEND":
            break
    if depth != 8 or interlace != 0 or colour not in (0, 2, 3, 4, 6):
        raise ValueError("%s: only 8-bit, non-interlaced PNGs are read" % path)
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour]
    rows = _unfilter(zlib.decompress(idat), height, width * channels, channels)
    pixels = []
    for row in rows:
        for x in range(width):
            px = row[x * channels:(x + 1) * channels]
            if colour == 6:
                pixels.append(tuple(px))
            elif colour == 2:
                pixels.append((px[0], px[1], px[2], 255))
            elif colour == 0:
                pixels.append((px[0], px[0], px[0], 255))
            elif colour == 4:
                pixels.append((px[0], px[0], px[0], px[1]))
            else:
                index = px[0]
                alpha = trns[index] if index < len(trns) else 255
                pixels.append(palette[index] + (alpha,))
    return width, height, pixels


# ---------------------------------------------------------------- PNG writing

def _chunk(ctype, body):
    return (struct.pack(">I", len(body)) + ctype + body
            + struct.pack(">I", zlib.crc32(ctype + body) & 0xFFFFFFFF))


def _filter_rows(rows, bpp, adaptive):
    out = bytearray()
    prev = bytearray(len(rows[0])) if rows else bytearray()
    for row in rows:
        if not adaptive:
            out.append(0)
            out += row
            prev = row
            continue
        candidates = []
        n = len(row)
        sub = bytearray(n)
        up = bytearray(n)
        avg = bytearray(n)
        pae = bytearray(n)
        for i in range(n):
            left = row[i - bpp] if i >= bpp else 0
            upleft = prev[i - bpp] if i >= bpp else 0
            sub[i] = (row[i] - left) & 0xFF
            up[i] = (row[i] - prev[i]) & 0xFF
            avg[i] = (row[i] - ((left + prev[i]) >> 1)) & 0xFF
            pae[i] = (row[i] - _paeth(left, prev[i], upleft)) & 0xFF
        for ftype, data in ((0, row), (1, sub), (2, up), (3, avg), (4, pae)):
            cost = sum(v if v < 128 else 256 - v for v in data)
            candidates.append((cost, ftype, data))
        _, ftype, data = min(candidates, key=lambda c: (c[0], c[1]))
        out.append(ftype)
        out += data
        prev = row
    return bytes(out)


def _compress(raw):
    best = None
    for strategy in (zlib.Z_DEFAULT_STRATEGY, zlib.Z_FILTERED):
        c = zlib.compressobj(9, zlib.DEFLATED, 15, 9, strategy)
        data = c.compress(raw) + c.flush()
        if best is None or len(data) < len(best):
            best = data
    return best


def _pack_bits(indices, depth):
    per_byte = 8 // depth
    out = bytearray()
    for i in range(0, len(indices), per_byte):
        byte = 0
        group = indices[i:i + per_byte]
        for j, v in enumerate(group):
            byte |= v << (8 - depth * (j + 1))
        out.append(byte)
    return out


def encode_png(width, height, pixels):
    """Returns the smallest lossless PNG encoding of RGBA pixels."""
    # Fully transparent pixels carry no colour: make them all alike.
    pixels = [p if p[3] else (0, 0, 0, 0) for p in pixels]
    opaque = all(p[3] == 255 for p in pixels)
    grey = all(p[0] == p[1] == p[2] for p in pixels)
    colours = sorted(set(pixels), key=lambda p: (p[3] == 255, p))
    candidates = []

    def rows_of(flat, stride):
        return [bytearray(flat[y * stride:(y + 1) * stride]) for y in range(height)]

    if len(colours) <= 256:
        index = {c: i for i, c in enumerate(colours)}
        count = len(colours)
        depth = 1 if count <= 2 else 2 if count <= 4 else 4 if count <= 16 else 8
        idx = [index[p] for p in pixels]
        rows = [_pack_bits(idx[y * width:(y + 1) * width], depth) for y in range(height)]
        plte = b"".join(bytes(c[:3]) for c in colours)
        alphas = [c[3] for c in colours]
        while alphas and alphas[-1] == 255:
            alphas.pop()
        extra = _chunk(b"PLTE", plte)
        if alphas:
            extra += _chunk(b"tRNS", bytes(alphas))
        for adaptive in (False, True):
            candidates.append((depth, 3, extra, _filter_rows(rows, 1, adaptive)))
    if opaque and grey:
        flat = bytes(p[0] for p in pixels)
        layout = (8, 0, b"", 1, rows_of(flat, width))
    elif opaque:
        flat = bytes(v for p in pixels for v in p[:3])
        layout = (8, 2, b"", 3, rows_of(flat, width * 3))
    elif grey:
        flat = bytes(v for p in pixels for v in (p[0], p[3]))
        layout = (8, 4, b"", 2, rows_of(flat, width * 2))
    else:
        flat = bytes(v for p in pixels for v in p)
        layout = (8, 6, b"", 4, rows_of(flat, width * 4))
    depth, colour, extra, bpp, rows = layout
    for adaptive in (False, True):
        candidates.append((depth, colour, extra, _filter_rows(rows, bpp, adaptive)))

    best = None
    for depth, colour, extra, raw in candidates:
        blob = (PNG_SIGNATURE
                + _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, 0))
                + extra
                + _chunk(b"IDAT", _compress(raw))
                + _chunk(b"IEND", b""))
        if best is None or len(blob) < len(best):
            best = blob
    return best


# ---------------------------------------------------------------- ICO

def write_ico(out, pngs):
    images = []
    for path in pngs:
        width, height, pixels = read_png(path)
        if width != height or width > 256:
            raise ValueError("%s: icon images are square and at most 256 px" % path)
        images.append((width, encode_png(width, height, pixels)))
    images.sort(key=lambda item: -item[0])
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    directory = b""
    body = b""
    for size, blob in images:
        dim = 0 if size == 256 else size
        directory += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(blob), offset + len(body))
        body += blob
    with open(out, "wb") as f:
        f.write(header + directory + body)


# ---------------------------------------------------------------- GIF

def _median_cut(colours, limit):
    """colours: dict colour -> count. Returns at most `limit` colours."""
    boxes = [list(colours.items())]
    while len(boxes) < limit:
        best = None
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            spans = [max(c[0][k] for c in box) - min(c[0][k] for c in box) for k in range(3)]
            span = max(spans)
            if best is None or span > best[0]:
                best = (span, i, spans.index(span))
        if best is None or best[0] == 0:
            break
        _, i, axis = best
        box = sorted(boxes.pop(i), key=lambda c: c[0][axis])
        total = sum(n for _, n in box)
        acc = 0
        cut = 1
        for j, (_, n) in enumerate(box):
            acc += n
            if acc >= total / 2:
                cut = max(1, min(len(box) - 1, j + 1))
                break
        boxes += [box[:cut], box[cut:]]
    result = []
    for box in boxes:
        total = sum(n for _, n in box)
        result.append(tuple(round(sum(c[k] * n for c, n in box) / total) for k in range(3)))
    return result


def _lzw(indices, min_size):
    clear = 1 << min_size
    end = clear + 1
    out = bytearray()
    bits = 0
    nbits = 0

    def emit(code, size):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    table = {(i,): i for i in range(clear)}
    size = min_size + 1
    nxt = end + 1
    emit(clear, size)
    current = ()
    for v in indices:
        key = current + (v,)
        if key in table:
            current = key
            continue
        emit(table[current], size)
        if nxt < 4096:
            table[key] = nxt
            nxt += 1
            if nxt > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear, size)
            table = {(i,): i for i in range(clear)}
            size = min_size + 1
            nxt = end + 1
        current = (v,)
    if current:
        emit(table[current], size)
    emit(end, size)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def write_gif(out, delay, pngs):
    frames = []
    width = height = None
    for path in pngs:
        w, h, pixels = read_png(path)
        if width is None:
            width, height = w, h
        elif (w, h) != (width, height):
            raise ValueError("%s: frames differ in size" % path)
        matted = []
        for r, g, b, a in pixels:
            if a < 64:
                matted.append(None)
            else:
                matted.append(tuple((c * a + 255 * (255 - a) + 127) // 255 for c in (r, g, b)))
        frames.append(matted)
    counts = {}
    for frame in frames:
        for p in frame:
            if p is not None:
                counts[p] = counts.get(p, 0) + 1
    palette = sorted(counts) if len(counts) <= 255 else _median_cut(counts, 255)
    nearest = {}
    for c in counts:
        nearest[c] = min(range(len(palette)),
                         key=lambda i: sum((palette[i][k] - c[k]) ** 2 for k in range(3)))
    transparent = len(palette)
    entries = palette + [(255, 255, 255)]
    bits = 1
    while (1 << bits) < len(entries):
        bits += 1
    entries += [(0, 0, 0)] * ((1 << bits) - len(entries))
    blob = bytearray(b"GIF89a")
    blob += struct.pack("<HHBBB", width, height, 0x80 | ((bits - 1) << 4) | (bits - 1), transparent, 0)
    blob += b"".join(bytes(c) for c in entries)
    blob += b"\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00"
    min_size = max(2, bits)
    for frame in frames:
        # Disposal 2: each frame is drawn on a cleared canvas.
        blob += b"\x21\xf9\x04" + struct.pack("<BHB", (2 << 2) | 1, delay, transparent) + b"\x00"
        blob += b"\x2c" + struct.pack("<HHHHB", 0, 0, width, height, 0)
        data = _lzw([transparent if p is None else nearest[p] for p in frame], min_size)
        blob.append(min_size)
        for i in range(0, len(data), 255):
            part = data[i:i + 255]
            blob.append(len(part))
            blob += part
        blob.append(0)
    blob += b"\x3b"
    with open(out, "wb") as f:
        f.write(bytes(blob))


# ---------------------------------------------------------------- info

def info(path):
    with open(path, "rb") as f:
        head = f.read(64)
    if head[:8] == PNG_SIGNATURE:
        w, h = struct.unpack(">II", head[16:24])
        return "%s: PNG %dx%d" % (path, w, h)
    if head[:6] in (b"GIF89a", b"GIF87a"):
        w, h = struct.unpack("<HH", head[6:10])
        return "%s: GIF %dx%d" % (path, w, h)
    if head[:4] == b"\x00\x00\x01\x00":
        (count,) = struct.unpack("<H", head[4:6])
        with open(path, "rb") as f:
            blob = f.read(6 + 16 * count)
        sizes = [blob[6 + 16 * i] or 256 for i in range(count)]
        return "%s: ICO %s" % (path, " ".join("%d" % s for s in sizes))
    return "%s: unknown" % path


def main(argv):
    if len(argv) >= 3 and argv[0] == "optimise":
        w, h, pixels = read_png(argv[1])
        with open(argv[2], "wb") as f:
            f.write(encode_png(w, h, pixels))
    elif len(argv) >= 3 and argv[0] == "ico":
        write_ico(argv[1], argv[2:])
    elif len(argv) >= 4 and argv[0] == "gif":
        write_gif(argv[1], int(argv[2]), argv[3:])
    elif len(argv) >= 2 and argv[0] == "info":
        for path in argv[1:]:
            print(info(path))
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
