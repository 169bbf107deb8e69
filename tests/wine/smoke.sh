#!/usr/bin/env bash
# What the Windows suite (the windows-test preset) cannot see: the program
# that goes into the .zip, on the console streams of a process of its own
# under Wine, against the Linux build. Text comes with CR LF line ends, the
# copied data on standard output as it is. (check_zip.sh compares the usage
# text.)
#   tests/wine/smoke.sh WINDOWS_EXE LINUX_EXE
set -u
# shellcheck source=tests/support/checks.sh
. "$(dirname "$(readlink -f "$0")")/../support/checks.sh"
exe=$(readlink -f "$1")
linux=$(readlink -f "$2")
export WINEDEBUG=-all
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-peltrix}

cd "$work" || exit 1
win() {
  wine "$exe" "$@" >win.out 2>win.err </dev/null
  echo $? >win.status
}
lin() { "$linux" "$@" >lin.out 2>lin.err </dev/null; }
crlf() { sed 's/$/\r/' "$1"; }

# Wine sets up its prefix on the first start; keep that out of the checks.
wine "$exe" '/?' >/dev/null 2>&1 </dev/null

win /I/IFnone.txt
lin /I/IFnone.txt
check "refusal status" test "$(cat win.status)" = 1
check "refusal: the Linux build's text with CR LF" cmp -s win.err <(crlf lin.err)
printf 'a\r\nb\n\x1A' >a.txt
win /I/IFa.txt /M/MT1
lin /I/IFa.txt /M/MT1
check "copy status" test "$(cat win.status)" = 0
check "copied bytes on standard output as they are" cmp -s win.out a.txt
check "report on standard error with CR LF" cmp -s win.err <(crlf lin.err)

checks_done "wine smoke"
