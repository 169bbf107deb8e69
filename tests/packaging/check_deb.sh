#!/usr/bin/env bash
# Checks the Debian package: its control fields, its dependencies against the
# libraries the program links, and its contents, unpacked into a temporary
# folder (the system's own package database is never touched): the program
# runs and prints its messages in UTF-8, the licence is the copyright file,
# the Debian changelog names the package's version and maintainer, the
# example scripts are told for the package and run, and the manual page is
# the one in doc/, formats without warnings and describes every option of
# the usage text.
#   tests/packaging/check_deb.sh PACKAGE.deb
set -u
# shellcheck source=tests/support/checks.sh
. "$(dirname "$(readlink -f "$0")")/../support/checks.sh"
deb=$(readlink -f "$1")
cd "$repository" || exit 1
version=$(sed -n 's/^project(peltrix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

field() { dpkg-deb --field "$deb" "$1"; }

# Control fields.
check "package name" test "$(field Package)" = peltrix
check "version is the project's ($version) with a Debian revision" grep -qx "$version-[0-9]\+" <<<"$(field Version)"
check "maintainer has a name and an address" grep -qx '[^<>]\+ <[^ <>@]\+@[^ <>@]\+>' <<<"$(field Maintainer)"
check "section" test "$(field Section)" = utils
check "architecture" test "$(field Architecture)" = "$(dpkg --print-architecture)"
field Description >"$work/description"
check "description has a summary and more lines" test "$(wc -l <"$work/description")" -gt 2
check "description lines fit 80 columns" test "$(awk 'length > 80' "$work/description" | wc -l)" = 0

# Contents: the program, its manual page, the README, the changelog, the
# licence and the example scripts, owned by root.
dpkg-deb -x "$deb" "$work/root"
(cd "$work/root" && find . ! -type d | sort) >"$work/files"
doc=./usr/share/doc/peltrix
{
  printf '%s\n' ./usr/bin/peltrix $doc/README.md $doc/changelog.Debian.gz $doc/copyright
  for script in examples/*.sh; do echo "$doc/$script"; done
  echo ./usr/share/man/man1/peltrix.1.gz
} | sort >"$work/expected"
check "package holds exactly the expected files" cmp -s "$work/files" "$work/expected"
check "files owned by root" test "$(dpkg-deb -c "$deb" | awk '{print $2}' | sort -u)" = root/root
program=$work/root/usr/bin/peltrix
check "program is executable" test -x "$program"
check "program is stripped" bash -c "! readelf -S '$program' | grep -q '\\.symtab'"
check "README is the project's" cmp -s "$work/root/usr/share/doc/peltrix/README.md" README.md
check "copyright file is the licence" cmp -s "$work/root/usr/share/doc/peltrix/copyright" LICENSE
zcat "$work/root/$doc/changelog.Debian.gz" >"$work/changelog"
check "changelog's last entry is this version" grep -qx "peltrix ($(field Version)) .*" <<<"$(head -1 "$work/changelog")"
check "changelog's last entry is signed by the maintainer" grep -q "^ -- $(field Maintainer)  " "$work/changelog"

# The example scripts: told for the package (run from where it puts them,
# the program on the PATH, messages in UTF-8), and they run.
for script in examples/*.sh; do
  packaged=$work/root/$doc/$script
  check "$script: only its header told for the package" test "$(diff "$script" "$packaged" | grep -c '^>')" -le 3
  check "$script: no build folder, no CP932 in the package" bash -c "! grep -q 'build/\|CP932' '$packaged'"
done
mkdir "$work/logs"
printf 'date\n1\n' >"$work/logs/a.log"
printf 'date\n2\n' >"$work/logs/b.log"
PELTRIX=$work/root/usr/bin/peltrix "$work/root/$doc/examples/join_logs.sh" "$work/all.log" "$work/logs/a.log" \
  "$work/logs/b.log" </dev/null
check "packaged join_logs.sh runs" test "$(cat "$work/all.log" 2>/dev/null)" = $'1\n2'

# Every library the program loads belongs to a package that Depends names.
depends=$(field Depends | tr ',|' '\n\n' | sed 's/(.*//; s/[[:space:]]//g' | sort -u)
check "dependencies computed" test -n "$depends"
owner() {  # the package that installed a library, under /lib or /usr/lib
  local path found
  for path in "$1" "/usr$1" "${1#/usr}" "$(readlink -f "$1")"; do
    found=$(dpkg -S "$path" 2>/dev/null | head -1 | cut -d: -f1)
    [ -n "$found" ] && echo "$found" && return 0
  done
  return 1
}
for library in $(ldd "$program" | awk '$2 == "=>" && $3 ~ /^\// {print $3}'); do
  package=$(owner "$library")
  check "$library comes from a dependency ($package)" grep -qx "$package" <<<"$depends"
done

# The program runs from the unpacked tree and prints UTF-8: the usage text
# and the messages on standard error.
"$program" '/?' >"$work/usage" 2>"$work/usage.err" </dev/null
check "usage status 0" test $? = 0
check "usage is valid UTF-8" iconv -f UTF-8 -t UTF-8 "$work/usage" -o /dev/null
check "usage writes nothing on standard error" test ! -s "$work/usage.err"
"$program" /I/IFnone.txt >/dev/null 2>"$work/refusal" </dev/null
check "refusal status 1" test $? = 1
check "refusal message in UTF-8" grep -q '^E037-1 .*見つかりません。$' "$work/refusal"

# The manual page: the one in doc/, of this version, clean for groff and man.
page=$work/root/usr/share/man/man1/peltrix.1.gz
check "manual page is gzip data" gzip -t "$page"
gzip -dc "$page" >"$work/peltrix.1"
check "manual page is doc/peltrix.1" cmp -s "$work/peltrix.1" "$repository/doc/peltrix.1"
check "manual page names version $version" grep -q "^\\.TH PELTRIX 1 .*\"peltrix $version\"" "$work/peltrix.1"
groff -man -Tutf8 -ww -z "$work/peltrix.1" 2>"$work/groff.err"
check "groff formats the manual page" test $? = 0
check "groff warns about nothing" test ! -s "$work/groff.err"
if command -v man >/dev/null; then
  MANWIDTH=80 man --warnings -l "$page" >/dev/null 2>"$work/man.err"
  check "man -l formats the manual page" test $? = 0
  check "man -l warns about nothing" test ! -s "$work/man.err"
fi
cat "$work/groff.err" "$work/man.err" 2>/dev/null

# Every option the usage text shows has its own entry in the manual page.
groff -man -Tutf8 -P-cbu "$work/peltrix.1" 2>/dev/null >"$work/page.txt"
awk '/^[A-Z]/ { in_options = ($0 == "OPTIONS") } in_options' "$work/page.txt" >"$work/options.txt"
check "manual page has an OPTIONS section" test -s "$work/options.txt"
options=$(grep -o '/[A-Z][A-Z]\?' "$work/usage" | sort -u)
check "usage text shows the options" test "$(wc -l <<<"$options")" -ge 25
for option in $options; do
  check "manual entry for $option" grep -qE "^ {7}(/[IOM])?$option([a-z[/ ]|$)" "$work/options.txt"
done

checks_done "deb checks"
