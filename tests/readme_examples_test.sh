#!/usr/bin/env bash
# Every `build/skyloom` command that README.md shows in its code blocks runs
# and succeeds, as a reader would type it in a fresh folder.
# Usage: readme_examples_test.sh README.md SKYLOOM_BINARY
set -euo pipefail
readme=$1
binary=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/build"
ln -s "$binary" "$scratch/build/skyloom"

# Lines of fenced code blocks that start with build/skyloom (comments after "#" stay:
# the shell ignores them).
mapfile -t commands < <(awk '/^```/ { code = !code; next } code && /^build\/skyloom / { print }' "$readme")
if [ "${#commands[@]}" -lt 10 ]; then
  echo "FAIL: only ${#commands[@]} build/skyloom commands found in $readme" >&2
  exit 1
fi

failures=0
for command in "${commands[@]}"; do
  if ! (cd "$scratch" && LC_ALL=C XDG_DATA_HOME="$scratch/share" bash -c "$command" >"$scratch/out" 2>"$scratch/err"); then
    echo "FAIL: $command" >&2
    sed 's/^/    /' "$scratch/err" >&2
    failures=$((failures + 1))
  fi
done
echo "${#commands[@]} README commands run, $failures failed"
[ "$failures" -eq 0 ]
