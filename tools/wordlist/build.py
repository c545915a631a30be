#!/usr/bin/python3
"""Builds media/data_lista.txt, the game's list of five-letter Polish nouns it draws
passwords from, and media/data_zgadywane.txt, the other nouns it accepts as guesses.

Stages (each one's survivors are written to WORK/NN-*.txt for inspection):
  1. candidates  - five-letter lower-case lemmas of hunspell-pl whose entry
                   carries a noun declension flag and no verb, adjective or
                   plural-entry flag;
  2. confirmed   - morfologik-polish knows the word as a noun lemma with a
                   singular nominative reading (subst:sg:nom:*);
  3. ranked      - by how often the word's forms occur in a subtitle
                   frequency list; presence in the FreeDict Polish-English
                   dictionary breaks ties;
  4. blocked     - first names, surnames that are no dictionary word, words
                   the Polish thesaurus labels vulgar, and blocklist.txt;
  5. cut         - the best CUT words of the ranking;
  6. reviewed    - exclude.txt removed from the window and include.txt added
                   from below it: the decisions of reading the list word by
                   word. Inclusions must be hunspell headwords that morfologik
                   confirms and no blocklist stops;
  7. guesses     - every other noun of stage 2, and accept.txt, less the vulgar
                   words of stage 4 and keepout.txt: what a player may type and
                   the game accepts without ever drawing it. Stage 4's names
                   are left to the reading here: many are nouns too (łatka).
Writes both lists and the word-list section of media/README.
"""

import argparse
import glob
import gzip
import json
import os
import re
import sys
from collections import defaultdict

HERE = os.path.dirname(os.path.abspath(__file__))

# How many of the ranked, unblocked words go on to the reading stage. Every
# word of this window was read; exclusions only remove words from it, and
# words below it come in only by name through include.txt, so a rerun cannot
# let an unread word in.
CUT = 1500

# Flag classes of pl_PL.aff, read off its affix rules:
#   verbs: conjugation (F H I J h), imperatives (B k), participles (E G g v),
#          impersonal -no/-to (d e), verbal nouns -enie/-cie (i j);
#   adjectives: X Y x y (adjective endings), a (plural adjectives),
#          b (the "nie-" prefix of adjectives and verbal nouns),
#          c ("po ...-u" adverbs of -ski adjectives),
#          K (nouns with adjectival endings: teściowa, marszałkowa);
#   plural entries: W f l r (the headword itself is a plural form).
VERB_FLAGS = set("FHIJhBkEGgvdeij")
ADJ_FLAGS = set("XYxyabcK")
PLURAL_FLAGS = set("Wflr")
#   nouns: singular case endings (O P Q R U V A M m n p u y), the vocatives
#          of pet forms (L: buzia - buziu), and plural ones
#          (N Z T S o w q s t z C D).
NOUN_FLAGS = set("OPQRUVAMmnpuyLNZTSowqstzCD")

PL = "ąćęłńóśźż"

# FreeDict dictionaries (Debian dict-freedict-*) used as commonness evidence.
POL_X = ["eng", "deu", "fra", "spa", "ita", "rus"]
X_POL = ["eng", "deu", "fra", "ita", "nld", "fin", "swe"]
INTERNAL = "ACELNOSXZ"
TO_INTERNAL = str.maketrans(PL, INTERNAL)
WORD_RE = re.compile("^[a-z%s]{5}$" % PL)


ALPHABET = "aąbcćdeęfghijklłmnńoópqrsśtuvwxyzźż"


def polish_order(word):
    return [ALPHABET.index(c) for c in word]


def internal(word):
    return word.translate(TO_INTERNAL)


def read_words(path):
    """Words separated by blanks or line ends; '#' starts a comment; words in
    UTF-8 Polish spelling."""
    words = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            words.extend(line.split("#", 1)[0].split())
    return words


def write_list(path, rows):
    with open(path, "w", encoding="utf-8") as f:
        for r in rows:
            f.write(r + "\n")


def stage_candidates(dic_path):
    """Returns (candidates, every five-letter lower-case headword)."""
    out, every = set(), set()
    with open(dic_path, encoding="iso-8859-2") as f:
        next(f)  # the entry count
        for line in f:
            line = line.rstrip("\n")
            word, _, flags = line.partition("/")
            if not WORD_RE.match(word):
                continue
            every.add(word)
            flags = set(flags)
            if flags & NOUN_FLAGS and not flags & (VERB_FLAGS | ADJ_FLAGS | PLURAL_FLAGS):
                out.add(word)
    return out, every


def load_morfologik(dump_path, wanted_forms, lemmas_of_interest):
    """Returns (noun lemmas with a sg:nom reading among lemmas_of_interest,
    form -> set of lemmas for the forms in wanted_forms)."""
    confirmed = set()
    form_lemmas = defaultdict(set)
    with open(dump_path, encoding="utf-8") as f:
        for line in f:
            form, lemma, tags = line.rstrip("\n").split("\t")
            if form in wanted_forms:
                form_lemmas[form].add(lemma)
            if form == lemma and form in lemmas_of_interest:
                for tag in tags.split("+"):
                    parts = tag.split(":")
                    if parts[0] == "subst" and parts[1] == "sg" and "nom" in parts[2].split("."):
                        confirmed.add(form)
    return confirmed, form_lemmas


def load_freedict(index_path):
    heads = set()
    with open(index_path, encoding="utf-8") as f:
        for line in f:
            heads.add(line.split("\t", 1)[0].strip().lower())
    return heads


def load_translation_counts(dict_paths, words):
    """How often each word stands as a whole token in the bodies of the
    foreign-to-Polish FreeDict dictionaries: common nouns translate many
    headwords, rare ones few."""
    counts = defaultdict(int)
    token = re.compile("[a-z%s]+" % PL)
    for path in dict_paths:
        with gzip.open(path, "rt", encoding="utf-8", errors="replace") as f:
            for line in f:
                for t in token.findall(line.lower()):
                    if t in words:
                        counts[t] += 1
    return counts


def load_mythes_vulgar(dat_path):
    """Words the thesaurus labels "(wulg.)" wherever it lists them. A word it
    also lists unlabelled (krowa, laska, szmata) has an ordinary sense too."""
    labelled, plain = set(), set()
    item_re = re.compile(r"^(.*?)\s*(?:\((\w+)\.\))?$")
    with open(dat_path, encoding="iso-8859-2") as f:
        next(f)
        for line in f:
            parts = line.rstrip("\n").split("|")
            if parts[0] != "-":
                continue
            for item in parts[1:]:
                m = item_re.match(item.strip())
                word, label = m.group(1).lower(), m.group(2)
                if label == "wulg":
                    labelled.add(word)
                elif label is None:
                    plain.add(word)
    return labelled - plain


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--dic", default="/usr/share/hunspell/pl_PL.dic")
    ap.add_argument("--morfo-dump", required=True)
    ap.add_argument("--zxcvbn-dir", required=True, help="unpacked @zxcvbn-ts/language-pl")
    ap.add_argument("--freedict-dir", default="/usr/share/dictd")
    ap.add_argument("--mythes", default="/usr/share/mythes/th_pl_PL_v2.dat")
    ap.add_argument("--work", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--out-guesses", required=True)
    a = ap.parse_args()
    os.makedirs(a.work, exist_ok=True)

    def report(n, name, rows, note=""):
        write_list(os.path.join(a.work, "%02d-%s.txt" % (n, name)), rows)
        print("stage %d %-10s %5d words %s" % (n, name, len(rows), note))

    # 1. hunspell candidates
    cands, headwords = stage_candidates(a.dic)
    report(1, "candidates", sorted(cands))
    exclude = set(read_words(os.path.join(HERE, "exclude.txt")))
    include = read_words(os.path.join(HERE, "include.txt"))
    accept = read_words(os.path.join(HERE, "accept.txt"))
    keepout = set(read_words(os.path.join(HERE, "keepout.txt")))
    # Words a reader added are checked by the same dictionaries, but the flag
    # rule is a heuristic a reader may overrule (alibi has no flags at all;
    # wrona shares its entry with the adjective wrony).
    extra = {w for w in include + accept if w in headwords} - cands

    # 2. morfologik confirmation; the same pass maps frequency-list forms to lemmas
    src = os.path.join(a.zxcvbn_dir, "src")
    common = json.load(open(os.path.join(src, "commonWords.json"), encoding="utf-8"))
    confirmed_all, form_lemmas = load_morfologik(a.morfo_dump, set(common), cands | extra)
    confirmed = confirmed_all & cands
    report(2, "confirmed", sorted(confirmed))

    # 3. ranking: a form at rank r weighs 1/r (Zipf). It counts for a lemma
    # when it is that lemma's own nominative, or when it belongs to no other
    # lemma: "stają" says nothing about the rare noun "staja".
    score = defaultdict(float)
    for r, form in enumerate(common, 1):
        if form in confirmed:
            score[form] += 1.0 / r
            continue
        lemmas = {lem.lower() for lem in form_lemmas.get(form, ())}
        if len(lemmas) == 1:
            (lem,) = lemmas
            if lem in confirmed:
                score[lem] += 1.0 / r
    # Curated-dictionary evidence, which orders the many words the subtitle
    # list is too short to reach: headword of how many Polish-to-X FreeDict
    # dictionaries, and how often a translation in X-to-Polish ones.
    heads = defaultdict(int)
    for lang in POL_X:
        for w in load_freedict(os.path.join(a.freedict_dir, "freedict-pol-%s.index" % lang)) & confirmed:
            heads[w] += 1
    freedict = {w for w in confirmed if heads[w]}
    trans = load_translation_counts([os.path.join(a.freedict_dir, "freedict-%s-pol.dict.dz" % lang)
                                     for lang in X_POL], confirmed)

    # A form just inside the subtitle list (rank 28000) weighs about as much as
    # being a headword of three or four dictionaries.
    def blend(w):
        return score[w] * 1e5 + heads[w] + 0.5 * min(trans[w], 10)
    ranked = sorted(confirmed, key=lambda w: (-blend(w), w))
    report(3, "ranked", ["%s\t%.1f\tsubs=%.2f\theads=%d\ttrans=%d" % (w, blend(w), score[w] * 1e5, heads[w], trans[w])
                         for w in ranked],
           "(%d with a subtitle frequency, %d FreeDict headwords)" % (sum(1 for w in ranked if score[w] > 0),
                                                                     len(freedict)))

    # 4. blocklists
    first = set(json.load(open(os.path.join(src, "maleFirstnames.json"), encoding="utf-8")))
    first |= set(json.load(open(os.path.join(src, "femaleFirstnames.json"), encoding="utf-8")))
    last = set(json.load(open(os.path.join(src, "maleLastnames.json"), encoding="utf-8")))
    last |= set(json.load(open(os.path.join(src, "femaleLastnames.json"), encoding="utf-8")))
    vulgar = load_mythes_vulgar(a.mythes)
    manual = set(read_words(os.path.join(HERE, "blocklist.txt")))
    why = {}
    for w in ranked:
        if w in manual:
            why[w] = "blocklist.txt"
        elif w in vulgar:
            why[w] = "thesaurus: vulgar"
        elif w in first and not (heads[w] or trans[w] or score[w]):
            why[w] = "first name"
        elif w in last and not (heads[w] or trans[w] or score[w]):
            # Many surnames are ordinary nouns (wróbel, kowal): only a surname
            # no dictionary knows as a word is blocked here.
            why[w] = "surname"
    kept = [w for w in ranked if w not in why]
    write_list(os.path.join(a.work, "04-blocked-out.txt"), ["%s\t%s" % (w, why[w]) for w in ranked if w in why])
    report(4, "unblocked", kept)

    # 5. cut
    window = kept[:CUT]
    report(5, "cut", window, "(lowest blended score kept %.1f)" % blend(window[-1]))

    # 6. review decisions. An inclusion must still be a hunspell headword that
    # morfologik confirms as a noun, and may overrule the name heuristics of
    # stage 4 but never blocklist.txt or the thesaurus.
    bad = [w for w in include if w not in confirmed_all or w in manual or w in vulgar or w in exclude or w in keepout]
    if bad:
        sys.exit("include.txt: not a confirmed noun, blocked, or also excluded: %s" % " ".join(bad))
    dup = sorted({w for w in include if include.count(w) > 1})
    if dup:
        sys.exit("include.txt: listed twice: %s" % " ".join(dup))
    final = [w for w in window if w not in exclude]
    final += [w for w in include if w not in final]
    final.sort(key=polish_order)
    report(6, "reviewed", final, "(%d excluded in the window, %d included)"
           % (sum(1 for w in window if w in exclude), len(include)))
    if not 1600 <= len(final) <= 1999:
        sys.exit("final list has %d words, outside 1600..1999" % len(final))

    # 7. accepted guesses. What a reader let in by accept.txt passes the same
    # dictionaries and blocklists as an inclusion.
    bad = [w for w in accept if w not in confirmed_all or w in manual or w in vulgar or w in keepout or w in final]
    if bad:
        sys.exit("accept.txt: not a confirmed noun, blocked, kept out, or a password: %s" % " ".join(bad))
    final_set = set(final)
    rude = {w for w in why if why[w] in ("blocklist.txt", "thesaurus: vulgar")}
    guesses = sorted({w for w in confirmed | set(accept) if w not in final_set and w not in rude and w not in keepout},
                     key=polish_order)
    report(7, "guesses", guesses, "(%d kept out by keepout.txt, %d by the blocklists, %d from accept.txt)"
           % (len(keepout & confirmed - final_set), len(rude - final_set), len(accept)))
    if not 2000 <= len(guesses) <= 9999:
        sys.exit("the list of guesses has %d words, outside 2000..9999" % len(guesses))

    for path, words in ((a.out, final), (a.out_guesses, guesses)):
        with open(path, "w", encoding="ascii", newline="\n") as f:
            for w in words:
                f.write(internal(w) + "\n")
            f.write("ZZZ\n")
        print("wrote %s" % path)
    update_readme(os.path.join(os.path.dirname(a.out), "README"), len(final), len(guesses))


def update_readme(path, count, guesses):
    """Puts the word-list section at the end of media/README, replacing an
    older one and leaving whatever else the file says alone."""
    with open(os.path.join(HERE, "readme_section.txt"), encoding="utf-8") as f:
        section = f.read().format(count=count, guesses=guesses)
    head = ""
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            head = f.read()
    marker = section.split("\n", 1)[0] + "\n"
    cut = head.find(marker)
    if cut >= 0:
        head = head[:cut]
    head = head.rstrip("\n")
    with open(path, "w", encoding="utf-8") as f:
        f.write((head + "\n\n" if head else "") + section)
    print("wrote the word-list section of %s" % path)


if __name__ == "__main__":
    main()
