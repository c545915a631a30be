#!/usr/bin/python3
"""Packs the game's icon pictures (media/ikona_*.png) into one Windows .ico, each kept as PNG.

Usage: ikona.py OUT.ico IN.png...   (standard library only)
"""
import struct
import sys


def rozmiar_png(dane, nazwa):
    if dane[:8] != b"\x89PNG\r\n\x1a\n" or dane[12:16] != b"IHDR":
        sys.exit("ikona.py: %s is not a PNG picture" % nazwa)
    return struct.unpack(">II", dane[16:24])


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__.strip().splitlines()[-1])
    obrazy = []
    for nazwa in sys.argv[2:]:
        with open(nazwa, "rb") as f:
            dane = f.read()
        w, h = rozmiar_png(dane, nazwa)
        if w != h or w > 256:
            sys.exit("ikona.py: %s is %dx%d, not a square of at most 256" % (nazwa, w, h))
        obrazy.append((w, dane))
    obrazy.sort()
    naglowek = struct.pack("<HHH", 0, 1, len(obrazy))
    wpisy, tresc = b"", b""
    przesuniecie = 6 + 16 * len(obrazy)
    for w, dane in obrazy:
        # A side of 256 is written as 0; 32 bits per pixel, one plane.
        wpisy += struct.pack("<BBBBHHII", w % 256, w % 256, 0, 0, 1, 32, len(dane), przesuniecie + len(tresc))
        tresc += dane
    with open(sys.argv[1], "wb") as f:
        f.write(naglowek + wpisy + tresc)


if __name__ == "__main__":
    main()
