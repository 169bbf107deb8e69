#!/usr/bin/env bash
# Runs the README's own commands as a new user would, from a fresh clone of
# the repository in a temporary folder: the setup line and the two commands
# of the quick start, then the commands of the Debian package under
# "Installing", which install the package on this machine with apt-get. The
# installed program must print its messages in UTF-8, on standard output and
# standard error, file names included. The package is purged before (so that
# apt-get really installs this one) and after. The Japanese and English
# sections must give the same commands, commands stay out of tables (a
# table cell escapes '|' as '\|', which a copied command would keep), and
# every error code of the Linux platform layer is listed for its users.
#   tests/examples/check_readme.sh
set -u
# shellcheck source=tests/support/checks.sh
. "$(dirname "$(readlink -f "$0")")/../support/checks.sh"
readme=$repository/README.md

# The lines of the ```sh blocks in the section headed exactly $1, each
# prefixed with the number of its block and a tab.
commands() {
  awk -v heading="$1" '
    /^#+ / { inside = ($0 == heading); next }
    inside && /^```sh$/ { block++; in_block = 1; next }
    in_block && /^```$/ { in_block = 0; next }
    inside && in_block { print block "\t" $0 }
  ' "$readme"
}
commands "### Quick start" >"$work/quick"
commands "### クイックスタート" >"$work/quick.ja"
commands "### Installing" | awk -F'\t' '$1 == 1' >"$work/install"
commands "### インストール" | awk -F'\t' '$1 == 1' >"$work/install.ja"
check "quick start: a setup line and two commands" test "$(cut -f1 "$work/quick" | tr '\n' ' ')" = "1 2 3 "
check "quick start: the setup line updates the package lists" grep -q $'^1\tapt-get update && apt-get install -y ' "$work/quick"
check "quick start: the same commands in Japanese" cmp -s "$work/quick" "$work/quick.ja"
check "installing: the package's commands" grep -q $'^1\tapt-get install -y \\./build/packages/peltrix_\\*\\.deb$' "$work/install"
check "installing: no version in the commands" bash -c "! grep -q '[0-9]\\.[0-9]' '$work/install'"
check "installing: the same commands in Japanese" cmp -s "$work/install" "$work/install.ja"
check "no table row escapes '|'" bash -c "! grep -n '^|.*\\\\|' '$readme'"

# Every code the POSIX layer has a text for is in the table of codes of
# both languages, except those that never reach a message: 18 ends a folder
# listing, 122 needs a text longer than the message buffer.
sed -n '/^\.SS "System error codes"/,/^\.SH/p' "$repository/doc/peltrix.1" >"$work/page-codes"
codes=$(sed -n '/kSystemTexts\[\] = {/,/^};/s/^ *{\([0-9]*\),.*/\1/p' "$repository/src/platform/posix_errors.cpp")
check "the platform layer's codes found" test "$(wc -w <<<"$codes")" -gt 10
for code in $codes 317; do
  case $code in 18 | 122) continue ;; esac
  check "code $code in the README's tables" test "$(grep -c "^| $code | " "$readme")" = 2
  check "code $code in the manual page" grep -q "^\\.B $code\$" "$work/page-codes"
done

# The commands, from a fresh clone.
git clone -q "$repository" "$work/clone"
check "fresh clone" test -f "$work/clone/README.md"
cd "$work/clone" || exit 1
run() {  # runs one README line in the clone; its output lands in a log
  echo "\$ $1"
  bash -c "$1" >"$work/command.log" 2>&1 </dev/null
  local status=$?
  [ "$status" = 0 ] || tail -n 30 "$work/command.log"
  return "$status"
}
while IFS=$'\t' read -r _ line; do
  check "quick start: $line" run "$line"
done <"$work/quick"
check "quick start: the program is built" test -x build/release/peltrix
check "quick start: the tests ran" grep -q '100% tests passed' "$work/command.log"

purge() { if dpkg -s peltrix >/dev/null 2>&1; then dpkg --purge peltrix >/dev/null; fi; }
purge
while IFS=$'\t' read -r _ line; do
  check "installing: $line" run "$line"
done <"$work/install"
check "installing: the package is installed" test "$(dpkg-query -W -f '${Status}' peltrix 2>/dev/null)" = \
  "install ok installed"

# The installed program, as a user on a UTF-8 terminal meets it.
mkdir "$work/user" && cd "$work/user" || exit 1
check "installed program on the path" test "$(command -v peltrix)" = /usr/bin/peltrix
peltrix '/?' >usage 2>usage.err </dev/null
check "installed: usage status 0" test $? = 0
check "installed: usage is valid UTF-8" iconv -f UTF-8 -t UTF-8 usage -o /dev/null
peltrix $'/I/IFcaf\xc3\xa9.txt' >/dev/null 2>refusal </dev/null
check "installed: refusal status 1" test $? = 1
check "installed: the message on standard error in UTF-8" grep -q '^E037-1 .*コピー元ファイルが見つかりません。$' refusal
check "installed: a UTF-8 name inside it" grep -qx $'E037-2 caf\xc3\xa9.txt' refusal
check "installed: the whole message is valid UTF-8" iconv -f UTF-8 -t UTF-8 refusal -o /dev/null
if command -v man >/dev/null; then
  check "installed: man finds the manual page" test "$(man -w peltrix)" = /usr/share/man/man1/peltrix.1.gz
fi
cd "$work" || exit 1
purge
check "the package is purged again" bash -c '! dpkg -s peltrix >/dev/null 2>&1'

checks_done "README checks"
