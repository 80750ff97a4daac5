#!/usr/bin/env bash
# `cmake --install` into a temporary prefix puts every file where a desktop
# looks for it, and the files pass the desktop's own validators.
#   install-tree.sh BUILD_DIR VERSION
set -euo pipefail
build="$1"
version="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Under usr/ so that appstreamcli can read the prefix as a system's tree.
prefix="$work/root/usr"
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/wexo \
         lib/udev/rules.d/70-wexo.rules \
         lib/modules-load.d/wexo.conf \
         lib/systemd/user/wexo.service \
         share/applications/com.wexo.Wexo.desktop \
         share/icons/hicolor/scalable/apps/com.wexo.Wexo.svg \
         share/metainfo/com.wexo.Wexo.metainfo.xml \
         share/wexo/wexo-stdio.yaml \
         share/man/man1/wexo.1.gz \
         share/doc/wexo/copyright share/doc/wexo/changelog.gz share/doc/wexo/README.md \
         share/doc/wexo/linux-stdio.md share/doc/wexo/manual-checklist.md; do
    [[ -s $prefix/$f ]] || fail "$f is missing or empty"
done
[[ -x $prefix/bin/wexo ]] || fail "bin/wexo is not executable"
[[ $("$prefix/bin/wexo" --version) == "wexo $version" ]] || fail "the installed wexo is not $version"

# The unit starts the program installed beside it, whatever the prefix.
unit="$prefix/lib/systemd/user/wexo.service"
grep -qx "ExecStart=$prefix/bin/wexo" "$unit" || fail "ExecStart does not name $prefix/bin/wexo"
grep -qx 'Restart=on-failure' "$unit" || fail "the unit does not restart on failure"
if command -v systemd-analyze >/dev/null; then
    # --user needs a runtime directory even offline; any complaint fails.
    mkdir -m 700 "$work/runtime"
    complaints=$(XDG_RUNTIME_DIR="$work/runtime" systemd-analyze verify --user "$unit" 2>&1) ||
        fail "systemd-analyze verify: $complaints"
    [[ -z $complaints ]] || fail "systemd-analyze verify: $complaints"
fi

grep -qx uinput "$prefix/lib/modules-load.d/wexo.conf" || fail "uinput is not loaded at boot"

desktop="$prefix/share/applications/com.wexo.Wexo.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
# The menu entry runs the installed program and shows the installed icon.
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[[ -x $prefix/bin/$exec_name ]] || fail "Exec=$exec_name is not an installed program"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[[ -f $prefix/share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "Icon=$icon has no SVG"

# The metainfo, checked against the tree: its launchable desktop entry must
# be there too.
appstreamcli validate-tree --no-net "$work/root" >"$work/appstream" 2>&1 ||
    fail "appstreamcli validate-tree: $(cat "$work/appstream")"

# The manual page documents every option the program accepts.
man_text=$(zcat "$prefix/share/man/man1/wexo.1.gz" | sed 's/\\-/-/g')
for option in $("$prefix/bin/wexo" --help | grep -o '^  --[a-z-]*'); do
    grep -q -- "$option" <<<"$man_text" || fail "the manual page does not document $option"
done
man --warnings -l "$prefix/share/man/man1/wexo.1.gz" 2>"$work/man" >/dev/null
[[ ! -s $work/man ]] || fail "man: $(cat "$work/man")"
echo "installed tree complete and valid"
