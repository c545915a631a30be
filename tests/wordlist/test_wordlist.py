#!/usr/bin/python3
"""Checks media/data_lista.txt and media/data_zgadywane.txt: format, size, blocklists, that no
password is also an accepted guess, and that hunspell-pl knows every word.

Run from the repository root: /usr/bin/python3 tests/wordlist/test_wordlist.py
Needs the Debian packages hunspell and hunspell-pl.
"""

import os
import re
import subprocess
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
LIST = os.path.join(ROOT, "media", "data_lista.txt")
GUESSES = os.path.join(ROOT, "media", "data_zgadywane.txt")
TOOLS = os.path.join(ROOT, "tools", "wordlist")

# The game's internal letters: Latin small letters as they are, and the nine
# Polish letters as capitals. X is ź and Z is ż; small x and z are Latin.
FROM_INTERNAL = str.maketrans("ACELNOSXZ", "ąćęłńóśźż")
TO_INTERNAL = str.maketrans("ąćęłńóśźż", "ACELNOSXZ")
ENTRY = re.compile(rb"^[a-zACELNOSXZ]{5}$")

passed = failed = 0


def check(name, problems):
    global passed, failed
    if problems:
        failed += 1
        shown = ", ".join(str(p) for p in problems[:20])
        more = " (and %d more)" % (len(problems) - 20) if len(problems) > 20 else ""
        print("FAIL %s: %s%s" % (name, shown, more))
    else:
        passed += 1
        print("ok   %s" % name)


def read_listed(path):
    words = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            words.extend(line.split("#", 1)[0].split())
    return words


def hunspell_unknown(words):
    """The words hunspell's pl_PL dictionary rejects; words go in as UTF-8."""
    r = subprocess.run(["hunspell", "-d", "pl_PL", "-i", "utf-8", "-l"],
                       input="\n".join(words) + "\n", capture_output=True, text=True, encoding="utf-8")
    if r.returncode != 0:
        raise RuntimeError("hunspell failed: %s" % r.stderr.strip())
    return [w for w in r.stdout.split("\n") if w]


def main():
    with open(LIST, "rb") as f:
        raw = f.read()
    lines = raw.split(b"\n")

    # The loader stops at the first "ZZZ"; anything after it is dead weight,
    # and a missing one would make it read past the list.
    check("file ends with the terminator line ZZZ and a line feed", [] if raw.endswith(b"\nZZZ\n") else ["tail %r" % raw[-12:]])
    check("terminator appears exactly once", [] if lines.count(b"ZZZ") == 1 else ["%d times" % lines.count(b"ZZZ")])
    entries = lines[: lines.index(b"ZZZ")] if b"ZZZ" in lines else lines
    check("LF line ends only (no CR)", ["line %d" % (i + 1) for i, l in enumerate(entries) if b"\r" in l])
    bad = ["line %d %r" % (i + 1, l) for i, l in enumerate(entries) if not ENTRY.match(l)]
    check("every entry is five bytes of the internal form", bad)
    words = [l.decode("ascii", "replace") for l in entries]
    seen, dups = set(), []
    for w in words:
        if w in seen:
            dups.append(w)
        seen.add(w)
    check("no duplicates", dups)
    # The floor is what the two readings of the dictionaries found; a rebuild
    # that loses words falls below it.
    check("1600 to 1999 words (the terminator needs the 2000th slot)",
          [] if 1600 <= len(words) <= 1999 else ["%d words" % len(words)])

    # Every decision to keep a word out must hold in the shipped file.
    blocked = {w.translate(TO_INTERNAL): "blocklist.txt" for w in read_listed(os.path.join(TOOLS, "blocklist.txt"))}
    blocked.update({w.translate(TO_INTERNAL): "exclude.txt" for w in read_listed(os.path.join(TOOLS, "exclude.txt"))})
    blocked.update({w.translate(TO_INTERNAL): "keepout.txt" for w in read_listed(os.path.join(TOOLS, "keepout.txt"))})
    check("no blocklisted or excluded word present", ["%s (%s)" % (w, blocked[w]) for w in words if w in blocked])
    # And every decision to let one in: a list not rebuilt after include.txt changed.
    listed = set(words)
    check("every included word present",
          [w for w in read_listed(os.path.join(TOOLS, "include.txt")) if w.translate(TO_INTERNAL) not in listed])
    # The internal form of the blocklists must be valid too, or the check above
    # compares against nothing.
    check("blocklists hold five-letter words",
          [w for w in blocked if not ENTRY.match(w.encode("utf-8", "replace"))])

    # hunspell must be a working oracle here: a made-up word and a word with
    # ź and ż swapped (the easy mistake with X and Z) must both be rejected.
    probe = ["źaba", "kotek", "qwxyz"]
    unknown = hunspell_unknown(probe)
    check("hunspell pl_PL rejects non-words and accepts a known word",
          [] if unknown == ["źaba", "qwxyz"] else ["hunspell said %r for %r" % (unknown, probe)])
    utf8 = [w.translate(FROM_INTERNAL) for w in words if ENTRY.match(w.encode())]
    check("every word, back in UTF-8, is accepted by hunspell pl_PL", hunspell_unknown(utf8))

    # The accepted guesses: the same form with its terminator required, none a password, and
    # every decision of the reading held; only exclude.txt's words may be guesses.
    with open(GUESSES, "rb") as f:
        raw = f.read()
    lines = raw.split(b"\n")
    check("accepted guesses end with their only line ZZZ",
          [] if raw.endswith(b"\nZZZ\n") and lines.count(b"ZZZ") == 1 else ["tail %r" % raw[-12:]])
    guesses = [l.decode("ascii", "replace") for l in lines[: lines.index(b"ZZZ")]] if b"ZZZ" in lines else []
    check("every accepted guess is five bytes of the internal form, listed once",
          [g for g in guesses if not ENTRY.match(g.encode())] + sorted({g for g in guesses if guesses.count(g) > 1}))
    check("no accepted guess is a password", sorted(set(guesses) & listed))
    check("no blocklisted or kept-out word among the guesses",
          ["%s (%s)" % (g, blocked[g]) for g in guesses if blocked.get(g, "exclude.txt") != "exclude.txt"])
    check("every word of accept.txt among the guesses",
          [w for w in read_listed(os.path.join(TOOLS, "accept.txt")) if w.translate(TO_INTERNAL) not in set(guesses)])
    check("every accepted guess, back in UTF-8, is accepted by hunspell pl_PL",
          hunspell_unknown([g.translate(FROM_INTERNAL) for g in guesses if ENTRY.match(g.encode())]))

    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
