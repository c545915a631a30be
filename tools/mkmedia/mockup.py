"""Composes sample screens from the generated media the way the game draws them, for looking at the art."""
import os

import numpy as np
from PIL import Image, ImageDraw, ImageFont


def load(media):
    el = Image.open(os.path.join(media, "el.png")).convert("RGBA")
    a = np.array(el)
    m = (a[..., 0] == 200) & (a[..., 1] == 200) & (a[..., 2] == 200)
    a[m, 3] = 0                      # what the game's mask conversion does at load
    el = Image.fromarray(a)
    lit = Image.open(os.path.join(media, "literki.png")).convert("RGBA")
    gg = Image.open(os.path.join(media, "gg1.png")).convert("RGBA")
    sans = os.path.join(media, "arialbd.ttf")
    serif = os.path.join(media, "georgiab.ttf")
    return el, lit, gg, sans, serif


def region(img, x, y, w, h):
    return img.crop((x, y, x + w, y + h))


def draw(scr, img, x, y):
    scr.alpha_composite(img, (x, y))


def scaled(scr, img, x, y, w, h):
    if w > 0 and h > 0:
        scr.alpha_composite(img.resize((w, h), Image.NEAREST), (x, y))


def text(scr, s, path, size, colour, x, y, align="left"):
    d = ImageDraw.Draw(scr)
    f = ImageFont.truetype(path, size)
    anchor = {"left": "la", "centre": "ma", "right": "ra"}[align]
    d.text((x, y), s, font=f, fill=colour + (255,), anchor=anchor)


GLYPH = "abcdefghijklmnopqrstuvwxyz"


def gi(ch):
    if ch in GLYPH:
        return GLYPH.index(ch)
    if ch == "[":
        return 35
    return 26 + "ACELNOSXZ".index(ch)


def glyph(scr, lit, ch, x, y):
    k = gi(ch)
    draw(scr, region(lit, 52 * k, 0, 52, 62), x, y)


def game_screen(media):
    el, lit, gg, sans, serif = load(media)
    scr = gg.copy()
    # password "kotek"; three tries played, fourth being typed
    guesses = [("lOdka", [1, 3, 1, 2, 1]), ("torba", [3, 2, 1, 1, 1]), ("tOtem", [1, 1, 2, 2, 1])]
    for r, (w, tiles) in enumerate(guesses):
        for i, ch in enumerate(w):
            draw(scr, region(el, 65 * tiles[i], 166, 66, 66), 30 + 69 * i, 125 + 69 * r)
            glyph(scr, lit, ch, 35 + 69 * i, 125 + 69 * r)
    for i, ch in enumerate("kote["):
        glyph(scr, lit, ch, 35 + 69 * i, 125 + 69 * 3)
    for k, ch in enumerate("kot"):
        glyph(scr, lit, ch, 35 + 69 * k, 30)
    draw(scr, region(el, 60 * 3, 260, 58, 21), 392, 146 + 69 * 3)
    text(scr, "Wpisz Hasło", sans, 28, (0, 120, 0), 200, 510, "centre")
    # timer
    scaled(scr, region(el, 60, 235, 100, 14), 640, 524, 120, 14)
    scaled(scr, region(el, 190, 235, 2, 10), 640, 524, 47, 13)
    # board with numbers and caps
    rng = np.random.default_rng(7)
    nums = rng.choice(np.arange(1, 51), 25, replace=False)
    struck = set(rng.choice(25, 8, replace=False).tolist()) | {12}
    for i, n in enumerate(nums):
        r, c = divmod(i, 5)
        text(scr, "%d" % n, sans, 24, (155, 155, 155), 550 + 48 * c, 184 + 48 * r, "centre")
    for i in sorted(struck):
        r, c = divmod(i, 5)
        draw(scr, region(el, 410, 0, 33, 33), 536 + 48 * c, 182 + 48 * r)
    for i in (2,):
        r, c = divmod(i, 5)
        draw(scr, region(el, 450, 0, 33, 33), 536 + 48 * c, 182 + 48 * r)
    for n in range(4):
        draw(scr, region(el, 40, 235, 19, 19), 530 + 24 * n, 426)
    draw(scr, region(el, 0, 235, 18, 18), 651, 141)
    draw(scr, region(el, 18, 235, 18, 18), 627, 141)
    # panel
    text(scr, "Basia", serif, 24, (188, 188, 88), 650, 487, "centre")
    text(scr, "%d" % 1700, sans, 24, (200, 144, 44), 695, 542, "centre")
    draw(scr, region(gg, 10, 574, 150, 22), 640, 574)
    text(scr, "%d" % 900, sans, 20, (130, 120, 110), 695, 572, "centre")
    return scr


def draw_screen(media):
    """The same game a moment later: a ball being drawn, with the line just completed."""
    el, lit, gg, sans, serif = load(media)
    scr = game_screen(media)
    draw(scr, region(gg, 32, 494, 338, 62), 32, 494)
    text(scr, "Losowanie kul", sans, 28, (0, 130, 0), 60, 510)
    scaled(scr, region(el, 270, 200, 45, 45), 290, 500, 50, 50)
    text(scr, "37", sans, 28, (200, 200, 180), 315, 508, "centre")
    return scr


def extras(media):
    """Menu, reveal line, end-of-game frame and the final's opening, side by side at half size."""
    el, lit, gg, sans, serif = load(media)
    menu = Image.new("RGBA", (800, 600), (0, 0, 0, 255))
    a = region(el, 218, 0, 91, 121)
    b = region(el, 310, 0, 90, 96)
    scaled(menu, a, 151, 130, 149, 149)
    scaled(menu, b, 351, 100, 99, 99)
    scaled(menu, region(el, 330, 81, 2, 5), 300, 210, 200, 5)
    scaled(menu, a, 500, 130, 149, 149)
    text(menu, " - M E N U -", sans, 24, (22, 122, 22), 400, 230, "centre")
    labels = ["1 GRACZ", "2  GRACZY", "ZASADY GRY", "INFO", "WYJSCIE"]
    for k in range(1, 6):
        draw(menu, region(el, 0, 0, 200, 41), 300, 230 + 50 * k)
        colr = (222, 99, 9) if k == 5 else (105, 160, 105)
        text(menu, labels[k - 1], sans, 20, colr, 400, 240 + 50 * k, "centre")
    # hover glow on item 2: add the band's own colour scaled by (50, 250, 250)/255
    arr = np.array(menu).astype(float)
    y0 = 50 * 2 + 239
    band = arr[y0:y0 + 24, 310:494, :3]
    arr[y0:y0 + 24, 310:494, :3] = np.clip(band + band * np.array([50, 250, 250]) / 255, 0, 255)
    menu = Image.fromarray(arr.astype(np.uint8))

    end = game_screen(media)
    draw(end, region(gg, 32, 494, 338, 62), 32, 494)
    for i, ch in enumerate("kotek"):
        glyph(end, lit, ch, 35 + 69 * i, 494)
    i = 299
    scaled(end, region(el, 10, 130, 5, 5), 395 - i, 295 - i // 4, 2 * i + 10, 2 * (i // 4) + 10)
    scaled(end, region(el, 140, 170, 9, 9), 400 - i, 300 - i // 4, 2 * i, 2 * (i // 4))
    scaled(end, region(el, 10, 130, 5, 5), 405 - i, 305 - i // 4, 2 * i - 10, 2 * (i // 4) - 10)
    text(end, "Koniec gry", sans, 40, (0, 110, 210), 400, 235, "centre")
    text(end, "Twoja wygrana to: %d zł" % 5700, sans, 40, (66, 188, 66), 400, 280, "centre")
    text(end, " Enter to MENU ", sans, 24, (133, 133, 133), 400, 335, "centre")

    fin = gg.copy()
    i = 55
    scaled(fin, region(el, 460, 10, 5, 5), 0, 290 - i, 800, 2 * i)
    scaled(fin, region(el, 220, 252, 2, 5), 0, 290 - i, 800, i // 4)
    scaled(fin, region(el, 220, 252, 2, 5).transpose(Image.FLIP_TOP_BOTTOM), 0, 290 + i, 800, i // 4)
    draw(fin, region(el, 80, 285, 360, 90), 200, 245)
    draw(fin, region(el, 270, 170, 119, 24), 648, 425)
    i = 39
    scaled(fin, region(el, 40, 380, 400, 40), 525 - 3 * i, 65 - i // 2, 6 * i + 125, i)
    for k in range(5):
        scaled(fin, region(el, 220, 0, 2, 2), 389, 144 + 69 * k, 65, 25)
    text(fin, "500", sans, 24, (55, 155, 55), 450, 143, "right")

    rules = menu.copy()
    scaled(rules, region(el, 0, 45, 130, 70), 0, 5, 800, 590)
    text(rules, "Zasady gry w  Brolik", serif, 46, (0, 22, 22), 402, 6, "centre")
    text(rules, "Zasady gry w  Brolik", serif, 46, (55, 155, 155), 400, 4, "centre")
    lines = ["Zasady gry częściowo jak w teleturnieju TV z 1995 roku.",
             "Gra polega na odgadywaniu 5-literowych słów / haseł.",
             "Czas na wpisanie słowa to 20 sekund - powinno starczyć",
             "Znana jest pierwsza litera potem 5 prób na odpowiedż.",
             "Tła liter w odgadywanym słowie mają w podpowiedzi różne kolory:",
             "        niebieskie - litera niewłaściwa,",
             "        czerwone  - litera właściwa i na dobrym miejscu,",
             "        żółte          - litera właściwa lecz w złym miejscu."]
    for n, s in enumerate(lines):
        text(rules, s, sans, 20, (99, 155, 155), 80, 98 + 23 * n)
    for m in range(3):
        draw(rules, region(el, 396 + 23 * m, 170, 22, 22), 100, 213 + 23 * m)
    name = menu.copy()
    for k in range(20):
        pass
    scaled(name, region(el, 220, 0, 5, 5), 0, 0, 800, 600)
    scaled(name, region(el, 0, 45, 130, 70), 250, 285, 300, 130)
    text(name, "Wpisz imię gracza  1", sans, 20, (50, 158, 50), 400, 315, "centre")
    draw(name, region(el, 0, 126, 240, 34), 280, 349)
    text(name, "Basia", serif, 24, (140, 160, 10), 400, 351, "centre")

    sheet = Image.new("RGBA", (1200, 900), (40, 40, 40, 255))
    for k, im in enumerate((menu, end, fin, rules, name, draw_screen(media))):
        sheet.paste(im.resize((400, 300), Image.LANCZOS), ((k % 3) * 400, (k // 3) * 300))
    return sheet


def compose(media, out):
    game_screen(media).convert("RGB").save(out)
    base, ext = os.path.splitext(out)
    draw_screen(media).convert("RGB").save(base + "-draw" + ext)
    extras(media).convert("RGB").save(base + "-extras" + ext)
