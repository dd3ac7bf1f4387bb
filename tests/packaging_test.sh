#!/usr/bin/env bash
# The Debian source package agrees with the tree: its version is the
# program's, its Build-Depends hold what scripts/setup installs to build and
# test, debian/copyright (machine-readable) names every data file with its
# licence and has the text of every licence it names, and nothing shipped
# carries a placeholder address.  (scripts/package builds the package itself
# and runs lintian on it.)
# Usage: packaging_test.sh SOURCE_DIR
set -euo pipefail
top=$1
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

program_version=$(sed -n 's/^project(skyloom VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
package_version=$(sed -n '1s/^skyloom2 (\([^)]*\)).*/\1/p' "$top/debian/changelog")
[ "${package_version%-*}" = "$program_version" ] ||
  fail "debian/changelog's version $package_version is not the program's $program_version"

# g++ comes with build-essential; the package builds no benchmarks.
build_depends=$(sed -n '/^Build-Depends:/,/^[A-Z][A-Za-z-]*:/p' "$top/debian/control")
for p in $(sed -n '/scripts\/packages"/,/^$/p' "$top/scripts/setup" | tr -d '\\' | tr ' ' '\n' |
           grep -E '^[a-z0-9][a-z0-9.+-]+$' | grep -vxE 'g\+\+|libbenchmark-dev'); do
  grep -qE "(:|^)[[:space:]]*$p([[:space:],(<]|\$)" <<<"$build_depends" || fail "Build-Depends lacks $p"
done

copyright=$top/debian/copyright
head -1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "debian/copyright is not in the machine-readable format"
for f in "$top"/data/*; do
  grep -qx "Files: data/$(basename "$f")" "$copyright" || fail "debian/copyright does not name data/$(basename "$f")"
done
# Every licence a Files paragraph names has a paragraph of its own with its text.
for licence in $(awk '/^Files:/ {files = 1} /^$/ {files = 0} files && /^License:/ {for (i = 2; i <= NF; i++) if ($i != "and" && $i != "or") print $i}' "$copyright" | sort -u); do
  awk -v l="License: $licence" '$0 == l {getline; if ($0 ~ /^ /) found = 1} END {exit !found}' "$copyright" ||
    fail "debian/copyright has no text of $licence"
done
grep -q "Upstream-Name: Skyloom 2" "$copyright" || fail "debian/copyright names no upstream"

placeholders=$(grep -rIlE 'example\.(org|com|net)' "$top/debian" "$top/linux" "$top/resources" "$top/CMakeLists.txt" || true)
[ -z "$placeholders" ] || fail "placeholder address in: $placeholders"

[ "$failures" -eq 0 ] || exit 1
echo "the source package agrees with the tree"
