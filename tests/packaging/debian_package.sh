#!/bin/sh
# The Debian package: cpack builds circad2ipc_<version>_<arch>.deb; its control
# fields are right, Depends names the package of every shared library that the
# program needs, its files belong to root, and the program unpacked from it
# converts the example board into the expected netlist.
# Usage: debian_package.sh CPACK BUILD_FOLDER VERSION BOARD EXPECTED_NETLIST PAGE
set -u
cpack=$1 build=$2 version=$3 board=$4 expected=$5 page=$6

fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}

for tool in dpkg dpkg-deb gzip readelf; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/circad2ipc-deb.XXXXXX") || fail "cannot make a scratch folder"
trap 'rm -rf "$work"' EXIT
trap 'exit 1' HUP INT TERM

# Build the package outside the build folder. cpack first brings the build
# up to date (its preinstall step), then installs into a staging folder.
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    fail "cpack -G DEB failed:
$(cat "$work/cpack.log" "$work"/out/_CPack_Packages/*/DEB/PreinstallOutput.log 2>/dev/null)"
arch=$(dpkg --print-architecture)
deb=$work/out/circad2ipc_${version}_${arch}.deb
[ -f "$deb" ] || fail "cpack made no circad2ipc_${version}_${arch}.deb; it made: $(ls "$work/out")"

# Control fields.
dpkg-deb --info "$deb" >"$work/info" 2>&1 || fail "dpkg-deb --info cannot read the package:
$(cat "$work/info")"
field() {
    dpkg-deb --field "$deb" "$1"
}
expect_field() {
    value=$(field "$1")
    [ "$value" = "$2" ] || fail "control field $1 is '$value', not '$2'"
}
expect_field Package circad2ipc
expect_field Version "$version"
expect_field Architecture "$arch"
expect_field Priority optional
case $(field Section) in
    electronics | utils) ;;
    *) fail "control field Section is '$(field Section)', not electronics or utils" ;;
esac
case $(field Maintainer) in
    ?*" <"?*@?*">") ;;
    *) fail "control field Maintainer is '$(field Maintainer)', not 'Name <address>'" ;;
esac
description=$(field Description)
summary=$(printf '%s\n' "$description" | head -n 1)
[ -n "$summary" ] || fail "control field Description has no summary line"
[ "$(printf '%s\n' "$description" | wc -l)" -gt 1 ] || fail "control field Description has no long description"
[ -n "$(field Installed-Size)" ] || fail "control field Installed-Size is missing"

# Files: the program and its manual page, owned by root, with the usual modes.
dpkg-deb --contents "$deb" >"$work/contents" || fail "dpkg-deb --contents cannot list the package"
listing=$(awk '$1 !~ /^d/ { print $1, $2, $6 }' "$work/contents" | sort)
expected_listing=$(printf '%s\n' \
    '-rwxr-xr-x root/root ./usr/bin/circad2ipc' \
    '-rw-r--r-- root/root ./usr/share/man/man1/circad2ipc.1.gz' | sort)
[ "$listing" = "$expected_listing" ] || fail "the package holds, not just the program and its page:
$(cat "$work/contents")"
awk '$2 != "root/root" { bad = 1 } END { exit bad }' "$work/contents" ||
    fail "the package holds folders not owned by root:
$(cat "$work/contents")"

root=$work/root
dpkg-deb --extract "$deb" "$root" || fail "dpkg-deb --extract failed"
program=$root/usr/bin/circad2ipc
gzip -dc "$root/usr/share/man/man1/circad2ipc.1.gz" | cmp -s - "$page" ||
    fail "the packaged manual page does not decompress to $page"

# Depends: one package per shared library, named after its soname as Debian
# does (libfoo_bar.so.3 comes in libfoo-bar3); the C library's parts come in libc6.
depends=$(field Depends)
needed=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p')
[ -n "$needed" ] || fail "readelf finds no shared libraries in the packaged program"
for soname in $needed; do
    case $soname in
        libc.so.6 | libm.so.6 | libpthread.so.0 | libdl.so.2 | librt.so.1 | libresolv.so.2) package=libc6 ;;
        lib*.so.*) package=$(printf '%s\n' "$soname" | sed -e 's/\.so\.\([0-9]*\).*$/\1/' -e 's/_/-/g') ;;
        *) continue ;;
    esac
    printf '%s\n' "$depends" | tr ',' '\n' | sed 's/^ *//' | grep -q "^$package\( \|$\)" ||
        fail "control field Depends '$depends' does not name $package, the package of $soname"
done

# The packaged program converts the example board, beside it.
mkdir "$work/run" && cp "$board" "$work/run/board.pcb" || fail "cannot copy $board"
(cd "$work/run" && exec "$program" board.pcb) >"$work/stdout" 2>"$work/stderr"
status=$?
[ "$status" -eq 1 ] || fail "the packaged program ends with status $status, not 1:
$(cat "$work/stdout" "$work/stderr")"
[ "$(tail -n 1 "$work/stdout")" = "board.ipc created successfully" ] ||
    fail "the packaged program does not report success:
$(cat "$work/stdout" "$work/stderr")"
[ -f "$work/run/board.ipc" ] || fail "the packaged program wrote no board.ipc"
cmp "$work/run/board.ipc" "$expected" ||
    fail "the packaged program's netlist differs from $expected"

echo "$(basename "$deb"): Depends: $depends; converts the example board"
