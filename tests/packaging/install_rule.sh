#!/bin/sh
# The install rule: cmake --install into an empty prefix gives the program in
# bin/ and the manual page in share/man/man1/ (gzip-compressed, or plain when
# the build found no gzip), and nothing else.
# Usage: install_rule.sh CMAKE BUILD_FOLDER PAGE
set -u
cmake=$1 build=$2 page=$3

fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}

work=$(mktemp -d "${TMPDIR:-/tmp}/circad2ipc-install.XXXXXX") || fail "cannot make a scratch folder"
trap 'rm -rf "$work"' EXIT
trap 'exit 1' HUP INT TERM

prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    fail "cmake --install $build --prefix $prefix failed:
$(cat "$work/install.log")"

program=$prefix/bin/circad2ipc
[ -f "$program" ] && [ -x "$program" ] || fail "no executable bin/circad2ipc under the prefix"

if [ -f "$prefix/share/man/man1/circad2ipc.1.gz" ]; then
    manual=share/man/man1/circad2ipc.1.gz
    gzip -dc "$prefix/$manual" | cmp -s - "$page" ||
        fail "$manual does not decompress to $page"
elif [ -f "$prefix/share/man/man1/circad2ipc.1" ]; then
    manual=share/man/man1/circad2ipc.1
    cmp -s "$prefix/$manual" "$page" || fail "$manual differs from $page"
else
    fail "no manual page share/man/man1/circad2ipc.1(.gz) under the prefix"
fi

installed=$(cd "$prefix" && find . ! -type d | sort)
expected=$(printf './bin/circad2ipc\n./%s\n' "$manual" | sort)
[ "$installed" = "$expected" ] || fail "the prefix holds other files than the program and its page:
$installed"

# The installed program is the converter: without an argument it names what it needs.
"$program" >"$work/stdout" 2>"$work/stderr"
status=$?
[ "$status" -eq 1 ] || fail "the installed program ends with status $status without an argument, not 1"
[ "$(tail -n 1 "$work/stdout")" = "program requires a CirCAD - PCB filename parameter" ] ||
    fail "the installed program prints, without an argument:
$(cat "$work/stdout" "$work/stderr")"

echo "install rule gives bin/circad2ipc and $manual"
