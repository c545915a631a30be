#!/usr/bin/python3
"""Coverage check of the word list: what share of everyday five-letter nouns it accepts.

The set of nouns, coverage.txt beside this file, was built once from a source the
list's ranking never sees, the Polish thesaurus (Debian package mythes-pl):
    tools/wordlist/coverage.py pick --seed 16 > /tmp/candidates.txt
prints its five-letter lower-case headwords that morfologik reads as a singular
nominative noun (needs build/wordlist/morfologik.tsv from build.sh), shuffled by
the seed. They were read in that order and the first 200 that a general adult
speaker uses as a common noun were kept, whether the list had them or not.
Re-run the check, from anywhere, with
    tools/wordlist/coverage.py [--list media/data_lista.txt]
which prints the share of coverage.txt the list accepts and the words it refuses.
"""

import argparse
import os
import random
import re
import sys

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


def check(list_path, set_path):
    with open(list_path, encoding="ascii") as f:
        listed = {line.strip() for line in f}
    words = []
    with open(set_path, encoding="utf-8") as f:
        for line in f:
            words.extend(line.split("#", 1)[0].split())
    if len(words) != len(set(words)):
        sys.exit("%s: a word is listed twice" % set_path)
    refused = [w for w in words if w.translate(TO_INTERNAL) not in listed]
    got = len(words) - len(refused)
    print("%s accepts %d of %d (%.1f%%)" % (list_path, got, len(words), 100.0 * got / len(words)))
    print("refused: %s" % " ".join(refused))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("mode", nargs="?", default="check", choices=["check", "pick"])
    ap.add_argument("--list", default=os.path.join(ROOT, "media", "data_lista.txt"))
    ap.add_argument("--set", default=os.path.join(HERE, "coverage.txt"))
    ap.add_argument("--seed", type=int, default=16)
    ap.add_argument("--thesaurus", default="/usr/share/mythes/th_pl_PL_v2.dat")
    ap.add_argument("--morfo-dump", default=os.path.join(ROOT, "build", "wordlist", "morfologik.tsv"))
    a = ap.parse_args()
    if a.mode == "pick":
        pick(a.seed, a.thesaurus, a.morfo_dump)
    else:
        check(a.list, a.set)


if __name__ == "__main__":
    main()
