#!/usr/bin/env bash
# Checks `cmake --install` of a POSIX build into a temporary prefix: exactly
# the program, its manual page, the README and the licence, in their usual
# places.
#   tests/packaging/check_install.sh BUILD_DIR
set -u
# shellcheck source=tests/support/checks.sh
. "$(dirname "$(readlink -f "$0")")/../support/checks.sh"
build=$(readlink -f "$1")

cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" 2>&1
check "cmake --install succeeds" test $? = 0
(cd "$work/prefix" && find . ! -type d | sort) >"$work/files"
printf '%s\n' ./bin/peltrix ./share/doc/peltrix/README.md ./share/doc/peltrix/copyright \
  ./share/man/man1/peltrix.1 >"$work/expected"
check "installs exactly the expected files" cmp -s "$work/files" "$work/expected"
"$work/prefix/bin/peltrix" '/?' >/dev/null </dev/null
check "installed program prints its usage text" test $? = 0
check "installed copyright file is the licence" cmp -s "$work/prefix/share/doc/peltrix/copyright" "$repository/LICENSE"
check "installed manual page is doc/peltrix.1" cmp -s "$work/prefix/share/man/man1/peltrix.1" "$repository/doc/peltrix.1"

checks_done "install checks"
