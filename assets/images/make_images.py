#!/usr/bin/python3
"""Makes Orchardia's three embedded images (run by hand, not by the build).

  fruit_rgb.jpg   1024x512 colour atlas: an 8x4 grid of 128x128 cells; cells
                  0-28 foods drawn from Noto Color Emoji on black, cells 29-31
                  white lettering on black (the middle one diagonal).
  fruit_mask.jpg  1024x512 grey: each cell's silhouette, white with soft edges.
  logo_mask.jpg   512x32 grey: "Orchardia" in white on black.

All three are baseline JFIF files, 8-bit, Huffman coded, one scan; the colour
image is YCbCr 4:2:0, the masks one component. The logo also carries a restart
marker after every MCU row and a comment segment.

Needs Debian's python3-pil, fonts-noto-color-emoji, fonts-dejavu-core and
libjpeg-turbo-progs (cjpeg, wrjpgcom). Usage: assets/images/make_images.py
"""
import io
import os
import subprocess
import sys

from PIL import Image, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
EMOJI_FONT = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf"
EMOJI_SIZE = 109  # the one size at which the font's colour bitmaps render
LETTER_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

CELL = 128
COLUMNS, ROWS = 8, 4
FIT = 110  # items are scaled to fit this square, centred in their cell

# Cells 0-28, row by row: fruits, vegetables, a bagel and a cake.
FOODS = [
    "\U0001F350",  # pear
    "\U0001F34C",  # banana
    "\U0001F34E",  # red apple
    "\U0001F34F",  # green apple
    "\U0001F34A",  # tangerine
    "\U0001F348",  # melon
    "\U0001F96D",  # mango
    "\U0001F351",  # peach
    "\U0001F349",  # watermelon
    "\U0001F345",  # tomato
    "\U0001F34B",  # lemon
    "\U0001F352",  # cherries
    "\U0001F353",  # strawberry
    "\U0001F347",  # grapes
    "\U0001F34D",  # pineapple
    "\U0001F95D",  # kiwi fruit
    "\U0001F346",  # aubergine
    "\U0001F96C",  # leafy greens
    "\U0001F955",  # carrot
    "\U0001F952",  # cucumber
    "\U0001F336",  # chilli pepper
    "\U0001F33D",  # corn cob
    "\U0001F966",  # broccoli
    "\U0001FAD1",  # bell pepper
    "\U0001F954",  # potato
    "\U0001F9C5",  # onion
    "\U0001F344",  # mushroom
    "\U0001F96F",  # bagel
    "\U0001F370",  # cake
]

# Cells 29-31: (text lines, degrees of rotation).
LETTERING = [
    (["SO", "FRESH"], 0),
    (["JUICY!"], 45),
    (["YUM", "YUM"], 0),
]


def render_emoji(char):
    """The emoji as RGBA, cropped to its ink and scaled to fit FIT x FIT."""
    font = ImageFont.truetype(EMOJI_FONT, EMOJI_SIZE)
    canvas = Image.new("RGBA", (256, 256), (0, 0, 0, 0))
    ImageDraw.Draw(canvas).text((32, 32), char, font=font, embedded_color=True)
    box = canvas.getchannel("A").getbbox()
    if box is None:
        sys.exit("the emoji font has no picture for U+%04X" % ord(char[0]))
    item = canvas.crop(box)
    scale = FIT / max(item.size)
    size = (max(1, round(item.width * scale)), max(1, round(item.height * scale)))
    return item.resize(size, Image.LANCZOS)


def render_lettering(lines, degrees):
    """White lettering as an RGBA cell-sized image, fitted inside FIT x FIT."""
    font = ImageFont.truetype(LETTER_FONT, 80)
    text = "\n".join(lines)
    probe = ImageDraw.Draw(Image.new("L", (1, 1)))
    box = probe.multiline_textbbox((0, 0), text, font=font, align="center", spacing=4)
    coverage = Image.new("L", (int(box[2]) + 8, int(box[3]) + 8), 0)
    ImageDraw.Draw(coverage).multiline_text((4, 4), text, fill=255, font=font, align="center", spacing=4)
    coverage = coverage.crop(coverage.getbbox())
    coverage = coverage.rotate(degrees, resample=Image.BICUBIC, expand=True)
    coverage = coverage.crop(coverage.getbbox())
    # A diagonal line needs room at its ends: fit its bounding box more tightly.
    fit = FIT - 14 if degrees else FIT
    scale = fit / max(coverage.size)
    size = (max(1, round(coverage.width * scale)), max(1, round(coverage.height * scale)))
    coverage = coverage.resize(size, Image.LANCZOS)
    item = Image.new("RGBA", size, (255, 255, 255, 0))
    item.putalpha(coverage)
    return item


def place(atlas_rgb, atlas_mask, cell, item, lettering):
    """Centres an RGBA item in its cell: colour over black, alpha to the mask."""
    left = (cell % COLUMNS) * CELL + (CELL - item.width) // 2
    top = (cell // COLUMNS) * CELL + (CELL - item.height) // 2
    alpha = item.getchannel("A")
    if lettering:
        # Solid white letters; the mask alone gives their shape.
        colour = Image.new("RGB", item.size, (255, 255, 255))
        grown = alpha.filter(ImageFilter.MaxFilter(3))
        atlas_rgb.paste(colour, (left, top), grown)
    else:
        atlas_rgb.paste(item.convert("RGB"), (left, top), alpha)
        # Pull a picture's silhouette in by a pixel so the dark fringe of its
        # colour over black stays transparent.
        alpha = alpha.filter(ImageFilter.MinFilter(3))
    atlas_mask.paste(alpha.filter(ImageFilter.GaussianBlur(0.8)), (left, top))


def jpeg_bytes(image, **options):
    out = io.BytesIO()
    image.save(out, "JPEG", progressive=False, optimize=False, **options)
    return out.getvalue()


def check_corners_black(data):
    mask = Image.open(io.BytesIO(data))
    mask.load()
    for cell in range(COLUMNS * ROWS):
        x0, y0 = (cell % COLUMNS) * CELL, (cell // COLUMNS) * CELL
        for x, y in ((x0, y0), (x0 + CELL - 1, y0), (x0, y0 + CELL - 1), (x0 + CELL - 1, y0 + CELL - 1)):
            if mask.getpixel((x, y)) != 0:
                sys.exit("mask corner (%d, %d) of cell %d is %d, not black" % (x, y, cell, mask.getpixel((x, y))))


def make_atlas():
    atlas_rgb = Image.new("RGB", (COLUMNS * CELL, ROWS * CELL), (0, 0, 0))
    atlas_mask = Image.new("L", atlas_rgb.size, 0)
    for cell, char in enumerate(FOODS):
        place(atlas_rgb, atlas_mask, cell, render_emoji(char), False)
    for offset, (lines, degrees) in enumerate(LETTERING):
        place(atlas_rgb, atlas_mask, len(FOODS) + offset, render_lettering(lines, degrees), True)
    rgb = jpeg_bytes(atlas_rgb, quality=90, subsampling="4:2:0")
    mask = jpeg_bytes(atlas_mask, quality=92)
    check_corners_black(mask)
    return rgb, mask


def make_logo():
    """ "Orchardia", widened and letter-spaced across most of a 512x32 strip."""
    width, height = 512, 32
    span, stretch = 464, 2.1
    font = ImageFont.truetype(LETTER_FONT, 27)
    text = "Orchardia"
    advances = [font.getlength(ch) * stretch for ch in text]
    gap = (span - sum(advances)) / (len(text) - 1)
    # Drawn at full size on a strip `stretch` times narrower, then widened.
    narrow = Image.new("L", (round(width / stretch), height), 0)
    draw = ImageDraw.Draw(narrow)
    top = (height - sum(font.getmetrics())) // 2 + 1
    x = (width - span) / 2
    for ch, advance in zip(text, advances):
        draw.text((x / stretch, top), ch, fill=255, font=font)
        x += advance + gap
    logo = narrow.resize((width, height), Image.LANCZOS)
    pgm = io.BytesIO()
    logo.save(pgm, "PPM")
    # cjpeg writes the restart marker after each MCU row, wrjpgcom the comment.
    jpeg = subprocess.run(["cjpeg", "-quality", "92", "-grayscale", "-baseline", "-restart", "1"],
                          input=pgm.getvalue(), stdout=subprocess.PIPE, check=True).stdout
    return subprocess.run(["wrjpgcom", "-comment", "Orchardia logo banner"],
                          input=jpeg, stdout=subprocess.PIPE, check=True).stdout


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(data)
    print("%s: %d bytes" % (name, len(data)))


def main():
    rgb, mask = make_atlas()
    write("fruit_rgb.jpg", rgb)
    write("fruit_mask.jpg", mask)
    write("logo_mask.jpg", make_logo())


if __name__ == "__main__":
    main()
