#!/usr/bin/python3
"""Draws every picture of the game into this folder (needs Debian's python3-pil and fonts-dejavu-core).

Run it again after changing a picture; the PNG files it writes are committed.
"""
import math
import os
import random
import struct

from PIL import Image, ImageDraw, ImageFont

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
    """Two columns of four short black-over-grey bars on a transparent ground."""
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


def arrow():
    """A 13 x 16 pale yellow arrow pointing right, outlined so it shows on pale yellow."""
    img = Image.new("RGBA", (13, 16), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    shape = [(0, 5), (6, 5), (6, 1), (12, 8), (6, 14), (6, 10), (0, 10)]
    d.polygon(shape, fill=(255, 255, 128, 255), outline=(96, 64, 0, 255))
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
    font = ImageFont.truetype(BOLD, 30)
    word = Image.new("RGBA", (170, 44), (0, 0, 0, 0))
    ImageDraw.Draw(word).text((4, 2), "Quivara", font=font, fill=(0, 0, 230, 255))
    word = word.rotate(20, expand=True, resample=Image.BICUBIC)
    rng = random.Random(2)
    for row in range(8):
        for col in range(4):
            x = col * 150 + (row % 2) * 70 + rng.randint(-12, 12) - 20
            y = row * 62 + rng.randint(-8, 8) - 20
            img.paste(word, (x, y), word)
    return img.crop((0, 0) + SPLASH_VISIBLE)


def portrait(hair, shirt, long_hair):
    """A 32 x 32 cartoon head and shoulders on a transparent ground."""
    img = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    outline = (40, 24, 16, 255)
    d.pieslice([4, 23, 27, 41], 180, 360, fill=shirt, outline=outline)
    if long_hair:
        d.rounded_rectangle([6, 4, 25, 26], radius=7, fill=hair, outline=outline)
    d.ellipse([8, 5, 23, 22], fill=(255, 214, 170, 255), outline=outline)
    d.chord([7, 3, 24, 14], 180, 360, fill=hair, outline=outline)
    d.rectangle([11, 11, 12, 13], fill=(0, 0, 0, 255))
    d.rectangle([19, 11, 20, 13], fill=(0, 0, 0, 255))
    d.arc([11, 13, 20, 19], 20, 160, fill=(160, 0, 0, 255))
    return img


def main():
    save(icon(), "icon.png")
    for size in (32, 48, 256):
        save(icon(size), "icon-%d.png" % size, indexed=False)
    save(arrow(), "arrow.png")
    save(splash(), "splash.png")
    save(portrait((90, 50, 10, 255), (0, 90, 200, 255), False), "player1.png")
    save(portrait((230, 170, 30, 255), (200, 30, 60, 255), True), "player2.png")


if __name__ == "__main__":
    main()
