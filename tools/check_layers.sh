#!/bin/sh
# Fails when a file under src/ includes a folder above its own.
#
# The order comes from the README: the lines between "<!-- layers" and
# "<!-- /layers -->", top folder first, the folder's name as the first word.
# A file in src/F/ may include "F/...", any folder listed below F, and
# headers without a folder (its own folder's, or the system's).
# Usage: check_layers.sh [SOURCE_ROOT]
root=${1:-.}
readme="$root/README.md"
[ -f "$readme" ] || { echo "check_layers: $readme not found" >&2; exit 2; }

order=$(awk '/<!-- \/layers/ {on=0} on && NF {print $1} /<!-- layers/ {on=1}' "$readme")
[ -n "$order" ] || { echo "check_layers: no layer list in $readme" >&2; exit 2; }

# Every folder of src/ has to be in the list.
status=0
for dir in "$root"/src/*/; do
  name=$(basename "$dir")
  echo "$order" | grep -qx "$name" || { echo "src/$name/ is not in the README's layer list" >&2; status=1; }
done

# One line per include: FILE FOLDER TARGET, then awk ranks both.
cd "$root" || exit 2
find src -name '*.h' -o -name '*.cpp' | sort | while read -r file; do
  sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file" | while read -r target; do
    case $target in */*) echo "$file ${target%%/*} $target" ;; esac
  done
done | awk -v order="$order" -v status="$status" '
  BEGIN { n = split(order, names, "\n"); for (i = 1; i <= n; i++) rank[names[i]] = i }
  {
    split($1, parts, "/"); from = parts[2]; to = $2
    if (!(to in rank)) next  # not a folder of src/ (a system header with a path)
    if (rank[to] < rank[from]) { printf "%s includes %s: %s is above %s\n", $1, $3, to, from; status = 1 }
  }
  END { exit status }'
