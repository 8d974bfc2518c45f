#!/usr/bin/env bash
# The translations are complete and current: the ts files updated from the
# sources must be the ones in the repository (no new, changed or obsolete
# texts), and the English one must have no unfinished entry.
#
#   tools/check_translations.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cd "$root"
before=$(mktemp -d)
trap 'cp "$before"/*.ts i18n/; rm -rf "$before"' EXIT
cp i18n/*.ts "$before/"
cmake --build "$build" --target update_translations >/dev/null
status=0
for ts in i18n/*.ts; do
    if ! cmp -s "$ts" "$before/$(basename "$ts")"; then
        echo "translations: $ts is not current: run cmake --build build --target update_translations and translate" >&2
        diff -u "$before/$(basename "$ts")" "$ts" | grep '^[-+] *<source>' | head -20 >&2 || true
        status=1
    fi
done
unfinished=$(grep -c 'type="unfinished"' i18n/velantra_en.ts || true)
if [ "$unfinished" -ne 0 ]; then
    echo "translations: $unfinished English texts are not translated" >&2
    status=1
fi
[ "$status" -eq 0 ] && echo "translations: complete"
exit "$status"
