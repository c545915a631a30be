"""The game's ten sounds, synthesised from oscillators and noise and encoded to Ogg Vorbis with oggenc."""
import os
import subprocess
import tempfile
import wave

import numpy as np

RATE = 44100
PEAK_DB = -3.0       # every sound peaks here, leaving room for the encoder's overshoot
LOUD_DB = -15.0      # loudness target: RMS over the sounding part (above -40 dB of the peak)
FADE_S, TAIL_S = 0.030, 0.020

rng = np.random.default_rng(1995)


def t_of(dur):
    return np.arange(int(dur * RATE)) / RATE


def env(n, a=0.005, d=0.0, s=1.0, r=0.05, total=None):
    """Attack / decay / sustain / release envelope over n samples."""
    out = np.ones(n) * s
    na, nd, nr = int(a * RATE), int(d * RATE), int(r * RATE)
    if na:
        out[:na] = np.linspace(0, 1, na)
    if nd:
        out[na:na + nd] = np.linspace(1, s, min(nd, max(0, n - na)))[:len(out[na:na + nd])]
    if nr:
        nr = min(nr, n)
        out[n - nr:] *= np.linspace(1, 0, nr)
    return out


def expdecay(n, tau):
    return np.exp(-np.arange(n) / (tau * RATE))


def saw(f, t, partials=12):
    out = np.zeros_like(t)
    for k in range(1, partials + 1):
        if f * k > RATE / 2.2:
            break
        out += np.sin(2 * np.pi * f * k * t) / k
    return out * 0.6


def square(f, t, partials=15):
    out = np.zeros_like(t)
    for k in range(1, 2 * partials, 2):
        if f * k > RATE / 2.2:
            break
        out += np.sin(2 * np.pi * f * k * t) / k
    return out * 0.8


def bell(f, dur, tau=0.35, bright=1.0):
    t = t_of(dur)
    out = np.zeros_like(t)
    for ratio, amp, tk in ((1, 1, 1), (2.0, 0.5 * bright, 0.6), (2.76, 0.35 * bright, 0.45), (5.4, 0.2 * bright, 0.25)):
        out += amp * np.sin(2 * np.pi * f * ratio * t) * expdecay(len(t), tau * tk)
    return out * env(len(t), a=0.002, r=0.02)


def brass(f, dur, vib=5.0):
    t = t_of(dur)
    fm = f * (1 + 0.004 * np.sin(2 * np.pi * vib * t) * np.clip(t / 0.15, 0, 1))
    ph = 2 * np.pi * np.cumsum(fm) / RATE
    out = np.zeros_like(t)
    for k in range(1, 10):
        out += np.sin(k * ph) / (k ** 1.2)
    # brightness swells in as the note speaks
    return out * env(len(t), a=0.03, d=0.1, s=0.8, r=0.08)


def lowpass(x, cutoff):
    """One-pole low-pass; cutoff may be a per-sample array."""
    a = np.exp(-2 * np.pi * np.broadcast_to(cutoff, x.shape) / RATE)
    y = np.zeros_like(x)
    acc = 0.0
    for i in range(len(x)):
        acc = (1 - a[i]) * x[i] + a[i] * acc
        y[i] = acc
    return y


def place(buf, x, at):
    i = int(at * RATE)
    n = min(len(x), len(buf) - i)
    buf[i:i + n] += x[:n]
    return buf


def note(name):
    names = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    base = names[name[0]]
    octave = int(name[-1])
    acc = 1 if "#" in name else (-1 if "b" in name[1:] else 0)
    return 440.0 * 2 ** ((base + acc + 12 * (octave - 4)) / 12)


# ------------------------------------------------------------------ the ten sounds
def s0_bingo():
    """Bingo fanfare: a rising brass triad into a held major chord with a cymbal swell."""
    buf = np.zeros(int(1.7 * RATE))
    for i, n in enumerate(("G4", "C5", "E5")):
        place(buf, brass(note(n), 0.16), 0.13 * i)
    for n, amp in (("C5", 1.0), ("E5", 0.8), ("G5", 0.7), ("C4", 0.6)):
        place(buf, amp * brass(note(n), 1.25), 0.42)
    noise = rng.standard_normal(len(buf))
    hiss = noise - lowpass(noise, 6000)
    cym = np.zeros(len(buf))
    cym[int(0.42 * RATE):] = expdecay(len(buf) - int(0.42 * RATE), 0.5)
    return buf + 0.25 * hiss * cym


def s1_ping():
    """Tile and board ping: a short bright bell (played from 0.6 to 1.0 speed, so it stays short)."""
    return bell(1568.0, 0.45, tau=0.22)


def s2_buzzer():
    """Time-out buzzer: two detuned square waves, harsh and unmistakable."""
    t = t_of(0.85)
    x = square(110, t) + square(116.5, t) + 0.4 * square(220, t)
    return lowpass(x, 3500) * env(len(t), a=0.01, r=0.06)


def s3_chime():
    """Start chime: a ding-dong of two bells a major third apart."""
    buf = np.zeros(int(1.1 * RATE))
    place(buf, bell(note("E6"), 0.9, tau=0.5), 0.0)
    place(buf, bell(note("C6"), 0.8, tau=0.5), 0.28)
    return buf


def s4_roll():
    """Ball roll: a rumble whose loudness wobbles as the ball tumbles, ending in a wooden clack."""
    dur = 0.42
    t = t_of(dur)
    noise = rng.standard_normal(len(t))
    rumble = lowpass(lowpass(noise, 600), 900)
    wobble = 0.55 + 0.45 * np.sin(2 * np.pi * (14 + 10 * t) * t) ** 2
    body = rumble * wobble * env(len(t), a=0.03, r=0.08)
    clack = bell(900, 0.08, tau=0.02, bright=0.4) + 0.5 * lowpass(rng.standard_normal(int(0.08 * RATE)), 2500) * expdecay(int(0.08 * RATE), 0.01)
    buf = np.zeros(int(0.48 * RATE))
    place(buf, body * 2.5, 0)
    place(buf, clack * 0.8, 0.36)
    return buf


def s5_bad_luck():
    """Bad luck: the sad trombone, three falling notes and a long wobbling fourth."""
    buf = np.zeros(int(1.8 * RATE))
    for i, n in enumerate(("D4", "C#4", "C4")):
        place(buf, brass(note(n), 0.34, vib=0), 0.36 * i)
    t = t_of(0.75)
    f = note("B3") * (1 - 0.03 * t) * (1 + 0.02 * np.sin(2 * np.pi * 6 * t))
    ph = 2 * np.pi * np.cumsum(f) / RATE
    x = sum(np.sin(k * ph) / k ** 1.2 for k in range(1, 10)) * env(len(t), a=0.03, r=0.25)
    place(buf, x, 1.06)
    return lowpass(buf, 2200)


def s6_final():
    """Final sting: a timpani roll under a minor brass chord that resolves to major."""
    buf = np.zeros(int(2.3 * RATE))
    for i in range(14):
        t = t_of(0.35)
        hit = np.sin(2 * np.pi * 73.4 * t * (1 + 0.05 * np.exp(-t * 30))) * expdecay(len(t), 0.2)
        place(buf, hit * (0.3 + 0.7 * i / 13), 0.05 * i)
    for n in ("D4", "F4", "A4", "D5"):
        place(buf, 0.7 * brass(note(n), 0.6), 0.7)
    for n in ("D4", "F#4", "A4", "D5", "D3"):
        place(buf, 0.8 * brass(note(n), 1.0), 1.3)
    t = t_of(0.9)
    boom = np.sin(2 * np.pi * 55 * t) * expdecay(len(t), 0.35)
    place(buf, 1.5 * boom, 1.3)
    return buf


def s7_swoosh():
    """Intro swoosh: noise through a sweeping filter, rising then falling away."""
    dur = 0.9
    t = t_of(dur)
    noise = rng.standard_normal(len(t))
    sweep = 300 + 5000 * np.sin(np.pi * t / dur) ** 2
    x = lowpass(noise, sweep) - 0.5 * lowpass(noise, sweep * 0.3)
    return x * np.sin(np.pi * t / dur) ** 1.5


def s8_congrats():
    """Congratulations jingle: a bright major arpeggio with a sparkle on top."""
    buf = np.zeros(int(1.6 * RATE))
    seq = (("C5", 0.0), ("E5", 0.12), ("G5", 0.24), ("C6", 0.36), ("G5", 0.52), ("C6", 0.64))
    for n, at in seq:
        place(buf, bell(note(n), 0.6, tau=0.35), at)
        place(buf, 0.35 * brass(note(n), 0.14), at)
    for n in ("C5", "E5", "G5"):
        place(buf, 0.35 * brass(note(n), 0.8), 0.78)
    place(buf, 0.5 * bell(note("E7"), 0.7, tau=0.3), 0.82)
    return buf


def s9_click():
    """Key click: a very short tick with a little body."""
    n = int(0.035 * RATE)
    t = np.arange(n) / RATE
    x = np.sin(2 * np.pi * 2100 * t) * expdecay(n, 0.004) + 0.6 * lowpass(rng.standard_normal(n), 4000) * expdecay(n, 0.003)
    x += 0.5 * np.sin(2 * np.pi * 380 * t) * expdecay(n, 0.008)
    return x


SOUNDS = [s0_bingo, s1_ping, s2_buzzer, s3_chime, s4_roll, s5_bad_luck, s6_final, s7_swoosh, s8_congrats, s9_click]


def level(x):
    """Scale to the loudness target over the sounding part, then pull down if the peak would exceed PEAK_DB."""
    x = x - np.mean(x)
    pk = np.max(np.abs(x))
    x = x / pk
    loud = np.abs(x) > 10 ** (-40 / 20)
    rms = np.sqrt(np.mean(x[loud] ** 2))
    g = 10 ** (LOUD_DB / 20) / rms
    g = min(g, 10 ** (PEAK_DB / 20))
    x = x * g
    return fade_out(x)


def fade_out(x):
    """End in silence: a raised-cosine fade over the last 30 ms (a third of a very short sound), then
    20 ms of nothing, so no sound stops with a step the speaker can click on."""
    fade = max(1, min(int(FADE_S * RATE), len(x) // 3))
    x = x.copy()
    x[-fade:] *= 0.5 + 0.5 * np.cos(np.linspace(0, np.pi, fade))
    return np.concatenate([x, np.zeros(int(TAIL_S * RATE))])


def write_wav(path, x):
    pcm = np.clip(np.round(x * 32767), -32768, 32767).astype("<i2")
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(pcm.tobytes())


def build(outdir):
    with tempfile.TemporaryDirectory() as tmp:
        for i, fn in enumerate(SOUNDS):
            x = level(fn())
            wav = os.path.join(tmp, "s%d.wav" % i)
            write_wav(wav, x)
            subprocess.run(["oggenc", "-Q", "-q", "5", "--serial", str(1000 + i), "-o",
                            os.path.join(outdir, "s%d.ogg" % i), wav], check=True)
