#!/bin/sh
# Rebuilds media/data_lista.txt and media/data_zgadywane.txt from Debian's Polish dictionaries and one npm frequency list.
# Usage, from anywhere: tools/wordlist/build.sh   (stage files go to build/wordlist/)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=${WORK:-$root/build/wordlist}
mkdir -p "$work"

# Debian packages: the dictionaries, and a JDK to read morfologik's.
need="hunspell-pl mythes-pl libmorfologik-stemming2-java"
for l in eng deu fra spa ita rus; do need="$need dict-freedict-pol-$l"; done
for l in eng deu fra ita nld fin swe; do need="$need dict-freedict-$l-pol"; done
command -v javac >/dev/null 2>&1 || need="$need default-jdk-headless"
command -v npm >/dev/null 2>&1 || need="$need npm"
missing=""
for p in $need; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    if [ "$(id -u)" = 0 ]; then
        apt-get install -y --no-install-recommends $missing
    else
        echo "missing Debian packages:$missing (apt-get install them)" >&2
        exit 1
    fi
fi

# The frequency list, pinned by version and checked against its published digest.
zx_ver=3.0.2
zx_sha512=3ed1f93e89850cfe571d0acc6fd2523b292539f84a6e053459c407c4853b7ebdc7e3f59a806cc2a1e6a41ad043e22ac0dae72b04d9fdaa92b6608188be9aa400
zx_dir="$work/zxcvbn-language-pl-$zx_ver"
if [ ! -f "$zx_dir/src/commonWords.json" ]; then
    rm -rf "$zx_dir" && mkdir -p "$zx_dir"
    (cd "$work" && npm pack --silent "@zxcvbn-ts/language-pl@$zx_ver" >/dev/null)
    tgz="$work/zxcvbn-ts-language-pl-$zx_ver.tgz"
    echo "$zx_sha512  $tgz" | sha512sum -c --quiet -
    tar -xzf "$tgz" -C "$zx_dir" --strip-components=1
fi

# The morfologik dictionary, dumped form by form.
cp="/usr/share/java/morfologik-stemming.jar:/usr/share/java/morfologik-fsa.jar:/usr/share/java/morfologik-polish.jar:/usr/share/java/hppc.jar"
dump="$work/morfologik.tsv"
if [ ! -s "$dump" ] || [ "$dump" -ot /usr/share/java/morfologik-polish.jar ]; then
    mkdir -p "$work/classes"
    javac -d "$work/classes" -cp "$cp" "$here/MorfoDump.java"
    java -cp "$cp:$work/classes" MorfoDump > "$dump.tmp"
    mv "$dump.tmp" "$dump"
fi

/usr/bin/python3 "$here/build.py" --morfo-dump "$dump" --zxcvbn-dir "$zx_dir" \
    --work "$work" --out "$root/media/data_lista.txt" --out-guesses "$root/media/data_zgadywane.txt"
