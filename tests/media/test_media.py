#!/usr/bin/python3
"""Checks the generated media/ files against what the game reads from them: run as /usr/bin/python3 tests/media/test_media.py [MEDIA_DIR]."""
import os
import re
import subprocess
import sys
import tempfile
import unittest

import numpy as np
from PIL import Image

MEDIA = os.environ.get("MEDIA_DIR") or os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "media")

# The regions of el.png the game draws from, written down here from the game's drawing code and
# kept apart from the generator's own table on purpose: a slip in either shows up as a failure.
# (x, y, w, h, must be fully opaque after the mask colour is made transparent)
EL_REGIONS = {
    "menu button": (0, 0, 200, 41, False),
    "page panel": (0, 45, 130, 70, True),
    "edit field": (0, 126, 240, 34, True),
    "tile 0": (0, 166, 66, 66, True),
    "tile 1": (65, 166, 66, 66, True),
    "tile 2": (130, 166, 66, 66, True),
    "tile 3": (195, 166, 66, 66, True),
    "blank entry cell": (1, 166, 64, 64, True),
    "timer fill": (190, 235, 2, 10, True),
    "empty timer bar": (60, 235, 100, 14, True),
    "cap": (410, 0, 33, 33, False),
    "line mark": (450, 0, 33, 33, False),
    "ball": (270, 200, 45, 45, False),
    "red ball": (320, 200, 45, 45, False),
    "yellow ball": (370, 200, 45, 45, False),
    "to-draw icon": (18, 235, 18, 18, False),
    "used icon": (0, 235, 18, 18, False),
    "word marker": (40, 235, 19, 19, False),
    "logo A": (218, 0, 91, 121, False),
    "logo B": (310, 0, 90, 96, False),
    "intro bar": (330, 81, 2, 5, True),
    "fade colour": (220, 0, 5, 5, True),
    "shutdown patch": (350, 110, 10, 10, True),
    "final band": (460, 10, 5, 5, True),
    "band edge": (220, 252, 2, 5, True),
    "opening picture": (80, 285, 360, 90, True),
    "sliding label": (270, 170, 119, 24, True),
    "final banner": (40, 380, 400, 40, True),
    "arrow-column blanking": (220, 0, 2, 2, True),
    "end frame outer": (10, 130, 5, 5, True),
    "end frame band": (140, 170, 9, 9, True),
    "panel timer area": (642, 523, 116, 16, False),
}
for m in range(3):
    EL_REGIONS["swatch %d" % m] = (396 + 23 * m, 170, 22, 22, True)
for k in range(5):
    EL_REGIONS["arrow %d" % k] = (60 * k, 260, 58, 21, False)
# drawn below the arrow column for the sixth try, where nothing would ever erase it: must be empty
SIXTH_ARROW = (300, 260, 58, 21)

SCRATCH = (540, 0, 340, 340)
# regions stretched over large areas: any pattern inside them would show as blocks or stripes
FLAT = ["fade colour", "final band", "end frame outer", "end frame band", "arrow-column blanking"]
POLISH = "ąćęłńóśźżĄĆĘŁŃÓŚŹŻ"


def load_el():
    """el.png as the game sees it: exact (200, 200, 200) pixels turned fully transparent."""
    a = np.array(Image.open(os.path.join(MEDIA, "el.png")).convert("RGBA"))
    mask = np.all(a[..., :3] == 200, axis=-1)
    a[mask, 3] = 0
    return a


def crop(a, r):
    x, y, w, h = r[:4]
    return a[y:y + h, x:x + w]


def stretch(a, w, h):
    """Nearest-pixel scaling, as the game's unfiltered scaled drawing does."""
    sh, sw = a.shape[:2]
    xs = np.minimum(((np.arange(w) + 0.5) * sw / w).astype(int), sw - 1)
    ys = np.minimum(((np.arange(h) + 0.5) * sh / h).astype(int), sh - 1)
    return a[ys][:, xs]


def overlaps(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


class SpriteSheet(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.el = load_el()
        cls.raw = np.array(Image.open(os.path.join(MEDIA, "el.png")).convert("RGBA"))

    def test_every_region_inside_the_sheet_and_clear_of_the_scratch_area(self):
        h, w = self.el.shape[:2]
        self.assertGreaterEqual(w, 880)
        self.assertGreaterEqual(h, 539)
        for name, r in EL_REGIONS.items():
            with self.subTest(name):
                self.assertLessEqual(r[0] + r[2], w)
                self.assertLessEqual(r[1] + r[3], h)
                self.assertFalse(overlaps(r, SCRATCH), "lies in the scratch area")

    def test_sixth_try_arrow_region_is_see_through(self):
        self.assertEqual(int(crop(self.el, SIXTH_ARROW)[..., 3].max()), 0)

    def test_scratch_area_holds_nothing(self):
        self.assertEqual(int(crop(self.el, SCRATCH)[..., 3].max()), 0)

    def test_opaque_regions_are_fully_opaque(self):
        for name, r in EL_REGIONS.items():
            if r[4]:
                with self.subTest(name):
                    a = crop(self.el, r)[..., 3]
                    self.assertEqual(int(a.min()), 255, "see-through pixels: %d" % int((a < 255).sum()))

    def test_mask_colour_not_stored_under_partial_alpha(self):
        # a (200,200,200) pixel meant to be half visible would vanish at load
        a = self.raw
        mask = np.all(a[..., :3] == 200, axis=-1)
        self.assertEqual(int((mask & (a[..., 3] > 0)).sum()), 0)

    def test_stretched_patches_are_flat(self):
        for name in FLAT:
            with self.subTest(name):
                p = crop(self.el, EL_REGIONS[name])[..., :3].reshape(-1, 3)
                self.assertEqual(len(np.unique(p, axis=0)), 1)

    def test_blanking_patch_matches_the_fade_colour(self):
        # both are cut from the same corner of logo A; the final blanks with what the fades fade to
        a = crop(self.el, EL_REGIONS["arrow-column blanking"])[0, 0, :3]
        b = crop(self.el, EL_REGIONS["fade colour"])[0, 0, :3]
        self.assertTrue(np.array_equal(a, b))

    def test_sprites_have_a_solid_middle_and_clear_corners(self):
        for name in ("cap", "line mark", "ball", "red ball", "yellow ball", "to-draw icon", "word marker"):
            with self.subTest(name):
                p = crop(self.el, EL_REGIONS[name])[..., 3]
                h, w = p.shape
                self.assertEqual(int(p[h // 2, w // 2]), 255)
                self.assertEqual(int(p[0, 0]), 0)
                self.assertEqual(int(p[h - 1, w - 1]), 0)

    def test_tile_colours(self):
        def mean(name):
            return crop(self.el, EL_REGIONS[name])[8:58, 8:58, :3].reshape(-1, 3).astype(float).mean(0)
        r, g, b = mean("tile 1")
        self.assertTrue(b > r + 60 and b > g + 30, "tile 1 is not blue: %s" % ((r, g, b),))
        r, g, b = mean("tile 2")
        self.assertTrue(r > g + 100 and r > b + 100, "tile 2 is not red")
        r, g, b = mean("tile 3")
        self.assertTrue(r > b + 120 and g > b + 80, "tile 3 is not yellow")
        r, g, b = mean("tile 0")
        self.assertLess(max(r, g, b), 110, "the empty cell should be dark so white letters read")
        for m, tile in enumerate(("tile 1", "tile 2", "tile 3")):
            sw = crop(self.el, EL_REGIONS["swatch %d" % m])[4:18, 4:18, :3].reshape(-1, 3).mean(0)
            self.assertEqual(int(np.argmax(sw)), int(np.argmax(mean(tile))), "swatch %d vs %s" % (m, tile))

    def test_tiles_leave_only_outline_colour_outside_the_grid_restore(self):
        # the grid restore stops one column and two rows short of the last tiles: what stays must match
        for t in range(4):
            tile = crop(self.el, EL_REGIONS["tile %d" % t])
            edge = np.concatenate([tile[64:66, :, :3].reshape(-1, 3), tile[:, 65, :3].reshape(-1, 3)])
            self.assertEqual(len(np.unique(edge, axis=0)), 1, "tile %d" % t)

    def test_panel_timer_area_continues_the_stretched_empty_bar(self):
        bar = stretch(crop(self.el, EL_REGIONS["empty timer bar"]), 120, 14)
        area = crop(self.el, EL_REGIONS["panel timer area"])
        # screen (642, 523) is column 2 of the bar drawn at (640, 524), one row above it
        self.assertTrue(np.array_equal(area[1:15, :, :], bar[:, 2:118, :]))
        self.assertEqual(int(area[0, :, 3].max()), 0)
        self.assertEqual(int(area[15, :, 3].max()), 0)

    def test_fill_stands_out_from_empty_bar(self):
        fill = crop(self.el, EL_REGIONS["timer fill"])[..., :3].astype(float).mean()
        empty = crop(self.el, EL_REGIONS["empty timer bar"])[..., :3].astype(float).mean()
        self.assertGreater(fill - empty, 80)


class LetterSheet(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.lit = np.array(Image.open(os.path.join(MEDIA, "literki.png")).convert("RGBA"))
        cls.el = load_el()

    def cells(self):
        return [self.lit[0:62, 52 * k:52 * k + 52] for k in range(36)]

    def test_size(self):
        h, w = self.lit.shape[:2]
        self.assertEqual(h, 62)
        self.assertGreaterEqual(w, 52 * 36)

    def test_every_cell_has_a_whole_glyph(self):
        for k, c in enumerate(self.cells()):
            with self.subTest(cell=k):
                a = c[..., 3]
                self.assertGreater(int((a > 128).sum()), 150, "cell almost empty")
                # nothing cut off at the cell's edges
                edge = np.concatenate([a[0], a[-1], a[:, 0], a[:, -1]])
                self.assertLess(int(edge.max()), 40)

    def test_cells_are_all_different(self):
        cs = self.cells()
        for i in range(36):
            for j in range(i + 1, 36):
                d = np.abs(cs[i][..., 3].astype(int) - cs[j][..., 3].astype(int)).sum()
                self.assertGreater(d, 255 * 20, "cells %d and %d look alike" % (i, j))

    def test_polish_letters_carry_their_marks(self):
        # each Polish cell differs from its base letter by a mark of some size
        base = "acelnoszz"
        for k, b in enumerate(base):
            pol = self.cells()[26 + k][..., 3].astype(int)
            lat = self.cells()[ord(b) - 97][..., 3].astype(int)
            self.assertGreater(int(((pol > 128) & (lat < 60)).sum()), 15, "cell %d" % (26 + k))

    def test_glyphs_centred_on_the_tile(self):
        # glyphs are drawn 5 px right of the tile's left edge, level with its top; tiles are 66 square
        for k in range(26):
            a = self.cells()[k][..., 3] > 128
            ys, xs = np.nonzero(a)
            cx = (xs.min() + xs.max()) / 2 + 5
            self.assertLess(abs(cx - 33), 3, "letter %s off centre: %.1f" % (chr(97 + k), cx))
            self.assertLess(abs((ys.min() + ys.max()) / 2 - 33), 6, "letter %s" % chr(97 + k))

    def test_legible_on_every_background(self):
        """The letter needs both a light fill and a dark rim, so it reads on dark cells and light tiles."""
        gg = np.array(Image.open(os.path.join(MEDIA, "gg1.png")).convert("RGB")).astype(float)
        backs = {"tile %d" % t: crop(self.el, (65 * t, 166, 66, 66))[0:62, 5:57, :3].astype(float) for t in range(4)}
        backs["grid background"] = gg[125:187, 35:87]
        backs["message strip"] = gg[494:556, 35:87]
        for k, c in enumerate(self.cells()):
            a = c[..., 3:4].astype(float) / 255
            for name, bg in backs.items():
                with self.subTest(cell=k, on=name):
                    out = c[..., :3] * a + bg * (1 - a)
                    lum = out @ np.array([0.299, 0.587, 0.114])
                    solid = c[..., 3] > 250
                    self.assertGreater(np.percentile(lum[solid], 95) - np.percentile(lum[solid], 5), 120)


class Background(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.im = Image.open(os.path.join(MEDIA, "gg1.png"))
        cls.gg = np.array(cls.im.convert("RGBA"))
        cls.el = load_el()

    def test_size_and_opacity(self):
        self.assertEqual(self.im.size, (800, 600))
        self.assertEqual(int(self.gg[..., 3].min()), 255)

    def test_second_total_patch_is_the_box_it_replaces(self):
        # the panel draws gg1 (10, 574, 150 x 22) at (640, 574): it must look like the box already there
        self.assertTrue(np.array_equal(self.gg[574:596, 10:160], self.gg[574:596, 640:790]))

    def test_entry_cells_match_the_blank_cell(self):
        blank = crop(self.el, EL_REGIONS["blank entry cell"])
        for k in range(5):
            with self.subTest(cell=k):
                self.assertTrue(np.array_equal(self.gg[31:95, 31 + 69 * k:95 + 69 * k], blank))

    def test_final_blanking_vanishes_into_the_arrow_column(self):
        colour = crop(self.el, EL_REGIONS["arrow-column blanking"])[0, 0, :3]
        for k in range(5):
            patch = self.gg[144 + 69 * k:169 + 69 * k, 389:454, :3]
            self.assertTrue(np.all(patch == colour), "row %d" % k)

    def test_timer_bar_drawn_on_the_background(self):
        bar = stretch(crop(self.el, EL_REGIONS["empty timer bar"]), 120, 14)
        self.assertTrue(np.array_equal(self.gg[524:538, 640:760, :3], bar[..., :3]))

    def test_grid_leftovers_are_hidden(self):
        outline = crop(self.el, EL_REGIONS["tile 1"])[65, 10, :3]
        self.assertTrue(np.all(self.gg[465:467, 30:372, :3] == outline))
        self.assertTrue(np.all(self.gg[124:467, 371, :3] == outline))

    def test_final_banner_hides_the_title_at_every_step(self):
        # the final draws the banner 40 times, growing about (587.5, 65), over the clean background
        scr = self.gg[..., :3].astype(int).copy()
        covered = np.zeros(scr.shape[:2], bool)
        banner = crop(self.el, EL_REGIONS["final banner"])
        for i in range(40):
            x, y, w, h = 525 - 3 * i, 65 - i // 2, 6 * i + 125, i
            if h > 0:
                scr[y:y + h, x:x + w] = stretch(banner, w, h)[..., :3]
                covered[y:y + h, x:x + w] = True
        # the title's gold, its warm glow or any bright ink left anywhere near the finished banner
        # shows as a warm or light pixel on the cool navy set
        near = np.zeros_like(covered)
        near[0:130, 390:800] = True   # from just right of the guess grid's frame to the screen's edge
        left = scr[near & ~covered]
        lum = left @ np.array([0.299, 0.587, 0.114])
        self.assertEqual(int((left[:, 0] > left[:, 2]).sum()), 0, "warm pixels of the title beside the banner")
        self.assertLess(float(lum.max()), 90, "bright pixels of the title beside the banner")
        # and every step lies inside the last one, so no step leaves a piece of its own behind
        self.assertEqual(int(covered.sum()), 359 * 39)

    def test_board_dark_enough_for_grey_numbers(self):
        board = self.gg[174:413, 528:767, :3].astype(float) @ np.array([0.299, 0.587, 0.114])
        self.assertLess(np.percentile(board, 90), 80)


def luminance(rgb):
    """Relative luminance of sRGB colours (any shape ending in 3), as the WCAG contrast ratio uses it."""
    c = np.asarray(rgb, float) / 255.0
    c = np.where(c <= 0.04045, c / 12.92, ((c + 0.055) / 1.055) ** 2.4)
    return c @ np.array([0.2126, 0.7152, 0.0722])


def worst_contrast(colour, ground):
    """The lowest WCAG ratio of a text colour against any pixel of the ground."""
    lt, lg = luminance(colour), luminance(ground.reshape(-1, 3))
    return float(((np.maximum(lt, lg) + 0.05) / (np.minimum(lt, lg) + 0.05)).min())


SRC = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src")
STRIP = (32, 494, 338, 62)    # the message strip as the game restores it


def strip_colours():
    """Every colour the game's code writes text in inside the message strip: drawn there by position,
    through the strip's own text routine, or pulsing (0, kk / 4 + base, 0) with kk from -1 to 251."""
    found = set()
    rgb = r"al_map_rgb\((\d+),\s*(\d+),\s*(\d+)\)"
    for name in sorted(os.listdir(SRC)):
        if not name.endswith(".cpp"):
            continue
        with open(os.path.join(SRC, name), encoding="utf-8") as f:
            code = f.read()
        for m in re.finditer(r"al_draw_textf?\(\s*\w+,\s*" + rgb + r",\s*(\d+),\s*(\d+)", code):
            r, g, b, x, y = map(int, m.groups())
            if STRIP[0] <= x < STRIP[0] + STRIP[2] and STRIP[1] <= y < STRIP[1] + STRIP[3]:
                found.add((r, g, b))
        for m in re.finditer(r"tekst_w_pasku\(\s*\w+,\s*" + rgb, code):
            found.add(tuple(map(int, m.groups())))
        for m in re.finditer(r"al_map_rgb\(0,\s*kk\s*/\s*4\s*\+\s*(\d+),\s*0\)", code):
            base = int(m.group(1))
            found.update({(0, base + 251 // 4, 0), (0, base, 0)})
    return found


# What a player acts on or must notice: 3:1. The pulsing prompts count at their brightest.
MUST_NOTICE = {
    (0, 155, 55): "SPACJA - START, Hasło za:, Do finału przechodzi",
    (0, 142, 0): "Wpisz Hasło, Losowanie kul at their brightest",
    (140, 160, 10): "nie znam tego słowa",
    (200, 44, 44): "Koniec czasu",
    (0, 166, 166): "GRATULACJE !!!",
    (200, 200, 0): "the finalist's name",
    (200, 55, 55): "the final's stake",
}
PULSE_DIMMEST = (0, 80, 0)


class MessageStrip(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        gg = np.array(Image.open(os.path.join(MEDIA, "gg1.png")).convert("RGB"))
        cls.ground = crop(gg, STRIP)
        cls.colours = strip_colours()

    def test_the_code_scan_finds_the_strip_texts(self):
        self.assertLessEqual(set(MUST_NOTICE), self.colours)
        self.assertIn(PULSE_DIMMEST, self.colours)
        self.assertGreaterEqual(len(self.colours), 14)

    def test_every_text_of_the_strip_reads_on_its_ground(self):
        for colour in sorted(self.colours):
            with self.subTest(colour=colour, text=MUST_NOTICE.get(colour, "")):
                ratio = worst_contrast(colour, self.ground)
                if colour == PULSE_DIMMEST:
                    # no ground lifts the dimmest green to 2.5:1 (black gives 2.15): hold it near black's
                    self.assertGreaterEqual(ratio, 0.9 * worst_contrast(colour, np.zeros((1, 3))))
                else:
                    self.assertGreaterEqual(ratio, 3.0 if colour in MUST_NOTICE else 2.5)



class OtherTextGrounds(unittest.TestCase):
    def test_every_other_text_reads_at_least_as_well_as_the_strip_floor(self):
        gg = np.array(Image.open(os.path.join(MEDIA, "gg1.png")).convert("RGB")).astype(float)
        el = load_el()[..., :3].astype(float)
        band = el[9:33, 20:180]   # the rows of a menu button under its label, where the hover glow adds
        glow = np.clip(band * (1 + np.array([50, 250, 250]) / 255), 0, 255)
        page = crop(el, EL_REGIONS["page panel"])[3:67, 3:127]
        grounds = [  # (where, ground, text colours the game draws on it)
            ("name strip", gg[490:516, 535:761], [(188, 188, 88), (88, 188, 188)]),
            ("active total", gg[545:567, 640:760], [(200, 144, 44)]),
            ("other total", gg[574:596, 640:790], [(130, 120, 110)]),
            ("menu button", band, [(105, 160, 105), (222, 99, 9)]),
            ("menu button, glowing", glow, [(125, 255, 207), (255, 196, 17)]),
            ("rules, info and name pages", page, [(99, 155, 155), (55, 155, 155), (200, 200, 155), (50, 158, 50)]),
            ("name field", crop(el, EL_REGIONS["edit field"])[2:32, 2:238], [(140, 160, 10)]),
            ("end frame", crop(el, EL_REGIONS["end frame outer"]), [(0, 110, 210), (66, 188, 66), (133, 133, 133)]),
        ]
        for where, ground, colours in grounds:
            for colour in colours:
                with self.subTest(where=where, colour=colour):
                    self.assertGreaterEqual(worst_contrast(colour, ground), 2.5)


def sox_stats(path):
    out = subprocess.run(["sox", path, "-n", "stats"], capture_output=True, text=True, check=True).stderr
    stats = {}
    for line in out.splitlines():
        m = re.match(r"(.+?)\s{2,}(\S+)", line.strip())
        if m:
            stats[m.group(1)] = m.group(2)
    return stats


class Sounds(unittest.TestCase):
    def test_every_sound_decodes_is_short_audible_and_unclipped(self):
        loud = {}
        for i in range(10):
            path = os.path.join(MEDIA, "s%d.ogg" % i)
            with self.subTest(sample=i):
                with tempfile.TemporaryDirectory() as tmp:
                    wav = os.path.join(tmp, "x.wav")
                    subprocess.run(["oggdec", "-Q", "-o", wav, path], check=True)
                    s = sox_stats(wav)
                peak = float(s["Pk lev dB"])
                rms = float(s["RMS lev dB"])
                length = float(s["Length s"])
                self.assertLess(peak, -0.5, "too close to clipping")
                self.assertGreater(rms, -30, "nearly silent")
                self.assertGreater(length, 0.02)
                self.assertLess(length, 4.0)
                self.assertEqual(int(s["Flat factor"].split(".")[0]), 0, "flat tops: clipped")
                loud[i] = rms
        # the key click is a tick, so it is allowed to sit lower; the rest play at one level
        rest = [v for k, v in loud.items() if k != 9]
        self.assertLess(max(rest) - min(rest), 6.0, loud)

    def test_every_sound_ends_in_silence(self):
        # a sound cut off while it still sounds clicks; its last 10 ms must be below -40 dBFS
        for i in range(10):
            with self.subTest(sample=i):
                with tempfile.TemporaryDirectory() as tmp:
                    wav = os.path.join(tmp, "x.wav")
                    subprocess.run(["oggdec", "-Q", "-o", wav, os.path.join(MEDIA, "s%d.ogg" % i)], check=True)
                    out = subprocess.run(["sox", wav, "-n", "trim", "-0.010", "stats"], capture_output=True,
                                         text=True, check=True).stderr
                peak = float(re.search(r"Pk lev dB\s+(\S+)", out).group(1))
                self.assertLess(peak, -40.0)


class WindowIcon(unittest.TestCase):
    def test_each_size_is_a_ball_bearing_a_red_letter_on_a_light_disc(self):
        for n in (16, 32, 48, 64, 128, 256):
            with self.subTest(size=n):
                im = Image.open(os.path.join(MEDIA, "ikona_%d.png" % n))
                self.assertEqual(im.size, (n, n))
                a = np.array(im.convert("RGBA")).astype(int)
                self.assertEqual(int(a[0, 0, 3]) + int(a[0, -1, 3]) + int(a[-1, 0, 3]) + int(a[-1, -1, 3]), 0,
                                 "corners must be see-through: the icon is round")
                self.assertEqual(int(a[n // 2, n // 2, 3]), 255)
                mid = a[n // 4:n - n // 4, n // 4:n - n // 4]
                light = (mid[..., :3].min(-1) > 200) & (mid[..., 3] == 255)
                red = (mid[..., 0] > 100) & (mid[..., 0] > mid[..., 1] + 60) & (mid[..., 0] > mid[..., 2] + 40)
                self.assertGreater(light.mean(), 0.2, "no light disc in the middle")
                self.assertGreater(red.mean(), 0.08, "no red letter on the disc")
                rim = a[n // 2, 1:max(2, n // 12 + 1)]   # the ball's left edge, level with its middle
                rim = rim[rim[:, 3] == 255]
                self.assertGreater(len(rim), 0)
                self.assertTrue(np.all(rim[:, 2] > rim[:, 0]), "the ball is blue")

    def test_scalable_icon_draws_the_same_design(self):
        import xml.etree.ElementTree as ET
        root = ET.parse(os.path.join(MEDIA, "ikona.svg")).getroot()
        ns = "{http://www.w3.org/2000/svg}"
        self.assertEqual(root.tag, ns + "svg")
        self.assertEqual(root.get("viewBox"), "0 0 256 256")
        self.assertGreaterEqual(len(root.findall(ns + "circle")), 3, "ball, ring and disc")
        self.assertEqual([t.text for t in root.findall(ns + "text")], ["B"])


class Fonts(unittest.TestCase):
    def covers(self, path):
        out = subprocess.run(["fc-query", "-f", "%{charset}", path], capture_output=True, text=True, check=True).stdout
        cps = set()
        for part in out.split():
            lo, _, hi = part.partition("-")
            cps.update(range(int(lo, 16), int(hi or lo, 16) + 1))
        return cps

    def test_both_faces_are_bold_truetype_with_every_polish_letter(self):
        for name in ("arialbd.ttf", "georgiab.ttf"):
            path = os.path.join(MEDIA, name)
            with self.subTest(font=name):
                with open(path, "rb") as f:
                    self.assertEqual(f.read(4), b"\x00\x01\x00\x00", "not TrueType outlines")
                style = subprocess.run(["fc-query", "-f", "%{style}", path], capture_output=True, text=True).stdout
                self.assertIn("Bold", style)
                missing = [c for c in POLISH + "zł" if ord(c) not in self.covers(path)]
                self.assertEqual(missing, [])

    def test_licences_present(self):
        names = os.listdir(MEDIA)
        self.assertTrue(any(n.startswith("LICENSE") for n in names))
        text = "".join(open(os.path.join(MEDIA, n), errors="replace").read() for n in names if n.startswith("LICENSE"))
        self.assertIn("Open Font License", text)


if __name__ == "__main__":
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
        MEDIA = sys.argv.pop(1)
    unittest.main(verbosity=1)
