#!/usr/bin/env bash
# Brings the translation files up to date with the source: every text the program's folders
# pass through the translation system, translations already made kept, texts gone from the
# source dropped, no line numbers (so a file changes only when a text does).
#   update.sh           rewrite resources/translations/*.ts
#   update.sh --check   write nothing; fail, naming the file, when one is not current
# LUPDATE names the lupdate program (default: Qt 6's, or the one on PATH).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
[ -x "$lupdate" ] || lupdate=$(command -v lupdate-qt6 || command -v lupdate)
sources=(app serial network gps gsm sensors widgets protocols tools)
files=(transEnglish.ts transSimpleChinese.ts)

update() { # update DIR: run lupdate over the source into the files in DIR
    local targets=()
    for f in "${files[@]}"; do targets+=("$1/$f"); done
    (cd "$root" && "$lupdate" -silent -I . -locations none -no-obsolete \
        "${sources[@]}" -ts "${targets[@]}")
}

if [ "${1:-}" = "--check" ]; then
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    for f in "${files[@]}"; do cp "$here/$f" "$scratch/$f"; done
    update "$scratch"
    stale=0
    for f in "${files[@]}"; do
        if ! cmp -s "$here/$f" "$scratch/$f"; then
            echo "resources/translations/$f is not current: run ./build.sh translations" >&2
            diff -u "$here/$f" "$scratch/$f" | head -n 40 >&2 || true
            stale=1
        fi
    done
    exit $stale
fi
update "$here"
