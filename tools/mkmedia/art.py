"""The game's pictures drawn by code: the sprite sheet el.png, the letter sheet literki.png and the background gg1.png."""
import numpy as np

from paint import (canvas, col, rrect, ellipse, polygon, star_pts, text_cov, text_bbox, vgrad, hgrad,
                   radial, paint, blit, put, blur, shift, resize, to_u8)

SANS = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf"
SERIF = "/usr/share/fonts/truetype/noto/NotoSerif-Bold.ttf"

MASK = (200, 200, 200)      # the game turns exactly this colour of el.png transparent
SHEET_W, SHEET_H = 880, 540  # wide enough for the scratch area, tall enough for the panel's timer bar area

# ---------------------------------------------------------------------------------------------
# Every region of el.png that the game reads: name, x, y, w, h, what it shows and what it must be.
# "opaque" regions are drawn over the screen where a see-through pixel would be a visible fault.
# Some regions lie inside others on purpose; the containing picture is drawn so both hold.
# ---------------------------------------------------------------------------------------------
REGIONS = [
    # name            x    y    w    h   opaque  what it shows
    ("button",         0,   0, 200,  41, False, "menu button, label drawn over it; rounded ends see-through"),
    ("panel",          0,  45, 130,  70, True,  "rules / info / name-entry panel, stretched up to 800x590"),
    ("edit_field",     0, 126, 240,  34, True,  "empty name edit field"),
    ("end_patch_out", 10, 130,   5,   5, True,  "end-of-game frame: outer band and inside (lies in edit_field)"),
    ("tile_neutral",   0, 166,  66,  66, True,  "tile code 0, the empty cell"),
    ("tile_blue",     65, 166,  66,  66, True,  "tile code 1, letter not in the password"),
    ("tile_red",     130, 166,  66,  66, True,  "tile code 2, right letter in the right place"),
    ("tile_yellow",  195, 166,  66,  66, True,  "tile code 3, right letter in the wrong place"),
    ("blank_cell",     1, 166,  64,  64, True,  "blank entry cell; must hide a letter (inner square of tile 0)"),
    ("end_patch_band", 140, 170,  9,   9, True,  "end-of-game frame: 5-pixel middle band (lies in tile_red)"),
    ("swatch_blue",  396, 170,  22,  22, True,  "rules page colour swatch: blue tile"),
    ("swatch_red",   419, 170,  22,  22, True,  "rules page colour swatch: red tile"),
    ("swatch_yellow", 442, 170, 22,  22, True,  "rules page colour swatch: yellow tile"),
    ("label",        270, 170, 119,  24, True,  "final: label sliding out leftward over the marker row"),
    ("ball",         270, 200,  45,  45, False, "numbered ball (number drawn over it), scaled to 50x50"),
    ("red_ball",     320, 200,  45,  45, False, "red ball: ends the draw"),
    ("yellow_ball",  370, 200,  45,  45, False, "yellow ball: the final's rescue"),
    ("used_icon",      0, 235,  18,  18, False, "ball icon: ball already drawn"),
    ("todraw_icon",   18, 235,  18,  18, False, "ball icon: ball still to draw"),
    ("word_marker",   40, 235,  19,  19, False, "marker of a word played"),
    ("timer_empty",   60, 235, 100,  14, True,  "empty timer bar, stretched to 120x14"),
    ("timer_fill",   190, 235,   2,  10, True,  "timer bar fill, stretched to cw x 13"),
    ("band_edge",    220, 252,   2,   5, True,  "final: upper edge of the opening band (flipped for the lower)"),
    ("arrow0",         0, 260,  58,  21, False, "try arrow, try 1 (stake 500)"),
    ("arrow1",        60, 260,  58,  21, False, "try arrow, try 2 (stake 400)"),
    ("arrow2",       120, 260,  58,  21, False, "try arrow, try 3 (stake 300)"),
    ("arrow3",       180, 260,  58,  21, False, "try arrow, try 4 (stake 200)"),
    ("arrow4",       240, 260,  58,  21, False, "try arrow, try 5 (stake 100)"),
    ("arrow5",       300, 260,  58,  21, False, "read for the sixth try and drawn below the column: left see-through"),
    ("opening",       80, 285, 360,  90, True,  "final: picture opening from its middle line"),
    ("banner",        40, 380, 400,  40, True,  "final: banner growing at the top right"),
    ("logo_a",       218,   0,  91, 121, False, "intro logo figure A (left and right), drawn as a square"),
    ("fade",         220,   0,   5,   5, True,  "flat fade colour, stretched over the window (lies in logo_a)"),
    ("blank_patch",  220,   0,   2,   2, True,  "final: blanks the arrow column (lies in fade)"),
    ("logo_b",       310,   0,  90,  96, False, "intro logo figure B (middle), drawn as a square"),
    ("intro_bar",    330,  81,   2,   5, True,  "intro bar, stretched to 200x5 (lies in logo_b)"),
    ("shutdown",     350, 110,  10,  10, True,  "shutdown darkening patch (drawn tinted black)"),
    ("cap",          410,   0,  33,  33, False, "cap over a struck number"),
    ("line_mark",    450,   0,  33,  33, False, "mark of a completed line"),
    ("final_band",   460,  10,   5,   5, True,  "final: opening band colour (lies in line_mark)"),
    ("timer_area",   642, 523, 116,  16, False, "panel: empty timer bar drawn at the same place on screen"),
]
SCRATCH = (540, 0, 340, 340)  # overwritten by the grid scroll at run time: nothing needed may live here


def region(name):
    for r in REGIONS:
        if r[0] == name:
            return r[1:5]
    raise KeyError(name)


# ------------------------------------------------------------------ palette
FADE = (7, 13, 42)          # the set's deepest navy: fade target, arrow column, final blanking
OUTLINE = (3, 6, 22)
GOLD = (236, 190, 72)
GOLD_LIGHT = (255, 238, 170)
GOLD_DARK = (138, 92, 18)
FIELD = (9, 16, 46)         # edit field inside; also the inside of the end-of-game frame
STRIP_TOP, STRIP_BOT = (2, 3, 12), (5, 9, 28)   # the message strip: as dark as the set allows (see STRIP_TEXTS)
BOARD = (12, 24, 70)

# Every text the game writes into the message strip, in its fixed colour. The prompts pulse from
# (0, 80, 0) up to (0, 142, 0); next to a dimmest green and a bright yellow on one ground, the best
# single ground is near black: light grounds lose the yellows and reds, mid greys lose everything.
PULSE_DIMMEST = (0, 80, 0)
STRIP_TEXTS = [
    ("Wpisz Hasło / Losowanie kul, brightest", (0, 142, 0)),
    ("Wpisz Hasło / Losowanie kul, dimmest", PULSE_DIMMEST),
    ("SPACJA - START, Hasło za:, Do finału przechodzi", (0, 155, 55)),
    ("nie znam tego słowa", (140, 160, 10)),
    ("Koniec czasu", (200, 44, 44)),
    ("GRATULACJE !!!", (0, 166, 166)),
    ("the finalist's name", (200, 200, 0)),
    ("the final's stake after Hasło za:", (200, 55, 55)),
    ("Oto Hasło", (188, 18, 0)),
    ("Masz Pecha", (155, 55, 55)),
    ("Strata kolejki", (200, 144, 44)),
    ("Premia za BINGO", (0, 133, 0)),
    ("500 of the bonus", (0, 188, 0)),
    ("Tablica gracza: n", (50, 150, 150)),
    ("the ball's number (on the ball)", (200, 200, 180)),
]
TITLE_PLAQUE = (411, 48, 764, 83)   # inside the banner's last step: x 408..766, y 46..84


def luminance(rgb):
    c = np.array(rgb, float) / 255.0
    c = np.where(c <= 0.04045, c / 12.92, ((c + 0.055) / 1.055) ** 2.4)
    return float(c @ np.array([0.2126, 0.7152, 0.0722]))


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)))
    return (lb + 0.05) / (la + 0.05)


TILES = {
    "blue":   dict(face=(44, 100, 216), light=(150, 190, 255), dark=(12, 34, 110)),
    "red":    dict(face=(212, 34, 42), light=(255, 150, 140), dark=(100, 8, 14)),
    "yellow": dict(face=(244, 192, 26), light=(255, 246, 170), dark=(150, 96, 0)),
}


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


# ------------------------------------------------------------------ tiles
def tile(kind, n=66):
    """A letter tile of side n: 1-pixel dark outline, 3-pixel bevel, face light above, shaded below."""
    c = canvas(n, n, OUTLINE, 1.0)
    b = max(1, round(3 * n / 66))
    yy, xx = np.mgrid[0:n, 0:n]
    # a second dark row and column at the bottom and right: a drop edge, and what the grid leaves behind
    # below and beside its restore rectangle is then always outline colour
    lo, hi = 1, n - 3
    dt, dl, db, dr = yy - lo, xx - lo, hi - yy, hi - xx
    inner = (xx >= lo) & (xx <= hi) & (yy >= lo) & (yy <= hi)
    m = np.minimum(np.minimum(dt, dl), np.minimum(db, dr))
    if kind == "neutral":
        face_top, face_bot = (10, 18, 54), (20, 36, 92)
        top_c, left_c, bot_c, right_c = (2, 4, 16), (4, 8, 26), (40, 64, 140), (30, 50, 118)
    else:
        p = TILES[kind]
        face_top = mix(p["face"], (255, 255, 255), 0.16)
        face_bot = mix(p["face"], p["dark"], 0.45)
        top_c, left_c = p["light"], mix(p["light"], p["face"], 0.35)
        bot_c, right_c = p["dark"], mix(p["dark"], p["face"], 0.3)
    rgb = c[..., :3]
    split = int(n * 0.48)
    for y in range(n):
        if y < split:
            rgb[y, :, :] = col(face_top)
        else:
            t = (y - split) / max(1, (hi - b) - split)
            rgb[y, :, :] = col(mix(mix(face_top, face_bot, 0.55), face_bot, min(1, t)))
    if kind == "neutral":  # recessed: soft shadow below the top edge
        for y in range(b, b + 8):
            rgb[y, :, :] = rgb[y, :, :] * (0.55 + 0.45 * (y - b) / 8)
    for name, d, colr in (("t", dt, top_c), ("l", dl, left_c), ("b", db, bot_c), ("r", dr, right_c)):
        sel = inner & (m < b) & (d == m)
        rgb[sel] = col(colr)
    rgb[~inner] = col(OUTLINE)
    return c


# ------------------------------------------------------------------ balls and marks
def sphere(n, base, light, dark, cx=None, cy=None, r=None):
    """A glossy ball of diameter about n: shaded body, dark rim, specular highlight."""
    cx = n / 2 if cx is None else cx
    cy = n / 2 if cy is None else cy
    r = n / 2 - 0.5 if r is None else r
    c = canvas(n, n)
    body = radial(n, n, cx - r * 0.35, cy - r * 0.4, r * 1.6,
                  [(0, light), (0.35, base), (0.8, dark), (1, mix(dark, (0, 0, 0), 0.5))])
    paint(c, ellipse(n, n, cx, cy, r), body)
    hl = ellipse(n, n, cx - r * 0.28, cy - r * 0.5, r * 0.5, r * 0.3)
    paint(c, blur(hl, max(1, int(n / 30))) * ellipse(n, n, cx, cy, r - 1), (255, 255, 255), 0.75)
    rim = ellipse(n, n, cx, cy, r) - ellipse(n, n, cx, cy, r - max(1.0, n / 40))
    paint(c, np.clip(rim, 0, 1), mix(dark, (0, 0, 0), 0.6), 0.8)
    return c


def star_on(c, cx, cy, ro, ri, colr, alpha=1.0):
    h, w = c.shape[:2]
    paint(c, polygon(w, h, star_pts(cx, cy, ro, ri)), colr, alpha)


def ball(kind):
    if kind == "ball":
        c = sphere(45, (34, 70, 170), (120, 170, 255), (8, 20, 70))
        # darker disc where the cream number is drawn
        paint(c, ellipse(45, 45, 22.5, 23.5, 13), (10, 22, 72), 0.55)
        return c
    if kind == "red":
        c = sphere(45, (206, 28, 36), (255, 150, 140), (90, 4, 10))
        star_on(c, 22.5, 24, 11, 4.6, (255, 236, 220))
        return c
    c = sphere(45, (240, 186, 20), (255, 250, 190), (140, 86, 0))
    star_on(c, 22.5, 24, 11, 4.6, (255, 255, 255))
    return c


def cap():
    """Gold cap over a struck number: a coin with a raised rim and a star."""
    n = 33
    c = canvas(n, n)
    sh = ellipse(n, n, 17.5, 17.8, 15.8)
    paint(c, blur(sh, 1), (0, 0, 0), 0.45)
    paint(c, ellipse(n, n, 16.5, 16.5, 15.5),
          radial(n, n, 11, 10, 24, [(0, GOLD_LIGHT), (0.45, GOLD), (1, GOLD_DARK)]))
    paint(c, ellipse(n, n, 16.5, 16.5, 12),
          radial(n, n, 21, 21, 22, [(0, GOLD_LIGHT), (0.5, GOLD), (1, GOLD_DARK)]))
    star_on(c, 16.5, 17.2, 8.5, 3.6, (150, 96, 10))
    star_on(c, 16.3, 16.6, 8.0, 3.3, (255, 240, 190))
    return c


def line_mark():
    """Mark of a completed line: a gold ring round a flat crimson disc (the final's band colour)."""
    n = 33
    c = canvas(n, n)
    paint(c, ellipse(n, n, 16.5, 16.5, 16.4), radial(n, n, 10, 9, 26, [(0, GOLD_LIGHT), (0.5, GOLD), (1, GOLD_DARK)]))
    paint(c, ellipse(n, n, 16.5, 16.5, 12.6), (80, 6, 20))
    paint(c, ellipse(n, n, 16.5, 16.5, 11.6), BAND)
    # a small highlight crescent high up, clear of the flat centre used as the band colour
    paint(c, blur(ellipse(n, n, 16.5, 7.5, 6, 2.2), 1), (255, 200, 210), 0.55)
    c[10:15, 10:15, :3] = col(BAND)
    c[10:15, 10:15, 3] = 1.0
    return c


BAND = (150, 14, 40)


def icon(kind):
    n = 18
    if kind == "todraw":
        c = sphere(n, (60, 120, 230), (190, 220, 255), (14, 30, 100))
        return c
    c = canvas(n, n)
    paint(c, ellipse(n, n, 9, 9, 8.5), (30, 40, 70))
    paint(c, ellipse(n, n, 9, 9, 7.2), (14, 20, 44))
    paint(c, ellipse(n, n, 9, 9, 8.5) - ellipse(n, n, 9, 9, 7.6), (90, 100, 130), 0.9)
    return c


def word_marker():
    n = 19
    c = canvas(n, n)
    paint(c, blur(ellipse(n, n, 9.5, 9.5, 8.5), 1), (255, 210, 90), 0.35)
    star_on(c, 9.5, 10.2, 8.6, 3.7, GOLD_DARK)
    star_on(c, 9.5, 9.7, 8.2, 3.4, GOLD)
    paint(c, polygon(n, n, star_pts(9.5, 9.7, 4.5, 1.9)), GOLD_LIGHT, 0.9)
    return c


def timer_empty(w=100, h=14):
    c = canvas(w, h, OUTLINE, 1.0)
    rgb = c[..., :3]
    rgb[1:h - 1, 1:w - 1] = vgrad(w - 2, h - 2, [(0, (2, 4, 14)), (0.5, (10, 18, 48)), (1, (22, 36, 84))])
    return c


def timer_fill(w=2, h=10):
    c = canvas(w, h, (0, 0, 0), 1.0)
    c[..., :3] = vgrad(w, h, [(0, (255, 246, 190)), (0.35, (250, 200, 60)), (0.75, (226, 130, 20)), (1, (150, 70, 6))])
    return c


def arrow(stake):
    w, h = 58, 21
    c = canvas(w, h)
    pts = [(0.5, 10.5), (13, 0.5), (13, 4), (55, 4), (57.5, 6.5), (57.5, 14.5), (55, 17), (13, 17), (13, 20.5)]
    shadow = polygon(w, h, [(x + 1, y + 1) for x, y in pts])
    paint(c, shadow, (0, 0, 0), 0.5)
    body = polygon(w, h, pts)
    paint(c, body, (90, 56, 6))
    inner = polygon(w, h, [(2.6, 10.5), (12, 2.6), (12, 5.2), (54.5, 5.2), (56.3, 7), (56.3, 14), (54.5, 15.8),
                           (12, 15.8), (12, 18.4)])
    paint(c, inner, vgrad(w, h, [(0, GOLD_LIGHT), (0.45, GOLD), (0.55, (214, 160, 44)), (1, GOLD_DARK)]))
    paint(c, text_cov(w, h, str(stake), SANS, 14, 34.5, 10.8), (40, 22, 0))
    return c


def button():
    w, h = 200, 41
    c = canvas(w, h)
    paint(c, rrect(w, h, 0, 0, w, h, 12), GOLD_DARK)
    paint(c, rrect(w, h, 1, 1, w - 1, h - 1, 11), vgrad(w, h, [(0, GOLD_LIGHT), (0.5, GOLD), (1, GOLD_DARK)]))
    # dark enough for the green labels, bright enough that the cyan hover glow (which adds the
    # button's own colour) shows
    paint(c, rrect(w, h, 3, 3, w - 3, h - 3, 9), vgrad(w, h, [(0, (24, 42, 110)), (0.48, (18, 36, 102)),
                                                             (0.52, (8, 18, 66)), (1, (14, 28, 86))]))
    paint(c, blur(rrect(w, h, 10, 4, w - 10, 16, 6), 1), (255, 255, 255), 0.10)
    return c


def panel(w=130, h=70):
    c = canvas(w, h, GOLD_DARK, 1.0)
    c[1:h - 1, 1:w - 1, :3] = vgrad(w - 2, h - 2, [(0, GOLD_LIGHT), (1, GOLD)])
    c[2:h - 2, 2:w - 2, :3] = col(OUTLINE)
    c[3:h - 3, 3:w - 3, :3] = vgrad(w - 6, h - 6, [(0, (20, 38, 104)), (0.5, (11, 22, 66)), (1, (6, 12, 40))])
    return c


def edit_field(w=240, h=34):
    c = canvas(w, h, GOLD_DARK, 1.0)
    c[1:h - 1, 1:w - 1, :3] = col((70, 86, 140))
    c[1:h - 2, 1:w - 2, :3] = col(OUTLINE)
    c[2:h - 2, 2:w - 2, :3] = col(FIELD)
    c[2, 2:w - 2, :3] = col((2, 4, 16))
    c[2:h - 2, 2, :3] = col((2, 4, 16))
    return c


def logo_a():
    """Figure A: a navy plate with a gold frame and a glossy 3x3 mosaic of word tiles.
    Drawn on screen as a square, so everything is drawn pre-squeezed (x by 91/149, y by 121/149)."""
    w, h = 91, 121
    sx, sy = 91 / 149, 121 / 149
    c = canvas(w, h, FADE, 1.0)
    paint(c, rrect(w, h, 5, 7, w - 5, h - 7, 3), GOLD)
    paint(c, rrect(w, h, 6, 8, w - 6, h - 8, 3), (4, 8, 28))
    pattern = ["red", "yellow", "blue", "blue", "red", "yellow", "yellow", "blue", "red"]
    ts, gap = 36, 6
    x0 = (149 - (3 * ts + 2 * gap)) / 2
    for i, kind in enumerate(pattern):
        r, q = divmod(i, 3)
        X0, Y0 = x0 + q * (ts + gap), x0 + r * (ts + gap)
        t = tile(kind, 66)
        t = resize(t, int(round(ts * sx)), int(round(ts * sy)))
        blit(c, t, int(round(X0 * sx)), int(round(Y0 * sy)))
    c[0:6, 0:9, :3] = col(FADE)
    c[0:6, 0:9, 3] = 1.0
    return c


def logo_b():
    """Figure B: a glossy blue ball bearing a gold B, standing on a gold bar (the intro bar is cut from it)."""
    w, h = 90, 96
    sx, sy = 90 / 99, 96 / 99
    c = canvas(w, h)
    S = 4
    big = sphere(70 * S, (34, 72, 176), (140, 186, 255), (6, 16, 60))
    big = resize(big, int(round(70 * sx)), int(round(70 * sy)))
    blit(c, big, int(round((99 - 70) / 2 * sx)), int(round(4 * sy)))
    cx, cy = 49.5 * sx, 39 * sy
    paint(c, ellipse(w, h, cx, cy, 20 * sx, 20 * sy), (245, 246, 252))
    paint(c, ellipse(w, h, cx, cy, 20 * sx, 20 * sy) - ellipse(w, h, cx, cy, 18.2 * sx, 18.2 * sy), GOLD, 1.0)
    paint(c, text_cov(w, h, "B", SERIF, 30, cx / sx * 1.0, cy + 1, sx=sx, anchor="mm"), (150, 14, 40))
    # the stand: a gold bar with a purely vertical profile, rows 79..88
    bar = vgrad(w, h, [(79 / h, GOLD_DARK), (81 / h, GOLD_LIGHT), (83.5 / h, GOLD), (86.5 / h, (196, 140, 36)),
                       (88 / h, GOLD_DARK)])
    paint(c, rrect(w, h, 3, 79, w - 3, 88, 3), bar)
    paint(c, polygon(w, h, [(30, 79), (60, 79), (53, 73), (37, 73)]), vgrad(w, h, [(70 / h, GOLD), (79 / h, GOLD_DARK)]))
    return c


# ------------------------------------------------------------------ the window icon
ICON_SIZES = (16, 32, 48, 64, 128, 256)
B_RED = (150, 14, 40)


def window_icon(n):
    """The intro's figure B without its stand: a glossy blue ball bearing a gold-ringed white disc with
    a red B. Drawn at each size rather than scaled, so the small ones stay sharp; the disc and letter
    are larger than on the intro ball so the B still reads at 16 pixels."""
    c = sphere(n, (34, 72, 176), (140, 186, 255), (6, 16, 60))
    cx = cy = n / 2
    tiny = n < 32   # a few pixels of serif turn to mush: the smallest icon gets a bigger, sans B
    r = n * 0.31
    ring = max(0.8, n * 0.028)
    paint(c, ellipse(n, n, cx, cy, r + ring), GOLD)
    paint(c, ellipse(n, n, cx, cy, r), (245, 246, 252))
    paint(c, text_cov(n, n, "B", SANS if tiny else SERIF, n * (0.6 if tiny else 0.46), cx, cy + n * 0.01), B_RED)
    return c


# the same design by hand, for desktops that prefer a scalable icon
ICON_SVG = """<?xml version="1.0" encoding="UTF-8"?>
<!-- Brolik's window icon: a glossy blue ball bearing a white disc with a gold ring and a red B. -->
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <defs>
    <radialGradient id="ball" cx="0.33" cy="0.3" r="0.8">
      <stop offset="0" stop-color="#8cbaff"/>
      <stop offset="0.35" stop-color="#2248b0"/>
      <stop offset="0.8" stop-color="#06103c"/>
      <stop offset="1" stop-color="#03081e"/>
    </radialGradient>
  </defs>
  <circle cx="128" cy="128" r="127" fill="url(#ball)"/>
  <ellipse cx="92" cy="64" rx="52" ry="30" fill="#ffffff" fill-opacity="0.45"/>
  <circle cx="128" cy="128" r="87" fill="#ecbe48"/>
  <circle cx="128" cy="128" r="80" fill="#f5f6fc"/>
  <text x="128" y="128" dy="0.36em" text-anchor="middle" font-family="Noto Serif, DejaVu Serif, serif"
        font-weight="bold" font-size="118" fill="#960e28">B</text>
</svg>
"""


def opening():
    w, h = 360, 90
    c = canvas(w, h, GOLD_DARK, 1.0)
    c[1:h - 1, 1:w - 1, :3] = vgrad(w - 2, h - 2, [(0, GOLD_LIGHT), (1, GOLD)])
    c[3:h - 3, 3:w - 3, :3] = col(OUTLINE)
    c[4:h - 4, 4:w - 4, :3] = vgrad(w - 8, h - 8, [(0, (26, 48, 130)), (0.5, (10, 20, 70)), (1, (18, 34, 100))])
    glow = blur(text_cov(w, h, "F I N A Ł", SERIF, 58, w / 2, h / 2 + 2), 4)
    paint(c, glow, (255, 200, 80), 0.8)
    paint(c, shift(text_cov(w, h, "F I N A Ł", SERIF, 58, w / 2, h / 2 + 2), 2, 2), (0, 0, 0), 0.7)
    paint(c, text_cov(w, h, "F I N A Ł", SERIF, 58, w / 2, h / 2 + 2),
          vgrad(w, h, [(0.2, GOLD_LIGHT), (0.55, GOLD), (0.8, (200, 130, 20))]))
    for x in (34, w - 34):
        star_on(c, x, h / 2, 13, 5.5, GOLD_DARK)
        star_on(c, x, h / 2 - 0.6, 12, 5, GOLD)
    return c


def banner():
    w, h = 400, 40
    c = canvas(w, h, GOLD_DARK, 1.0)
    c[1:h - 1, :, :3] = vgrad(w, h - 2, [(0, GOLD_LIGHT), (1, GOLD)])
    c[3:h - 3, :, :3] = vgrad(w, h - 6, [(0, (200, 40, 64)), (0.5, BAND), (1, (90, 6, 22))])
    txt = text_cov(w, h, "WIELKI  FINAŁ", SANS, 27, w / 2, h / 2 + 1)
    paint(c, shift(txt, 2, 2), (40, 0, 8), 0.8)
    paint(c, txt, vgrad(w, h, [(0.25, GOLD_LIGHT), (0.75, GOLD)]))
    return c


def label():
    w, h = 119, 24
    c = canvas(w, h, GOLD_DARK, 1.0)
    c[1:h - 1, 1:w - 1, :3] = vgrad(w - 2, h - 2, [(0, (200, 40, 64)), (0.5, BAND), (1, (90, 6, 22))])
    txt = text_cov(w, h, "FINAŁ", SANS, 17, w / 2, h / 2 + 1)
    paint(c, shift(txt, 1, 1), (40, 0, 8), 0.8)
    paint(c, txt, GOLD_LIGHT)
    return c


def band_edge():
    c = canvas(2, 5, GOLD, 1.0)
    c[..., :3] = vgrad(2, 5, [(0, GOLD_LIGHT), (0.4, GOLD), (1, GOLD_DARK)])
    return c


# ------------------------------------------------------------------ the sprite sheet
def build_el():
    el = canvas(SHEET_W, SHEET_H, MASK, 0.0)

    def at(name, pic):
        x, y, w, h = region(name)
        assert pic.shape[:2] == (h, w), (name, pic.shape, (w, h))
        put(el, pic, x, y)

    at("button", button())
    at("panel", panel())
    at("edit_field", edit_field())
    # tiles left to right; each later tile overwrites the shared column with the same outline colour
    for name, kind in (("tile_neutral", "neutral"), ("tile_blue", "blue"), ("tile_red", "red"), ("tile_yellow", "yellow")):
        at(name, tile(kind))
    for name, kind in (("swatch_blue", "blue"), ("swatch_red", "red"), ("swatch_yellow", "yellow")):
        at(name, tile(kind, 22))
    at("label", label())
    at("ball", ball("ball"))
    at("red_ball", ball("red"))
    at("yellow_ball", ball("yellow"))
    at("used_icon", icon("used"))
    at("todraw_icon", icon("todraw"))
    at("word_marker", word_marker())
    at("timer_empty", timer_empty())
    at("timer_fill", timer_fill())
    at("band_edge", band_edge())
    # The sixth try's arrow is arrow4 drawn beside the scrolled grid's last row; the region
    # after it is also drawn for that try, but below the arrow column where nothing restores
    # it, so it stays empty.
    for k, stake in enumerate((500, 400, 300, 200, 100)):
        at("arrow%d" % k, arrow(stake))
    at("opening", opening())
    at("banner", banner())
    at("logo_a", logo_a())
    at("logo_b", logo_b())
    at("shutdown", canvas(10, 10, FADE, 1.0))
    at("cap", cap())
    at("line_mark", line_mark())
    # the panel's timer bar area: the empty bar exactly as the game stretches it to 120x14 at (640, 524),
    # cut at (642, 523); its top and bottom rows lie outside the bar and stay see-through
    bar = stretch_nearest(timer_empty(), 120, 14)
    area = canvas(116, 16, MASK, 0.0)
    area[1:15, :, :] = bar[:, 2:118, :]
    at("timer_area", area)
    return el


def stretch_nearest(c, w, h):
    """Scale the way the game's unfiltered scaled drawing does: nearest source pixel."""
    sh, sw = c.shape[:2]
    xs = np.minimum((np.arange(w) + 0.5) * sw / w, sw - 1).astype(int)
    ys = np.minimum((np.arange(h) + 0.5) * sh / h, sh - 1).astype(int)
    return c[ys][:, xs]


def finish_sheet(el):
    """Quantise; fully see-through pixels take the mask colour, and no opaque pixel may carry it."""
    u = to_u8(el)
    clear = u[..., 3] == 0
    u[clear, :3] = MASK
    is_mask = (u[..., 0] == 200) & (u[..., 1] == 200) & (u[..., 2] == 200) & ~clear
    u[is_mask, 0] = 201
    u[clear, 3] = 0
    return u


# ------------------------------------------------------------------ the letter sheet
LETTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZĄĆĘŁŃÓŚŹŻ*"
BASE = {"Ą": "A", "Ć": "C", "Ę": "E", "Ł": "L", "Ń": "N", "Ó": "O", "Ś": "S", "Ź": "Z", "Ż": "Z"}
CELL_W, CELL_H = 52, 62
# glyphs go 5 px right of the tile's left edge and level with its top: centre them on the tile, not the cell
# (raised 2 px so the ogonek of Ą and Ę and the tail of Q stay inside the 62-pixel cell)
CENTRE_X, CENTRE_Y = 33 - 5, 31
CAP_H = 31.0
STROKE = 2.6


def glyph(ch):
    w, h = CELL_W, CELL_H
    c = canvas(w, h)
    if ch == "*":
        size = 64
        b = text_bbox("*", SANS, size)
        cx = CENTRE_X - (b[0] + b[2]) / 2
        base = CENTRE_Y - (b[1] + b[3]) / 2
        fill = text_cov(w, h, "*", SANS, size, cx, base, anchor="ls")
        out = text_cov(w, h, "*", SANS, size, cx, base, stroke=STROKE, anchor="ls")
        paint(c, blur(shift(out, 2, 2), 1), (0, 0, 0), 0.6)
        paint(c, out, OUTLINE)
        paint(c, fill, vgrad(w, h, [(0.3, GOLD_LIGHT), (0.7, GOLD)]))
        return c
    hb = text_bbox("H", SANS, 100)
    size = 100 * CAP_H / (hb[3] - hb[1])
    bb = text_bbox(BASE.get(ch, ch), SANS, size)
    ink = bb[2] - bb[0]
    limit = 2 * (min(CENTRE_X, w - CENTRE_X) - 2) - 2 * STROKE - 6  # room for the drop shadow
    sx = min(1.0, limit / ink)
    base_y = CENTRE_Y + CAP_H / 2
    x = (CENTRE_X - (bb[0] + bb[2]) / 2 * sx)
    fill = text_cov(w, h, ch, SANS, size, x, base_y, anchor="ls", sx=sx)
    out = text_cov(w, h, ch, SANS, size, x, base_y, stroke=STROKE, anchor="ls", sx=sx)
    paint(c, blur(shift(out, 2, 2), 1), (0, 0, 0), 0.65)
    paint(c, out, OUTLINE)
    paint(c, fill, vgrad(w, h, [(0.2, (255, 255, 255)), (0.75, (226, 232, 248)), (0.9, (190, 200, 228))]))
    return c


def build_literki():
    sheet = canvas(CELL_W * len(LETTERS), CELL_H)
    for k, ch in enumerate(LETTERS):
        put(sheet, glyph(ch), k * CELL_W, 0)
    return sheet


# ------------------------------------------------------------------ the game background
SECOND_BOX_SRC = (10, 574, 150, 22)   # the panel copies this patch of the background ...
SECOND_BOX_DST = (640, 574)           # ... to here, as the empty box of the other player's total


def frame(c, x0, y0, x1, y1, r=6, width=2):
    """Gold trim around the box x0,y0..x1,y1 (outside it), with a dark line inside the gold."""
    h, w = c.shape[:2]
    outer = rrect(w, h, x0 - width - 1, y0 - width - 1, x1 + width + 1, y1 + width + 1, r)
    paint(c, outer, vgrad(w, h, [(0, GOLD_LIGHT), (1, GOLD_DARK)]) if False else GOLD_DARK)
    paint(c, rrect(w, h, x0 - width, y0 - width, x1 + width, y1 + width, max(0, r - 1)), GOLD)
    paint(c, rrect(w, h, x0 - 1, y0 - 1, x1 + 1, y1 + 1, max(0, r - 2)), OUTLINE)


def build_gg1():
    W, H = 800, 600
    g = canvas(W, H, (0, 0, 0), 1.0)
    g[..., :3] = vgrad(W, H, [(0, (16, 32, 96)), (0.45, (9, 19, 62)), (1, (4, 8, 30))])
    # studio lights: soft pools of light on the set
    for cx, cy, r, a in ((200, 40, 420, 0.35), (650, 120, 360, 0.30), (400, 620, 500, 0.18)):
        glow = radial(W, H, cx, cy, r, [(0, (60, 110, 220)), (1, (0, 0, 0))])
        g[..., :3] = np.clip(g[..., :3] + glow * a, 0, 1)
    # faint diagonal light rays behind everything
    yy, xx = np.mgrid[0:H, 0:W]
    rays = (np.sin((xx * 0.8 + yy) / 38.0) > 0.86).astype(float)
    g[..., :3] += blur(rays, 3)[..., None] * np.array([0.03, 0.05, 0.10])

    # -- left block: entry row and guess grid on one recessed board
    frame(g, 22, 22, 380, 474, r=10)
    g[22:474, 22:380, :3] = vgrad(358, 452, [(0, (10, 20, 62)), (1, (6, 12, 40))])
    blank = tile("neutral")
    for k in range(5):
        put(g, blank, 30 + 69 * k, 31)           # the empty entry cells; the blank cell region matches exactly
    paint(g, rrect(W, H, 30, 105, 371, 107, 1), GOLD, 0.9)  # divider between entry row and grid
    slot = tile("neutral")
    slot[..., :3] = slot[..., :3] * 0.62 + col(FADE) * 0.38
    for r in range(5):
        for i in range(5):
            put(g, slot, 30 + 69 * i, 125 + 69 * r)
    # the last row and column of tiles reach one or two pixels past what the game restores:
    # paint that rim in the tiles' own outline colour so leftovers never show
    g[465:468, 28:374, :3] = col(OUTLINE)
    g[122:468, 371:374, :3] = col(OUTLINE)

    # -- message strip: a near-black display window; its lightest pixel bounds every message's contrast
    frame(g, 32, 494, 370, 556, r=6)
    g[494:556, 32:370, :3] = vgrad(338, 62, [(0, STRIP_TOP), (1, STRIP_BOT)])
    for name, colour in STRIP_TEXTS:
        assert contrast(colour, STRIP_BOT) >= 2.5 or colour == PULSE_DIMMEST, name

    # -- arrow / stakes column: flat fade navy so the final's blanking patches vanish into it
    frame(g, 386, 140, 455, 450, r=4, width=1)
    g[140:450, 386:455, :3] = col(FADE)
    for k in range(4):   # faint guides between the rows, clear of the final's blanking patches
        g[192 + 69 * k, 392:450, :3] = col((26, 40, 92))

    # -- title at the top right: a plaque lying inside the rectangle the final's banner reaches, so the
    # grown banner hides all of it, glow included, and none of it is ever left beside the banner
    x0, y0, x1, y1 = TITLE_PLAQUE
    plaque = rrect(W, H, x0, y0, x1, y1, 5)
    paint(g, plaque, GOLD_DARK)
    paint(g, rrect(W, H, x0 + 1, y0 + 1, x1 - 1, y1 - 1, 4), vgrad(W, H, [(y0 / H, GOLD_LIGHT), (y1 / H, GOLD)]))
    paint(g, rrect(W, H, x0 + 3, y0 + 3, x1 - 3, y1 - 3, 3), OUTLINE)
    inside = rrect(W, H, x0 + 4, y0 + 4, x1 - 4, y1 - 4, 2)
    paint(g, inside, vgrad(W, H, [(y0 / H, (26, 48, 130)), ((y0 + y1) / 2 / H, (10, 20, 70)), (y1 / H, (18, 34, 100))]))
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2 + 1
    name = text_cov(W, H, "BROLIK", SERIF, 33, cx, cy)
    paint(g, blur(name, 3) * inside, (255, 190, 60), 0.5)
    paint(g, shift(name, 2, 2) * inside, (0, 0, 0), 0.8)
    paint(g, name, vgrad(W, H, [((cy - 10) / H, GOLD_LIGHT), (cy / H, GOLD), ((cy + 11) / H, (196, 130, 20))]))
    for x in (x0 + 40, x1 - 40):
        star_on(g, x, cy - 1, 9, 3.8, GOLD)

    # -- icon strip above the board
    frame(g, 625, 138, 767, 161, r=4, width=1)
    g[138:161, 625:767, :3] = col((6, 10, 32))
    for k in range(6):
        paint(g, ellipse(W, H, 627 + 24 * k + 9, 141 + 9, 8.5), (14, 22, 52))
    paint(g, text_cov(W, H, "KULE", SANS, 14, 600, 150), GOLD)

    # -- board area: 5x5 number slots
    frame(g, 528, 174, 767, 413, r=8)
    g[174:413, 528:767, :3] = vgrad(239, 239, [(0, (16, 32, 92)), (1, (8, 16, 54))])
    for r in range(5):
        for cc in range(5):
            cx, cy = 552.5 + 48 * cc, 198.5 + 48 * r
            paint(g, ellipse(W, H, cx, cy, 20), (28, 50, 120))
            paint(g, ellipse(W, H, cx, cy + 0.7, 18.6), (5, 10, 34))
            paint(g, ellipse(W, H, cx, cy + 1.0, 17.6), radial(W, H, cx, cy + 6, 22, [(0, (18, 34, 90)), (1, (8, 16, 50))]))

    # -- word markers row below the board: ten sockets
    for n in range(10):
        cx, cy = 530 + 24 * n + 9.5, 426 + 9.5
        paint(g, ellipse(W, H, cx, cy, 9.5), (40, 58, 110))
        paint(g, ellipse(W, H, cx, cy + 0.5, 8.3), (5, 9, 30))

    # -- the panel: name strip, timer, totals
    frame(g, 535, 490, 761, 516, r=6)
    g[490:516, 535:761, :3] = vgrad(226, 26, [(0, (4, 8, 28)), (1, (14, 26, 70))])
    paint(g, text_cov(W, H, "GRACZ", SANS, 13, 532, 476, anchor="lm"), GOLD)
    frame(g, 640, 524, 760, 538, r=3, width=1)
    put(g, stretch_nearest(timer_empty(), 120, 14), 640, 524)
    paint(g, text_cov(W, H, "CZAS", SANS, 14, 628, 531, anchor="rm"), GOLD)
    frame(g, 640, 545, 760, 567, r=4)
    g[545:567, 640:760, :3] = vgrad(120, 22, [(0, (3, 6, 20)), (1, (12, 22, 60))])
    paint(g, text_cov(W, H, "KONTO", SANS, 14, 628, 556, anchor="rm"), GOLD)
    # bottom rail: one recessed channel across the screen; the other player's total sits in it at the right,
    # and the panel restores that box from the identical piece of rail at the left
    g[570:600, :, :3] = col((4, 8, 26))
    g[571, :, :3] = col(GOLD_DARK)
    g[572, :, :3] = col(GOLD)
    g[573, :, :3] = col(OUTLINE)
    g[574:596, :, :3] = vgrad(W, 22, [(0, (3, 6, 20)), (1, (12, 22, 60))])
    g[596, :, :3] = col(OUTLINE)
    g[597, :, :3] = col(GOLD)
    g[598:600, :, :3] = col(GOLD_DARK)
    for x in (637, 638, 791, 792):
        g[574:596, x, :3] = col(GOLD if x in (638, 791) else GOLD_DARK)
    sx, sy, sw, sh = SECOND_BOX_SRC
    dx, dy = SECOND_BOX_DST
    g[sy:sy + sh, sx:sx + sw] = g[dy:dy + sh, dx:dx + sw]
    g[..., 3] = 1.0
    return g
