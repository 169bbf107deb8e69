#!/usr/bin/env bash
# Checks the message character set: the UTF-8 build prints the texts of the
# default (CP932) build in UTF-8, byte for byte what iconv makes of them,
# and configuring refuses any other character set and a UTF-8 build of the
# tests.
#   tests/packaging/check_charset.sh CP932_EXE UTF8_EXE
set -u
# shellcheck source=tests/support/checks.sh
. "$(dirname "$(readlink -f "$0")")/../support/checks.sh"
cp932=$(readlink -f "$1")
utf8=$(readlink -f "$2")

"$cp932" '/?' >"$work/cp932.usage" </dev/null
check "CP932 usage status 0" test $? = 0
"$utf8" '/?' >"$work/utf8.usage" </dev/null
check "UTF-8 usage status 0" test $? = 0

check "UTF-8 usage is valid UTF-8" iconv -f UTF-8 -t UTF-8 "$work/utf8.usage" -o /dev/null
iconv -f CP932 -t UTF-8 "$work/cp932.usage" >"$work/converted.usage"
check "usage texts agree" cmp -s "$work/converted.usage" "$work/utf8.usage"

# Error messages on standard error, with paths and values inside.
cd "$work" || exit 1
printf 'alpha\n' >a.txt
for args in "/X" "/I/IFnone.txt" "/I/IDnofolder" "/I/IL2147483648/IFa.txt" "/I/IFa.txt/IC9" \
            "/O/OR1/OR2" "/I/IFa.txt;a|b*c" "/I/IFa.txt/IL1/IT2"; do
  # shellcheck disable=SC2086
  "$cp932" $args >/dev/null 2>cp932.err </dev/null
  cp932_status=$?
  # shellcheck disable=SC2086
  "$utf8" $args >/dev/null 2>utf8.err </dev/null
  check "status 1 for '$args'" test "$cp932_status/$?" = 1/1
  check "a message for '$args'" test -s utf8.err
  check "messages agree for '$args'" cmp -s <(iconv -f CP932 -t UTF-8 cp932.err) utf8.err
done

# Configuring accepts CP932 and UTF-8 only, and builds the tests in CP932.
configure() { cmake -S "$repository" -B "$work/configure" -G Ninja "$@" >"$work/configure.log" 2>&1; }
configure -DPELTRIX_MESSAGE_CHARSET=EUC-JP
check "EUC-JP refused" test $? != 0
check "refusal names the choices" grep -q 'must be CP932 or UTF-8' "$work/configure.log"
rm -rf "$work/configure"
configure -DPELTRIX_MESSAGE_CHARSET=UTF-8 -DPELTRIX_BUILD_TESTS=ON
check "UTF-8 tests refused" test $? != 0
check "refusal explains the tests" grep -q 'tests check the CP932 bytes' "$work/configure.log"

checks_done "charset checks"
