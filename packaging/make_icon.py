#!/usr/bin/env python3
"""Draws Corvale's icon: a microphone in front of a video screen with a play sign.
The same shapes are written as SVG and rasterised into a PNG (4 x 4 samples a pixel),
so the two files always match. Usage: make_icon.py OUT_DIR [SIZE]"""
import math
import os
import struct
import sys
import zlib

BG, SCREEN, MIC, BAND, PLAY = "#34495e", "#1f2b37", "#ecf0f1", "#aab7b8", "#e67e22"


def arc_band(cx, cy, r_out, r_in, steps=24):
    """The lower half ring of the microphone's holder, as one polygon."""
    outer = [(cx + r_out * math.cos(math.pi * i / steps), cy + r_out * math.sin(math.pi * i / steps))
             for i in range(steps + 1)]
    inner = [(cx + r_in * math.cos(math.pi * i / steps), cy + r_in * math.sin(math.pi * i / steps))
             for i in range(steps, -1, -1)]
    return outer + inner


SHAPES = [
    ("rrect", (8, 8, 240, 240, 48), BG),
    ("rrect", (24, 34, 208, 136, 16), SCREEN),
    ("poly", [(148, 68), (148, 136), (206, 102)], PLAY),
    ("poly", arc_band(96, 132, 42, 31), MIC),
    ("rrect", (91, 170, 10, 34, 0), MIC),
    ("rrect", (64, 200, 64, 12, 6), MIC),
    ("rrect", (70, 52, 52, 104, 26), MIC),
    ("rrect", (70, 112, 52, 8, 0), BAND),
]


def svg():
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">',
           '  <title>Corvale</title>']
    for kind, geo, colour in SHAPES:
        if kind == "rrect":
            x, y, w, h, r = geo
            out.append(f'  <rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{colour}"/>')
        else:
            pts = " ".join(f"{px:.2f},{py:.2f}" for px, py in geo)
            out.append(f'  <polygon points="{pts}" fill="{colour}"/>')
    out.append("</svg>")
    return "\n".join(out) + "\n"


def inside_rrect(x, y, geo):
    rx, ry, w, h, r = geo
    if x < rx or y < ry or x >= rx + w or y >= ry + h:
        return False
    cx = min(max(x, rx + r), rx + w - r)
    cy = min(max(y, ry + r), ry + h - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def inside_poly(x, y, pts):
    hit = False
    j = len(pts) - 1
    for i in range(len(pts)):
        (xi, yi), (xj, yj) = pts[i], pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


def bbox(kind, geo):
    if kind == "rrect":
        return geo[0], geo[1], geo[0] + geo[2], geo[1] + geo[3]
    xs, ys = [p[0] for p in geo], [p[1] for p in geo]
    return min(xs), min(ys), max(xs), max(ys)


def png(size):
    n = 4
    scale = 256.0 / size
    rgba = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]
    for kind, geo, colour in SHAPES:
        c = tuple(int(colour[i:i + 2], 16) / 255.0 for i in (1, 3, 5))
        test = inside_rrect if kind == "rrect" else inside_poly
        x0, y0, x1, y1 = bbox(kind, geo)
        for py in range(max(0, int(y0 / scale)), min(size, int(y1 / scale) + 1)):
            for px in range(max(0, int(x0 / scale)), min(size, int(x1 / scale) + 1)):
                cover = sum(test((px + (i + 0.5) / n) * scale, (py + (j + 0.5) / n) * scale, geo)
                            for i in range(n) for j in range(n)) / (n * n)
                if cover == 0:
                    continue
                d = rgba[py * size + px]
                a = cover + d[3] * (1 - cover)
                for k in range(3):
                    d[k] = (c[k] * cover + d[k] * d[3] * (1 - cover)) / a
                d[3] = a
    raw = bytearray()
    for py in range(size):
        raw.append(0)
        for px in range(size):
            raw.extend(round(v * 255) for v in rgba[py * size + px])

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    size = int(sys.argv[2]) if len(sys.argv) > 2 else 256
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "corvale.svg"), "w") as f:
        f.write(svg())
    with open(os.path.join(out, "corvale.png"), "wb") as f:
        f.write(png(size))


if __name__ == "__main__":
    main()
