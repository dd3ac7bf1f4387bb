#!/usr/bin/env bash
# The installed program: `cmake --install` into a scratch prefix gives the
# usual layout, the desktop entry and the AppStream metadata pass their
# validators, the installed program finds its data in share/skyloom2 and keeps
# the user's own cities in the XDG data folder, and the man page and the bash
# completion know every command, name and option the usage lists; the
# completion writes city names with blanks and quotes as the shell reads
# them; the licence and credits are installed, no placeholder address is;
# the uninstall target removes it all but the user's own files.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
source=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null

app=com.vantorel.skyloom2
for f in bin/skyloom libexec/skyloom2/skyloom-qt share/skyloom2/CITIES.DAT share/skyloom2/STARS.DAT share/skyloom2/WORLDMAP.PNG \
         share/skyloom2/help/contents.html share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
         share/icons/hicolor/scalable/apps/$app.svg share/man/man1/skyloom.1 \
         share/bash-completion/completions/skyloom share/doc/skyloom2/copyright; do
  [ -e "$prefix/$f" ] || fail "not installed: $f"
done

# The icon as PNG at the sizes the desktops look for, each as large as its folder says.
for size in 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$app.png
  # A PNG's width and height: big-endian 32-bit numbers at bytes 16 and 20.
  [ "$(od --endian=big -An -tu4 -j16 -N8 "$png" 2>/dev/null | tr -s ' ')" = " $size $size" ] ||
    fail "no ${size}x${size} PNG icon"
done
grep -q "^Files: data/CITIES.DAT" "$prefix/share/doc/skyloom2/copyright" || fail "the copyright file lacks the city list"
grep -q "<project_license>GPL-3.0-or-later</project_license>" "$prefix/share/metainfo/$app.metainfo.xml" ||
  fail "the AppStream metadata names no licence"
! grep -rIl "example\.\(org\|com\)" "$prefix" || fail "a placeholder address is installed"

desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$app.metainfo.xml" || fail "appstreamcli validate"

# The installed program, run by a user whose home holds nothing of Skyloom yet.
home=$scratch/home
mkdir -p "$home"
# (The sanitizers' settings pass through for the sanitized build.)
out=$(env -i PATH=/usr/bin:/bin HOME="$home" LC_ALL=C ASAN_OPTIONS="${ASAN_OPTIONS:-}" LSAN_OPTIONS="${LSAN_OPTIONS:-}" \
        UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" "$prefix/bin/skyloom" report seasons --year 1995 --city Denver) ||
  fail "installed skyloom report seasons --city Denver"
grep -q "Denver" <<<"$out" || fail "the seasons report does not name Denver"
grep -q "1995" <<<"$out" || fail "the seasons report does not show 1995"
version=$(env -i PATH=/usr/bin:/bin HOME="$home" "$prefix/bin/skyloom" --version) || fail "skyloom --version"
[ "$(head -1 <<<"$version")" = "skyloom (Skyloom 2) $(sed -n 's/^project(skyloom VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")" ] ||
  fail "skyloom --version says: $version"
# A graph: the installed skyloom hands it to the installed skyloom-qt, which finds the same data.
env -i PATH=/usr/bin:/bin HOME="$home" LC_ALL=C QT_QPA_PLATFORM=offscreen ASAN_OPTIONS="${ASAN_OPTIONS:-}" \
  LSAN_OPTIONS="${LSAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" "$prefix/bin/skyloom" \
  movie day-night --date 2026-06-21 --frames 1 -o "$scratch/frames" >/dev/null 2>&1 ||
  fail "installed skyloom movie day-night (drawn by libexec/skyloom2/skyloom-qt)"
[ -s "$scratch/frames/frame-0001.png" ] || fail "the installed day-night movie wrote no frame"
[ ! -e "$home/.local/share/skyloom2" ] || fail "a first run wrote into the user's data folder"
[ ! -e "$prefix/bin/CITIES.DAT" ] || fail "a city list was written beside the installed program"

# The user's own city lives in the user's folder, and installing again (an
# upgrade) neither touches it nor hides the shipped list.
run_installed() {
  env -i PATH=/usr/bin:/bin HOME="$home" LC_ALL=C ASAN_OPTIONS="${ASAN_OPTIONS:-}" LSAN_OPTIONS="${LSAN_OPTIONS:-}" \
    UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" "$prefix/bin/skyloom" "$@"
}
shipped_before=$(cksum <"$prefix/share/skyloom2/CITIES.DAT")
run_installed cities add "Home Town" --lat 47.5 --lon 8.25 --tz 1 --elev 420 >/dev/null || fail "cities add"
[ -f "$home/.local/share/skyloom2/MYCITIES.DAT" ] || fail "the user's cities are not in the XDG data folder"
[ "$(cksum <"$prefix/share/skyloom2/CITIES.DAT")" = "$shipped_before" ] || fail "cities add changed the shipped list"
cmake --install "$build" --prefix "$prefix" >/dev/null
grep -q "Home Town" <<<"$(run_installed cities list --match home)" || fail "the user's city is gone after installing again"
grep -q "Denver" <<<"$(run_installed cities list --match denver)" || fail "the shipped cities are gone"

# Every name and option of the usage in the man page and the completion.
usage=$("$build/skyloom" --help)
man_text=$(sed 's/\\-/-/g' "$prefix/share/man/man1/skyloom.1")
completion=$(cat "$prefix/share/bash-completion/completions/skyloom")
names=$(sed -n '/NAME:/,/^OPTIONS:/p' <<<"$usage" | sed 's/^[A-Za-z ]*NAME://' | tr ' ' '\n' | grep -E '^[a-z]+(-[a-z]+)*$' || true)
options=$(grep -oE -- '--[a-z]+(-[a-z]+)*' <<<"$usage" | sort -u)
[ -n "$names" ] && [ -n "$options" ] || fail "no names or options read from the usage"
for word in $names $options; do
  grep -qF -- "$word" <<<"$man_text" || fail "the man page does not mention $word"
  grep -qwF -- "$word" <<<"$completion" || fail "the bash completion does not know $word"
done
if command -v groff >/dev/null; then
  warnings=$(groff -man -ww -z "$prefix/share/man/man1/skyloom.1" 2>&1)
  [ -z "$warnings" ] || fail "groff warns about the man page: $warnings"
fi

# The completion at work: the report names after "report", the cities after --city.
if [ -f /usr/share/bash-completion/bash_completion ]; then
  complete_words() {
    env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$home" bash -c '
      source /usr/share/bash-completion/bash_completion
      source "$1"; shift
      COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
      _skyloom skyloom "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
      printf "%s\n" "${COMPREPLY[@]}"' _ "$prefix/share/bash-completion/completions/skyloom" "$@"
  }
  [ "$(complete_words skyloom report sea)" = "seasons" ] || fail "completion of 'report sea'"
  [ "$(complete_words skyloom --vers)" = "--version" ] || fail "completion of '--vers'"
  grep -qx "Denver" <<<"$(complete_words skyloom report seasons --city denv)" || fail "completion of '--city denv'"
  # City names as the shell reads them: escaped when the word is bare, as
  # they are inside the quote the word opened (the shell closes it).
  expect_completion() {
    got=$(complete_words skyloom report seasons --city "$1")
    grep -qxF -- "$2" <<<"$got" || fail "completion of --city $1 gives [$got], not $2"
  }
  expect_completion 'Ho\ Chi' 'Ho\ Chi\ Minh\ City'
  expect_completion 'ho\ chi\ m' 'Ho\ Chi\ Minh\ City'
  expect_completion '"San J' 'San Juan'
  expect_completion "'San Jose d" 'San Jose del Monte'
  expect_completion "Al\\'me" "Al\\'met\\'yevsk"
  expect_completion "\"'Ajl" "'Ajlun"
  expect_completion "'Al'\\''me" "met'\\''yevsk"
  expect_completion 'San\ "Jose d' 'Jose del Monte'
  # Accents are optional when typing.
  expect_completion '"sao p' 'São Paulo'
  expect_completion "'Ciudad Juar" 'Ciudad Juárez'
  # Registered for the command, as an interactive shell finds it.
  [ "$(env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$home" bash -c '
      source /usr/share/bash-completion/bash_completion; source "$1"; complete -p skyloom' _ \
      "$prefix/share/bash-completion/completions/skyloom")" = "complete -F _skyloom skyloom" ] ||
    fail "complete -p skyloom"
fi

# Uninstalling removes every installed file, but never the user's data: with
# the prefix ~/.local the installed data folder is the user's, where the
# user's own cities (MYCITIES.DAT, above) and a listed file the user changed stay.
cmake --build "$build" --target uninstall >/dev/null || fail "the uninstall target"
left=$(find "$prefix" -type f)
[ -z "$left" ] || fail "uninstall left: $left"
user_prefix=$home/.local
cmake --install "$build" --prefix "$user_prefix" >/dev/null
echo "Kept after uninstalling" >>"$user_prefix/share/skyloom2/CITIES.DAT"
env HOME="$home" XDG_DATA_HOME= cmake --build "$build" --target uninstall >/dev/null || fail "the uninstall target in ~/.local"
left=$(cd "$user_prefix" && find . -type f ! -name 'MYCITIES.*' | sort)
[ "$left" = "./share/skyloom2/CITIES.DAT" ] || fail "uninstall from ~/.local left [$left], not only the changed city list"
tail -1 "$user_prefix/share/skyloom2/CITIES.DAT" | grep -q "Kept after uninstalling" || fail "the changed city list changed"
grep -q "Home Town" "$user_prefix/share/skyloom2/MYCITIES.DAT" || fail "the user's own cities are gone"

[ "$failures" -eq 0 ] || exit 1
echo "installed tree and its desktop files check out"
