#!/usr/bin/env bash
# The include dependencies between the source folders: for every folder, the
# other folders whose headers its files include (with the number of #include
# lines), then every pair of folders that include each other.
#
#   tools/include_deps.sh [source root]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
folders=(app about channels conveyor effects programming network midi remote osc journal desk player shell engine link storage i18n showtool tools bench tests)
present=()
for f in "${folders[@]}"; do [[ -d $f ]] && present+=("$f"); done

edges=$(for from in "${present[@]}"; do
    grep -rhoE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[a-z_]+/' "$from" \
        --include='*.h' --include='*.cpp' 2>/dev/null |
        sed -E 's/.*"([a-z_]+)\/$/\1/' | grep -vx "$from" | sed "s/^/$from /" || true
done | sort | uniq -c | awk '{print $2, $3, $1}')

echo "folder -> folders it includes (#include lines)"
for from in "${present[@]}"; do
    line=$(awk -v f="$from" '$1 == f {printf " %s(%s)", $2, $3}' <<<"$edges")
    printf '  %-12s%s\n' "$from" "${line:- -}"
done

echo "folders that include each other"
cycles=$(awk '{e[$1 " " $2] = 1} END {for (k in e) {split(k, p, " "); if (p[1] < p[2] && ((p[2] " " p[1]) in e)) print "  " p[1] " <-> " p[2]}}' <<<"$edges" | sort)
echo "${cycles:-  none}"
echo "pairs: $(grep -c . <<<"$cycles" || true)"
