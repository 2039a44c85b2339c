#!/bin/sh
# Every message that the end-to-end cases expect from the program is listed in
# the manual page's DIAGNOSTICS, in its exact words: each case's expected line,
# with the path, output file name or version number that varies from run to
# run replaced by the placeholder that the page uses, must stand as a line of
# its own in the formatted page.
# Usage: man_page_messages.sh PAGE CASES_FOLDER
set -u
page=$1 cases=$2

fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}

[ -r "$page" ] || fail "no manual page at $page"
[ -d "$cases" ] || fail "no end-to-end cases at $cases"

# The page as plain text, wide enough that no message is broken, one line per
# line with the indent removed.
backspace=$(printf '\b')
if command -v mandoc >/dev/null 2>&1; then
    text=$(mandoc -Tascii -Owidth=250 "$page") || fail "mandoc cannot format $page"
elif command -v groff >/dev/null 2>&1; then
    text=$(groff -man -Tascii -rLL=250n -P-cbou "$page" 2>/dev/null) || fail "groff cannot format $page"
else
    fail "neither mandoc nor groff is installed (apt-get install mandoc)"
fi
text=$(printf '%s\n' "$text" | sed -e "s/.$backspace//g" -e 's/^[[:space:]]*//' -e 's/[[:space:]]*$//')

messages=$(cat "$cases"/*/stdout | sed -E \
    -e 's/^.* created successfully$/name created successfully/' \
    -e 's/^Cannot (open|read) ".*"$/Cannot \1 "path"/' \
    -e 's/^Cannot (create|write) ".*"$/Cannot \1 "output"/' \
    -e 's/^CIRCAD Version [0-9]* - /CIRCAD Version N - /' \
    -e 's/^Error: //' | sort -u)
[ -n "$messages" ] || fail "the cases under $cases expect no output at all"

missing=
count=0
while IFS= read -r message; do
    [ -n "$message" ] || continue
    count=$((count + 1))
    printf '%s\n' "$text" | grep -qxF -- "$message" || missing="$missing
    $message"
done <<MESSAGES
$messages
MESSAGES

[ -z "$missing" ] || fail "the manual page $page does not list these messages:$missing"
echo "all $count messages that the cases expect are in the manual page"
