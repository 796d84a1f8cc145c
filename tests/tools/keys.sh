#!/usr/bin/env bash
# What skin authors read stays what the code does: the key tables of docs/skin-format.md
# are exactly `skintool keys --markdown`, and the shipped skins (skins/NAME.skn and
# skins/NAME/skin.ini) are what the skin generator draws in their palettes, packed.
# Usage: bash keys.sh <build dir> <source dir>
set -u
build=${1:?build folder}
src=${2:?source folder}
tool="$build/skintool"
work=$(mktemp -d /tmp/skintool-keys.XXXXXX)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "keys test: $*" >&2; failures=$((failures + 1)); }
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_RUNTIME_DIR

"$tool" keys --markdown >"$work/keys.md" 2>"$work/err" || fail "skintool keys --markdown failed: $(cat "$work/err")"
[ -s "$work/err" ] && fail "skintool keys wrote to standard error: $(head -c 300 "$work/err")"
# Every key has its meaning, every kind its line.
awk -F'|' '/^\| `/ && $(NF - 1) ~ /^ *$/ {print}' "$work/keys.md" >"$work/bare"
[ -s "$work/bare" ] && fail "keys without a meaning: $(head -n 5 "$work/bare")"
awk '/^### [[`]/ {h = $0; next} h != "" && NF {if ($0 !~ /^[A-Z]/) print h; h = ""}' "$work/keys.md" >"$work/bare"
[ -s "$work/bare" ] && fail "kinds without a description: $(head -n 5 "$work/bare")"
doc="$src/docs/skin-format.md"
sed -n '/^<!-- BEGIN skintool keys --markdown -->$/,/^<!-- END skintool keys --markdown -->$/p' "$doc" |
  sed '1d;$d' >"$work/doc.md"
[ -s "$work/doc.md" ] || fail "docs/skin-format.md has no generated key tables between its markers"
diff -u "$work/doc.md" "$work/keys.md" >"$work/diff" ||
  fail "docs/skin-format.md differs from 'skintool keys --markdown' (paste its output between the markers):
$(head -n 40 "$work/diff")"

for name in slate night; do
  python3 "$src/skins/make_skin.py" --palette "$name" "$work/$name" >/dev/null || { fail "the generator failed for $name"; continue; }
  cmp -s "$work/$name/skin.ini" "$src/skins/$name/skin.ini" || fail "skins/$name/skin.ini is not what the generator writes"
  "$tool" pack "$work/$name/skin.ini" "$work/$name.skn" >/dev/null || fail "packing $name failed"
  cmp -s "$work/$name.skn" "$src/skins/$name.skn" || fail "skins/$name.skn is not the generator's $name, packed"
done

[ "$failures" = 0 ] || exit 1
echo "keys test: passed"
