#!/usr/bin/env bash
# The Debian package built from this build tree passes lintian without
# errors, says what dpkg and apt need to know, holds its files where Debian
# reads them, and its maintainer scripts never fail an installation.
#   debian-package.sh BUILD_DIR CHANGELOG VERSION
set -euo pipefail
build="$1"
changelog="$2"
version="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.log")"
debs=("$work"/out/wexo_*.deb)
deb="${debs[0]}"
[[ -f $deb ]] || fail "no package in $(ls "$work/out")"

# Errors fail; warnings are printed for whoever reads the log.
lintian_ok=true
lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 || lintian_ok=false
grep -v '^running with root' "$work/lintian" || true
$lintian_ok || fail "lintian reports errors"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == wexo ]] || fail "Package: $(field Package)"
[[ $(field Version) == "$version" ]] || fail "Version: $(field Version)"
[[ $(field Section) == utils ]] || fail "Section: $(field Section)"
[[ $(field Priority) == optional ]] || fail "Priority: $(field Priority)"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer: $(field Maintainer)"
# The libraries the program links come from dpkg-shlibdeps, with versions.
[[ $(field Depends) =~ libc6\ \(\>=\ [0-9] ]] || fail "Depends lacks libc6: $(field Depends)"
[[ $(field Depends) =~ libevdev2 ]] || fail "Depends lacks libevdev2: $(field Depends)"
# The changelog's newest entry is this version, so apt's changelog view
# and the package agree.
[[ $(dpkg-parsechangelog -l "$changelog" -S Version) == "$version" ]] ||
    fail "the changelog's newest entry is not $version"

dpkg-deb -x "$deb" "$work/root"
for f in usr/bin/wexo usr/lib/udev/rules.d/70-wexo.rules usr/lib/modules-load.d/wexo.conf \
         usr/lib/systemd/user/wexo.service usr/share/applications/com.wexo.Wexo.desktop \
         usr/share/icons/hicolor/scalable/apps/com.wexo.Wexo.svg \
         usr/share/metainfo/com.wexo.Wexo.metainfo.xml usr/share/doc/wexo/copyright \
         usr/share/doc/wexo/changelog.gz; do
    [[ -f $work/root/$f ]] || fail "$f is not in the package"
done
grep -qx 'ExecStart=/usr/bin/wexo' "$work/root/usr/lib/systemd/user/wexo.service" ||
    fail "the packaged unit does not start /usr/bin/wexo"
file -b "$work/root/usr/bin/wexo" | grep -q ', stripped' || fail "usr/bin/wexo is not stripped"

# The maintainer scripts load uinput and have udev re-read its rules where
# it runs, and succeed when every tool they call fails (a container, a
# chroot). Stand-ins on PATH record the calls and fail.
dpkg-deb -e "$deb" "$work/control"
mkdir "$work/bin"
for tool in modprobe udevadm; do
    printf '#!/bin/sh\necho "%s $*" >>"%s"\nexit 1\n' "$tool" "$work/calls" >"$work/bin/$tool"
    chmod +x "$work/bin/$tool"
done
for script in postinst postrm; do
    [[ -x $work/control/$script ]] || fail "$script is not executable"
done
run() { PATH="$work/bin:/usr/bin:/bin" "$work/control/$1" "$2" || fail "$1 $2 failed"; }
run postinst configure
grep -qx 'modprobe uinput' "$work/calls" || fail "postinst does not load uinput"
if [[ -S /run/udev/control ]]; then
    grep -qx 'udevadm control --reload' "$work/calls" || fail "postinst does not reload udev"
    grep -q '^udevadm trigger .*--subsystem-match=input' "$work/calls" ||
        fail "postinst does not trigger the input devices"
else
    ! grep -q udevadm "$work/calls" || fail "postinst asks udevadm where udev does not run"
fi
: >"$work/calls"
run postrm remove
run postrm purge
if [[ -S /run/udev/control ]]; then
    grep -qx 'udevadm control --reload' "$work/calls" || fail "postrm does not reload udev"
fi
echo "package $(basename "$deb") valid"
