#!/usr/bin/python3
"""Coverage check of the word lists: what share of everyday five-letter nouns the game accepts.

The set of nouns, coverage.txt beside this file, was built once from a source the
list's ranking never sees, the Polish thesaurus (Debian package mythes-pl):
    tools/wordlist/coverage.py pick --seed 16 > /tmp/candidates.txt
prints its five-letter lower-case headwords that morfologik reads as a singular
nominative noun (needs build/wordlist/morfologik.tsv from build.sh), shuffled by
the seed. They were read in that order and the first 200 that a general adult
speaker uses as a common noun were kept, whether the list had them or not.
coverage2.txt is a second sample, picked the same way with --seed 24 for the accepted guesses,
and everyday.txt holds 100 nouns taken from a text written for the purpose before any list was
read. Re-run the check, from anywhere, with
    tools/wordlist/coverage.py [--list FILE ...] [--set FILE ...]
which prints, for each sample, the share that the lists together accept (by default the
passwords and the accepted guesses) and the words they refuse. The vulgar check,
    tools/wordlist/coverage.py vulgar
prints every word of the lists that the thesaurus labels vulgar somewhere or blocklist.txt
names, with the thesaurus's other readings of it.
"""

import argparse
import os
import random
import re
import sys
from collections import defaultdict

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
PL = "ąćęłńóśźż"
WORD_RE = re.compile("^[a-z%s]{5}$" % PL)
TO_INTERNAL = str.maketrans(PL, "ACELNOSXZ")


def pick(seed, thesaurus, dump):
    heads = set()
    with open(thesaurus, encoding="iso-8859-2") as f:
        next(f)
        for line in f:
            if not line.startswith("-|"):
                w = line.split("|", 1)[0]
                if WORD_RE.match(w):
                    heads.add(w)
    nouns = set()
    with open(dump, encoding="utf-8") as f:
        for line in f:
            form, lemma, tags = line.rstrip("\n").split("\t")
            if form == lemma and form in heads:
                for tag in tags.split("+"):
                    p = tag.split(":")
                    if p[0] == "subst" and p[1] == "sg" and "nom" in p[2].split("."):
                        nouns.add(form)
    order = sorted(nouns)
    random.Random(seed).shuffle(order)
    for w in order:
        print(w)


def read_lists(paths):
    listed = set()
    for path in paths:
        if os.path.exists(path):
            with open(path, encoding="ascii") as f:
                listed |= {line.strip() for line in f} - {"ZZZ"}
    return listed


def read_set(path):
    words = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            words.extend(line.split("#", 1)[0].split())
    if len(words) != len(set(words)):
        sys.exit("%s: a word is listed twice" % path)
    return words


def check(list_paths, set_paths):
    listed = read_lists(list_paths)
    print("lists: %s (%d words)" % (" + ".join(os.path.basename(p) for p in list_paths if os.path.exists(p)),
                                   len(listed)))
    total = got_all = 0
    for set_path in set_paths:
        words = read_set(set_path)
        refused = [w for w in words if w.translate(TO_INTERNAL) not in listed]
        got = len(words) - len(refused)
        total, got_all = total + len(words), got_all + got
        print("%s: %d of %d accepted (%.1f%%); refused: %s"
              % (os.path.basename(set_path), got, len(words), 100.0 * got / len(words), " ".join(refused) or "none"))
    if len(set_paths) > 1:
        print("together: %d of %d (%.1f%%)" % (got_all, total, 100.0 * got_all / total))


def vulgar(list_paths, thesaurus):
    """Words of the lists that the thesaurus labels vulgar in any entry, or that blocklist.txt
    names; a labelled word is shown with its unlabelled readings, which may make it harmless."""
    labelled, plain = defaultdict(set), defaultdict(set)
    with open(thesaurus, encoding="iso-8859-2") as f:
        next(f)
        head = None
        for line in f:
            parts = line.rstrip("\n").split("|")
            if parts[0] != "-":
                head = parts[0]
                continue
            for item in parts[1:]:
                m = re.match(r"^(.*?)\s*(?:\((\w+)\.\))?$", item.strip())
                (labelled if m.group(2) == "wulg" else plain)[m.group(1).lower()].add(head)
    blocked = set(read_set(os.path.join(HERE, "blocklist.txt")))
    listed = read_lists(list_paths)
    found = 0
    for w in sorted(set(labelled) | blocked):
        if WORD_RE.match(w) and w.translate(TO_INTERNAL) in listed:
            found += 1
            print("%s: %s; %s" % (w, "blocklist.txt" if w in blocked else "vulgar under " + ", ".join(sorted(labelled[w])),
                                  "also plain under " + ", ".join(sorted(plain[w])[:6]) if plain[w] else "NEVER PLAIN"))
    print("%d words of the lists are labelled vulgar or blocked; %d of them never plain"
          % (found, sum(1 for w in labelled if WORD_RE.match(w) and w.translate(TO_INTERNAL) in listed and not plain[w])
             + sum(1 for w in blocked if w.translate(TO_INTERNAL) in listed)))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("mode", nargs="?", default="check", choices=["check", "pick", "vulgar"])
    ap.add_argument("--list", action="append")
    ap.add_argument("--set", action="append")
    ap.add_argument("--seed", type=int, default=16)
    ap.add_argument("--thesaurus", default="/usr/share/mythes/th_pl_PL_v2.dat")
    ap.add_argument("--morfo-dump", default=os.path.join(ROOT, "build", "wordlist", "morfologik.tsv"))
    a = ap.parse_args()
    lists = a.list or [os.path.join(ROOT, "media", n) for n in ("data_lista.txt", "data_zgadywane.txt")]
    if a.mode == "pick":
        pick(a.seed, a.thesaurus, a.morfo_dump)
    elif a.mode == "vulgar":
        vulgar(lists, a.thesaurus)
    else:
        check(lists, a.set or [os.path.join(HERE, n) for n in ("coverage.txt", "coverage2.txt", "everyday.txt")])


if __name__ == "__main__":
    main()
