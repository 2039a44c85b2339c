#!/bin/sh
# The manual page's markup: mandoc -Tlint and groff -ww must both stay silent on
# it (each one that is installed; at least one must be), and its title line
# must carry the project's version.
# Usage: man_page_lint.sh PAGE VERSION
set -u
page=$1 version=$2

fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}

[ -r "$page" ] || fail "no manual page at $page"

linters=
if command -v mandoc >/dev/null 2>&1; then
    report=$(mandoc -Tlint -Wall "$page" 2>&1)
    status=$?
    [ "$status" -eq 0 ] && [ -z "$report" ] ||
        fail "mandoc -Tlint finds fault with $page (status $status):
$report"
    linters="$linters mandoc"
fi
if command -v groff >/dev/null 2>&1; then
    report=$(groff -ww -man -z "$page" 2>&1)
    status=$?
    [ "$status" -eq 0 ] && [ -z "$report" ] ||
        fail "groff -ww -man -z warns about $page (status $status):
$report"
    linters="$linters groff"
fi
[ -n "$linters" ] || fail "neither mandoc nor groff is installed (apt-get install mandoc)"

title=$(grep '^\.TH ' "$page")
case $title in
    ".TH CIRCAD2IPC 1 "*" \"circad2ipc $version\" "*) ;;
    *) fail "the title line of $page does not name version $version: $title" ;;
esac

echo "manual page clean under:$linters"
