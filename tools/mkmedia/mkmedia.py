#!/usr/bin/python3
"""Regenerates every picture, sound and font of media/ (not the word list): python3 tools/mkmedia/mkmedia.py [--out DIR] [--mockup PNG]."""
import argparse
import os
import shutil
import sys

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import art      # noqa: E402
import sounds   # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# the two faces the game loads, copied from their Debian packages, with the packages' licence texts
FONTS = [
    ("arialbd.ttf", "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf", "fonts-liberation2",
     "LICENSE-arialbd.txt", "Liberation Sans Bold 2.x (metric-compatible with the common Windows bold sans), SIL Open Font License 1.1"),
    ("georgiab.ttf", "/usr/share/fonts/truetype/noto/NotoSerif-Bold.ttf", "fonts-noto-core",
     "LICENSE-georgiab.txt", "Noto Serif Bold, SIL Open Font License 1.1"),
]

README = """media/ - what the game loads at run time, and where each file comes from

Licences: the game's own files (its code, the pictures, icon and sounds made by tools/mkmedia,
the selection of words in the word list, and the tools) are released under the MIT licence, in
the file LICENSE at the root of the sources. The two fonts keep their own licence, the SIL Open
Font License 1.1, named below with their LICENSE-*.txt files. The word list's sources and their
licences are named in its section at the end. The Debian package states all of it in
/usr/share/doc/brolik/copyright.

el.png        sprite sheet (880 x 540): buttons, panels, tiles, balls, caps, arrows, intro and final
              pictures. Pixels of colour (200,200,200) are the see-through ones. Drawn by
              tools/mkmedia (art.py holds the table of every region). Made for this game.
literki.png   letter sheet: 36 cells of 52 x 62 in one row, a-z, the Polish letters
              a, c, e, l, n, o, s, z, z with their marks, and the asterisk of a hidden letter.
              Drawn by tools/mkmedia with the Liberation Sans Bold face. Made for this game.
gg1.png       the 800 x 600 game background. Drawn by tools/mkmedia. Made for this game.
ikona_16.png-ikona_256.png, ikona.svg
              the window icon (a ball with the B of the intro) in 16, 32, 48, 64, 128 and 256 pixels,
              and the same design as a hand-written SVG. Made by tools/mkmedia for this game.
              The Windows build packs the PNGs into brolik.exe's icon (dist/windows/ikona.py).
s0.ogg-s9.ogg the ten sounds (s0 bingo fanfare, s1 tile ping, s2 time-out buzzer, s3 start chime,
              s4 ball roll, s5 bad luck, s6 final sting, s7 intro swoosh, s8 congratulations,
              s9 key click). Synthesised by tools/mkmedia/sounds.py, encoded with oggenc.
              Made for this game; no recordings are used.
arialbd.ttf   {f0}
              Copied unchanged from the Debian package {p0}; licence in {l0}.
georgiab.ttf  {f1}
              Copied unchanged from the Debian package {p1}; licence in {l1}.
data_lista.txt  the word list (made by tools/wordlist, not by tools/mkmedia).

The pictures and sounds made by tools/mkmedia are part of this game and share its MIT licence.
Regenerate them (and recopy the fonts) with:
    python3 tools/mkmedia/mkmedia.py
which needs the Debian packages python3-pil, python3-numpy, vorbis-tools, fonts-liberation2
and fonts-noto-core.
"""


def save_png(arr_u8, path, mode):
    Image.fromarray(arr_u8, mode).save(path, optimize=True)


def build_pictures(out):
    el = art.finish_sheet(art.build_el())
    save_png(el, os.path.join(out, "el.png"), "RGBA")
    lit = art.to_u8(art.build_literki())
    lit[lit[..., 3] == 0, :3] = 0
    save_png(lit, os.path.join(out, "literki.png"), "RGBA")
    gg = art.to_u8(art.build_gg1())[..., :3]
    save_png(np.ascontiguousarray(gg), os.path.join(out, "gg1.png"), "RGB")
    for n in art.ICON_SIZES:
        save_png(art.to_u8(art.window_icon(n)), os.path.join(out, "ikona_%d.png" % n), "RGBA")
    with open(os.path.join(out, "ikona.svg"), "w", encoding="utf-8") as f:
        f.write(art.ICON_SVG)


def copy_fonts(out):
    for name, src, pkg, lic, _ in FONTS:
        shutil.copyfile(src, os.path.join(out, name))
        shutil.copyfile("/usr/share/doc/%s/copyright" % pkg, os.path.join(out, lic))
    # The word list's section belongs to tools/wordlist; keep it as it stands.
    path = os.path.join(out, "README")
    tail = ""
    if os.path.exists(path):
        old = open(path, encoding="utf-8").read()
        at = old.find("The word list: data_lista.txt")
        if at >= 0:
            tail = "\n" + old[at:]
    with open(path, "w", encoding="utf-8") as f:
        f.write(README.format(f0=FONTS[0][4], p0=FONTS[0][2], l0=FONTS[0][3],
                              f1=FONTS[1][4], p1=FONTS[1][2], l1=FONTS[1][3]).rstrip("\n") + "\n" + tail)


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--out", default=os.path.join(ROOT, "media"))
    ap.add_argument("--only", choices=["pictures", "sounds", "fonts"], action="append")
    ap.add_argument("--mockup", help="also compose a sample game screen into this PNG")
    a = ap.parse_args()
    os.makedirs(a.out, exist_ok=True)
    parts = a.only or ["pictures", "sounds", "fonts"]
    if "pictures" in parts:
        build_pictures(a.out)
    if "fonts" in parts:
        copy_fonts(a.out)
    if "sounds" in parts:
        sounds.build(a.out)
    if a.mockup:
        import mockup
        mockup.compose(a.out, a.mockup)


if __name__ == "__main__":
    main()
