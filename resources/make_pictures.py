#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws every picture of the game into this folder (needs Debian's python3-pil and fonts-dejavu-core).

Run it again after changing a picture; the PNG files it writes are committed.
"""
import math
import os
import random
import struct

from PIL import Image, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def save(img, name, indexed=True):
    img.save(os.path.join(HERE, name), optimize=True)
    if indexed:
        save_indexed(img, name[:-4] + ".idx")


def save_indexed(img, name):
    """The picture as the program reads it without an image decoder (forms/picture.h):
    width, height and colour count as little-endian 16-bit numbers, the colours as
    32-bit ARGB, then one colour index per pixel, row by row. Pictures of more than
    256 colours are reduced to 256."""
    rgba = img.convert("RGBA")
    colours = rgba.getcolors(256)
    if colours is None:
        reduced = img.convert("RGB").quantize(256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
        rgba = reduced.convert("RGBA")
        colours = rgba.getcolors(256)
    palette = [c for _, c in colours]
    index = {c: i for i, c in enumerate(palette)}
    w, h = rgba.size
    out = bytearray(struct.pack("<HHH", w, h, len(palette)))
    for r, g, b, a in palette:
        out += struct.pack("<I", (a << 24) | (r << 16) | (g << 8) | b)
    out += bytes(index[c] for c in rgba.getdata())
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(out)


def icon(size=16):
    """Two columns of four short black-over-grey bars on a transparent ground.

    Small sizes are drawn pixel by pixel so they stay crisp; from 48 pixels on the bars get
    rounded ends, a little shading and a soft shadow, drawn four times larger and scaled down.
    """
    if size >= 48:
        return smooth_icon(size)
    s = size / 16.0
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    for col in (1, 9):
        for row in range(4):
            y = 1 + row * 4
            x0, x1 = round(col * s), round((col + 6) * s) - 1
            d.rectangle([x0, round(y * s), x1, round((y + 1) * s) - 1], fill=(0, 0, 0, 255))
            d.rectangle([x0, round((y + 1) * s), x1, round((y + 2) * s) - 1], fill=(128, 128, 128, 255))
    return img


def shaded_bar(d, box, top, bottom, radius):
    """A rounded bar whose colour runs from `top` to `bottom`, one scan line at a time."""
    x0, y0, x1, y1 = box
    mask = Image.new("L", (x1 - x0 + 1, y1 - y0 + 1), 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, x1 - x0, y1 - y0], radius=radius, fill=255)
    bar = Image.new("RGBA", mask.size)
    bd = ImageDraw.Draw(bar)
    h = max(1, mask.size[1] - 1)
    for y in range(mask.size[1]):
        t = y / h
        bd.line([(0, y), (mask.size[0], y)], fill=tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)) + (255,))
    d.paste(bar, (x0, y0), mask)


def smooth_icon(size):
    k = 4
    big = size * k
    u = big / 16.0
    shadow = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    art = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    sd = ImageDraw.Draw(shadow)
    radius = round(0.35 * u)
    for col in (1, 9):
        for row in range(4):
            y = 1 + row * 4
            x0, x1 = round(col * u), round((col + 6) * u) - 1
            yb, ym, ye = round(y * u), round((y + 1) * u), round((y + 2) * u) - 1
            off = round(0.3 * u)
            sd.rounded_rectangle([x0 + off, yb + off, x1 + off, ye + off], radius=radius, fill=(0, 0, 0, 90))
            shaded_bar(art, (x0, ym - radius, x1, ye), (150, 150, 150), (110, 110, 110), radius)
            shaded_bar(art, (x0, yb, x1, ym - 1), (60, 60, 60), (0, 0, 0), radius)
    shadow = shadow.filter(ImageFilter.GaussianBlur(0.25 * u))
    img = Image.alpha_composite(shadow, art)
    return img.resize((size, size), Image.LANCZOS)


def arrow(scale=1):
    """A 13 x 16 pale yellow arrow pointing right, outlined so it shows on pale yellow."""
    img = Image.new("RGBA", (13 * scale, 16 * scale), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    shape = [(0, 5), (6, 5), (6, 1), (12, 8), (6, 14), (6, 10), (0, 10)]
    # Corners sit at pixel centres; a larger scale keeps the outline one design pixel wide.
    c = (scale - 1) / 2
    d.polygon([(x * scale + c, y * scale + c) for x, y in shape], fill=(255, 255, 128, 255),
              outline=(96, 64, 0, 255), width=scale)
    return img


# The splash window shows only this top-left part of its 595 x 842 picture; the
# rest is cut off before saving, so start-up decodes and keeps a quarter as much.
SPLASH_VISIBLE = (488, 280)


def splash():
    """Green, finely dotted ground with "Quivara" written many times in blue, slanted upwards."""
    w, h = 595, 842
    img = Image.new("RGB", (w, h), (0, 160, 64))
    px = img.load()
    for y in range(0, h, 2):
        for x in range((y // 2) % 2, w, 2):
            px[x, y] = (0, 128, 48)
    font = ImageFont.truetype(BOLD, 24)
    word = Image.new("RGBA", (130, 36), (0, 0, 0, 0))
    ImageDraw.Draw(word).text((3, 2), "Quivara", font=font, fill=(20, 40, 210, 255))
    word = word.rotate(20, expand=True, resample=Image.BICUBIC)
    rng = random.Random(2)
    for row in range(7):
        for col in range(4):
            x = col * 175 + (row % 2) * 85 + rng.randint(-10, 10) - 30
            y = row * 78 + rng.randint(-6, 6) - 25
            img.paste(word, (x, y), word)
    return img.crop((0, 0) + SPLASH_VISIBLE)


def portrait(hair, shirt, long_hair, scale=1):
    """A 32 x 32 cartoon head and shoulders on a transparent ground."""
    img = Image.new("RGBA", (32 * scale, 32 * scale), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    w = scale

    def box(x0, y0, x1, y1):
        # Design pixels x0..x1 cover scale x scale device pixels each.
        return [x0 * scale, y0 * scale, (x1 + 1) * scale - 1, (y1 + 1) * scale - 1]

    outline = (40, 24, 16, 255)
    d.pieslice(box(4, 23, 27, 41), 180, 360, fill=shirt, outline=outline, width=w)
    if long_hair:
        d.rounded_rectangle(box(6, 4, 25, 26), radius=7 * scale, fill=hair, outline=outline, width=w)
    d.ellipse(box(8, 5, 23, 22), fill=(255, 214, 170, 255), outline=outline, width=w)
    d.chord(box(7, 3, 24, 14), 180, 360, fill=hair, outline=outline, width=w)
    d.rectangle(box(11, 11, 12, 13), fill=(0, 0, 0, 255))
    d.rectangle(box(19, 11, 20, 13), fill=(0, 0, 0, 255))
    d.arc(box(11, 13, 20, 19), 20, 160, fill=(160, 0, 0, 255), width=w)
    return img


PLAYER1 = ((90, 50, 10, 255), (0, 90, 200, 255), False)
PLAYER2 = ((230, 170, 30, 255), (200, 30, 60, 255), True)


def save_ico(names, name):
    """The Windows program's icon: the PNG files given, each stored whole in one ICO file
    (an ICONDIR, one 16-byte entry per picture, then the pictures), as Windows reads them."""
    pictures = [open(os.path.join(HERE, n), "rb").read() for n in names]
    head = struct.pack("<HHH", 0, 1, len(pictures))
    offset = len(head) + 16 * len(pictures)
    entries = b""
    for data in pictures:
        width, height = struct.unpack(">II", data[16:24])
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(head + entries + b"".join(pictures))


def main():
    # Each picture shown in a window also comes at twice the size as name@2x.png (a PNG only) for
    # high-density screens; the window icon's larger sizes go into the desktop's icon theme.
    save(icon(), "icon.png")
    save(icon(32), "icon@2x.png", indexed=False)
    for size in (32, 48, 192, 256, 512):
        save(icon(size), "icon-%d.png" % size, indexed=False)
    save_ico(["icon.png", "icon-32.png", "icon-48.png", "icon-256.png"], "icon.ico")
    save(arrow(), "arrow.png")
    save(arrow(2), "arrow@2x.png", indexed=False)
    save(splash(), "splash.png")
    save(portrait(*PLAYER1), "player1.png")
    save(portrait(*PLAYER1, scale=2), "player1@2x.png", indexed=False)
    save(portrait(*PLAYER2), "player2.png")
    save(portrait(*PLAYER2, scale=2), "player2@2x.png", indexed=False)


if __name__ == "__main__":
    main()
