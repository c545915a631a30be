"""Drawing primitives for the media generator: float RGBA canvases, antialiased shapes, gradients and text."""
import numpy as np
from PIL import Image, ImageDraw, ImageFont

SS = 4  # supersampling factor for shape coverage; 4x4 samples per pixel gives smooth edges


def canvas(w, h, rgb=(0, 0, 0), a=0.0):
    c = np.zeros((h, w, 4), np.float64)
    c[..., :3] = np.array(rgb, float) / 255.0
    c[..., 3] = a
    return c


def col(rgb):
    return np.array(rgb, float) / 255.0


def _coverage(w, h, draw_fn):
    """Render a white-on-black shape at SS scale and box-filter it down to a 0..1 coverage map."""
    im = Image.new("L", (w * SS, h * SS), 0)
    draw_fn(ImageDraw.Draw(im), SS)
    im = im.resize((w, h), Image.BOX)
    return np.asarray(im, np.float64) / 255.0


def rrect(w, h, x0, y0, x1, y1, r=0):
    """Coverage of a rounded rectangle with corners at pixel edges x0,y0 (inclusive) .. x1,y1 (exclusive)."""
    def f(d, s):
        box = [x0 * s, y0 * s, x1 * s - 1, y1 * s - 1]
        if r > 0:
            d.rounded_rectangle(box, radius=r * s, fill=255)
        else:
            d.rectangle(box, fill=255)
    return _coverage(w, h, f)


def ellipse(w, h, cx, cy, rx, ry=None):
    ry = rx if ry is None else ry

    def f(d, s):
        d.ellipse([(cx - rx) * s, (cy - ry) * s, (cx + rx) * s - 1, (cy + ry) * s - 1], fill=255)
    return _coverage(w, h, f)


def polygon(w, h, pts):
    def f(d, s):
        d.polygon([(x * s, y * s) for x, y in pts], fill=255)
    return _coverage(w, h, f)


def star_pts(cx, cy, r_out, r_in, n=5, rot=-90.0):
    pts = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = np.radians(rot + i * 180.0 / n)
        pts.append((cx + r * np.cos(a), cy + r * np.sin(a)))
    return pts


def font(path, size):
    return ImageFont.truetype(path, int(round(size)))


def text_cov(w, h, text, path, size, cx, cy, stroke=0, anchor="mm", sx=1.0):
    """Coverage of text anchored at (cx, cy); sx < 1 squeezes it horizontally about the canvas origin."""
    W = int(np.ceil(w * SS / sx))
    im = Image.new("L", (W, h * SS), 0)
    d = ImageDraw.Draw(im)
    f = ImageFont.truetype(path, int(round(size * SS)))
    d.text((cx * SS / sx, cy * SS), text, font=f, fill=255, anchor=anchor,
           stroke_width=int(round(stroke * SS)), stroke_fill=255)
    im = im.resize((w * SS, h * SS), Image.BOX).resize((w, h), Image.BOX)
    return np.asarray(im, np.float64) / 255.0


def text_bbox(text, path, size, stroke=0):
    f = ImageFont.truetype(path, int(round(size * SS)))
    b = f.getbbox(text, anchor="ls", stroke_width=int(round(stroke * SS)))
    return tuple(v / SS for v in b)


def vgrad(w, h, stops):
    """Vertical gradient; stops are (t, rgb) with t in 0..1 from top to bottom."""
    t = (np.arange(h) + 0.5) / h
    ts = [s[0] for s in stops]
    out = np.zeros((h, w, 3))
    for ch in range(3):
        out[..., ch] = np.interp(t, ts, [s[1][ch] / 255.0 for s in stops])[:, None]
    return out


def hgrad(w, h, stops):
    t = (np.arange(w) + 0.5) / w
    ts = [s[0] for s in stops]
    out = np.zeros((h, w, 3))
    for ch in range(3):
        out[..., ch] = np.interp(t, ts, [s[1][ch] / 255.0 for s in stops])[None, :]
    return out


def radial(w, h, cx, cy, r, stops):
    yy, xx = np.mgrid[0:h, 0:w] + 0.5
    t = np.clip(np.hypot(xx - cx, yy - cy) / r, 0, 1)
    ts = [s[0] for s in stops]
    out = np.zeros((h, w, 3))
    for ch in range(3):
        out[..., ch] = np.interp(t, ts, [s[1][ch] / 255.0 for s in stops])
    return out


def paint(dst, cov, color, alpha=1.0):
    """Composite a colour (rgb triple or h*w*3 field) through a coverage map onto dst (straight alpha)."""
    h, w = cov.shape
    c = col(color) if isinstance(color, (tuple, list)) else color
    sa = np.clip(cov * alpha, 0, 1)[..., None]
    da = dst[..., 3:4]
    oa = sa + da * (1 - sa)
    src = np.broadcast_to(c, (h, w, 3))
    rgb = (src * sa + dst[..., :3] * da * (1 - sa)) / np.maximum(oa, 1e-9)
    dst[..., :3] = np.where(oa > 0, rgb, dst[..., :3])
    dst[..., 3:4] = oa
    return dst


def blit(dst, src, x, y):
    """Composite src over dst with its top-left at (x, y)."""
    h, w = src.shape[:2]
    sub = dst[y:y + h, x:x + w]
    sa = src[..., 3:4]
    da = sub[..., 3:4]
    oa = sa + da * (1 - sa)
    rgb = (src[..., :3] * sa + sub[..., :3] * da * (1 - sa)) / np.maximum(oa, 1e-9)
    sub[..., :3] = np.where(oa > 0, rgb, sub[..., :3])
    sub[..., 3:4] = oa
    return dst


def put(dst, src, x, y):
    """Copy src into dst at (x, y), replacing pixels (no blending)."""
    h, w = src.shape[:2]
    dst[y:y + h, x:x + w] = src
    return dst


def blur(a, r):
    """Cheap separable box blur (three passes approximate a gaussian) of a 2-D map."""
    if r <= 0:
        return a
    out = a.copy()
    for _ in range(3):
        for axis in (0, 1):
            pad = [(0, 0), (0, 0)]
            pad[axis] = (r, r)
            p = np.pad(out, pad, mode="edge")
            cs = np.cumsum(p, axis=axis)
            cs = np.concatenate([np.zeros_like(np.take(cs, [0], axis=axis)), cs], axis=axis)
            n = out.shape[axis]
            out = (np.take(cs, range(2 * r + 1, 2 * r + 1 + n), axis=axis) - np.take(cs, range(0, n), axis=axis)) / (2 * r + 1)
    return out


def shift(a, dx, dy):
    out = np.zeros_like(a)
    h, w = a.shape[:2]
    xs0, xs1 = max(0, -dx), min(w, w - dx)
    ys0, ys1 = max(0, -dy), min(h, h - dy)
    out[ys0 + dy:ys1 + dy, xs0 + dx:xs1 + dx] = a[ys0:ys1, xs0:xs1]
    return out


def resize(c, w, h, method=Image.LANCZOS):
    """Resample a float RGBA canvas (premultiplied during the filter so edges do not pick up hidden colour)."""
    pm = c.copy()
    pm[..., :3] *= pm[..., 3:4]
    chans = []
    for i in range(4):
        im = Image.fromarray(pm[..., i].astype(np.float32), "F").resize((w, h), method)
        chans.append(np.asarray(im, np.float64))
    out = np.clip(np.stack(chans, -1), 0, 1)
    a = out[..., 3:4]
    out[..., :3] = np.where(a > 1e-6, out[..., :3] / np.maximum(a, 1e-6), 0)
    return np.clip(out, 0, 1)


def to_u8(c):
    return np.clip(np.round(c * 255.0), 0, 255).astype(np.uint8)
