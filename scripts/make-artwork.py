#!/usr/bin/env python3
"""Draws Corvane's artwork with ImageMagick (scripts/deps.sh shots installs it).

The pictures show LED dot-matrix letters in the board's own 5x7 font, so the
window, the splash and the icon look like the sign the program drives.
Run from the repository root; writes into resources/.
"""
import subprocess

# Column bytes (bit 0 bottom row, bit 6 top row) of the letters drawn here.
FONT = {
    "C": [0x3E, 0x41, 0x41, 0x41, 0x22], "O": [0x3E, 0x41, 0x41, 0x41, 0x3E],
    "R": [0x7F, 0x48, 0x4C, 0x4A, 0x31], "V": [0x7C, 0x02, 0x01, 0x02, 0x7C],
    "A": [0x3F, 0x44, 0x44, 0x44, 0x3F], "N": [0x7F, 0x10, 0x08, 0x04, 0x7F],
    "E": [0x7F, 0x49, 0x49, 0x49, 0x41], ">": [0x00, 0x41, 0x22, 0x14, 0x08],
}
BOARD, OFF, ON, CAPTION = "#101418", "#4a1010", "#ff2a1a", "#ffd24a"


def columns(text):
    cols = []
    for ch in text:
        cols += FONT[ch] + [0]
    return cols[:-1]


def led_draws(cols, x0, y0, pitch, radius, rows=7):
    draws = []
    for c, byte in enumerate(cols):
        for r in range(rows):
            lit = byte >> (rows - 1 - r) & 1
            cx, cy = x0 + c * pitch + pitch / 2, y0 + r * pitch + pitch / 2
            draws += ["-fill", ON if lit else OFF,
                      "-draw", f"circle {cx:.1f},{cy:.1f} {cx + radius:.1f},{cy:.1f}"]
    return draws


def magick(args):
    subprocess.run(["convert", *args], check=True)


def logo():
    # 259 x 156, four colours: the board, dark and lit LEDs, and the caption.
    cols = columns("CORVANE")
    pitch = 6
    x0 = (259 - len(cols) * pitch) // 2
    palette = "/tmp/corvane-logo-palette.gif"
    magick(["-size", "4x1", "xc:black", "-fill", BOARD, "-draw", "point 0,0", "-fill", OFF,
            "-draw", "point 1,0", "-fill", ON, "-draw", "point 2,0", "-fill", CAPTION,
            "-draw", "point 3,0", palette])
    magick(["-size", "259x156", f"xc:{BOARD}", "+antialias", *led_draws(cols, x0, 34, pitch, 2.4),
            "-font", "DejaVu-Sans-Bold", "-pointsize", "15", "-fill", CAPTION,
            "-gravity", "south", "-annotate", "+0+34", "LED SIGN BOARD WIZARD",
            "+dither", "-remap", palette, "resources/images/logo.gif"])


def board_picture():
    # 150 x 163: a sign board showing an arrow, on a stand.
    cols = columns(">") * 3
    pitch = 7
    x0 = (150 - len(cols) * pitch) // 2
    magick(["-size", "150x163", "xc:#e8e4d8",
            "-fill", "#5b5b5b", "-draw", "rectangle 70,100 80,150",
            "-fill", "#3a3a3a", "-draw", "rectangle 40,148 110,156",
            "-fill", BOARD, "-draw", "roundrectangle 6,30 144,100 6,6",
            *led_draws(cols, x0, 40, pitch, 2.8),
            "+dither", "-colors", "16", "resources/images/board.gif"])


def flag():
    # 20 x 14: a made-up pennant in the board's colours.
    magick(["-size", "20x14", "xc:#1d3f6e",
            "-fill", "#f4f4f4", "-draw", "rectangle 0,5 19,8",
            "-fill", ON, "-draw", "circle 9.5,6.5 12,6.5",
            "+antialias", "+dither", "-colors", "4", "resources/images/flag.gif"])


def icon(size, path):
    # A lit "C" on a dark tile, scaled to the icon size.
    cols = FONT["C"]
    pitch = size / 8
    x0 = (size - 5 * pitch) / 2
    y0 = (size - 7 * pitch) / 2
    magick(["-size", f"{size}x{size}", "xc:none",
            "-fill", BOARD, "-draw", f"roundrectangle 0,0 {size - 1},{size - 1} "
            f"{size / 6:.1f},{size / 6:.1f}",
            *led_draws(cols, x0, y0, pitch, max(pitch * 0.42, 0.6)), "-depth", "8", path])


if __name__ == "__main__":
    logo()
    board_picture()
    flag()
    for size in (16, 32, 48, 64, 128, 256):
        icon(size, f"resources/icons/corvane-{size}.png")
