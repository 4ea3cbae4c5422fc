#!/usr/bin/env bash
# Builds the Debian package from a build tree, unpacks it into a scratch root, starts the
# installed program offscreen with a scratch HOME and checks that its files land in the
# per-user folder, that the installed orvoview-cli reads the same folder, that the desktop
# entry, AppStream metadata, man pages and completion are valid, that every program answers
# --help and --version without a display, and that lintian finds no error in the package.
# install_test.sh BUILD_DIR; exit 77 (skipped) when a tool is missing.
set -euo pipefail
build=$1
id=org.orvoview.OrvoView

skip() {
    echo "SKIPPED: $*"
    exit 77
}
fail() {
    echo "FAILED: $*" >&2
    exit 1
}
for tool in cpack dpkg-deb desktop-file-validate appstreamcli lintian; do
    command -v "$tool" >/dev/null || skip "$tool is missing (bash scripts/setup.sh installs it)"
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/orvo_install.XXXXXX")
gui=""
cleanup() {
    if [ -n "$gui" ]; then kill "$gui" 2>/dev/null || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT

# The package, and what it needs from the system.
(cd "$build" && cpack -G DEB -B "$scratch/pkg") >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack"; }
deb=$(ls "$scratch"/pkg/orvoview_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for need in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 \
    fonts-ipafont-gothic; do
    [[ $depends == *"$need"* ]] || fail "Depends lacks $need: $depends"
done
if command -v apt-get >/dev/null; then
    apt-get install --simulate --no-install-recommends "$deb" >"$scratch/apt.log" 2>&1 ||
        { cat "$scratch/apt.log"; fail "apt cannot install $deb"; }
fi

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
reportgen="$root/usr/libexec/orvoview/orvo-reportgen"
for file in bin/orvoview bin/orvoview-cli libexec/orvoview/orvo-reportgen \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
    share/icons/hicolor/256x256/apps/$id.png share/man/man1/orvoview.1.gz \
    share/man/man1/orvoview-cli.1.gz share/man/man1/orvo-reportgen.1.gz \
    share/bash-completion/completions/orvoview-cli \
    share/doc/orvoview/copyright share/doc/orvoview/changelog.gz; do
    [ -e "$root/usr/$file" ] || fail "the package lacks /usr/$file"
done
[ ! -e "$root/usr/bin/orvo-reportgen" ] || fail "the developer's tool is on the users' PATH"
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" ||
    fail "AppStream metadata"
if command -v groff >/dev/null && command -v preconv >/dev/null; then
    for page in "$root"/usr/share/man/man1/*.1.gz; do
        warnings=$(zcat "$page" | preconv | groff -man -Tutf8 -wall -z 2>&1)
        [ -z "$warnings" ] || fail "man page $(basename "$page"): $warnings"
    done
fi
zcat "$root/usr/share/man/man1/orvoview-cli.1.gz" | grep -q '^\.SS export\\-sqlite' ||
    fail "the tool's man page lacks its commands"

# Lintian at its normal level: no error (its tags on sanitizer builds are warnings at most).
lintian --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1 || true
if grep -q '^E: ' "$scratch/lintian.log"; then
    cat "$scratch/lintian.log"
    fail "lintian reports errors"
fi

# --help and --version of every program, on stdout with status 0, without any display.
no_display() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u ORVOVIEW_HOME HOME="$scratch" "$@"; }
for program in "$root/usr/bin/orvoview" "$root/usr/bin/orvoview-cli" "$reportgen"; do
    name=$(basename "$program")
    version=$(no_display "$program" --version 2>"$scratch/err") || fail "$name --version"
    [[ $version == "$name "[0-9]* ]] || fail "$name --version printed: $version"
    [ ! -s "$scratch/err" ] || fail "$name --version wrote to stderr: $(cat "$scratch/err")"
    no_display "$program" --help >"$scratch/help" 2>"$scratch/err" || fail "$name --help"
    grep -q "^usage: $name" "$scratch/help" || fail "$name --help printed no usage"
done

# The completion offers the tool's commands and a command's options.
completion="$root/usr/share/bash-completion/completions/orvoview-cli"
offered=$(bash -c 'source "$1"; COMP_WORDS=(orvoview-cli export); COMP_CWORD=1; _orvoview_cli
    echo "${COMPREPLY[*]}"; COMP_WORDS=(orvoview-cli csv --mo); COMP_CWORD=2; _orvoview_cli
    echo "${COMPREPLY[*]}"' _ "$completion")
[ "$offered" = $'export export-sqlite\n--month' ] || fail "completion offered: $offered"

# The installed program with a fresh home: its files go to ~/.local/share/OrvoView.
home="$scratch/home"
mkdir -p "$home"
folder="$home/.local/share/OrvoView"
as_user() { env -u ORVOVIEW_HOME -u XDG_DATA_HOME HOME="$home" "$@"; }
# Started without the shell function, so that $! is the program itself.
env -u ORVOVIEW_HOME -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=offscreen \
    "$root/usr/bin/orvoview" >"$scratch/gui.log" 2>&1 &
gui=$!
for _ in $(seq 600); do
    [ -f "$folder/orvoview.INI" ] && [ -f "$folder/DATA/Orvo.DAT" ] && break
    kill -0 "$gui" 2>/dev/null || break
    sleep 0.1
done
[ -f "$folder/orvoview.INI" ] || { cat "$scratch/gui.log"; fail "no INI file in $folder"; }
[ -f "$folder/DATA/Orvo.DAT" ] || { cat "$scratch/gui.log"; fail "no DATA/Orvo.DAT in $folder"; }
[ ! -e "$root/usr/bin/orvoview.INI" ] || fail "the program wrote beside its executable"
kill "$gui"
wait "$gui" 2>/dev/null || true
gui=""

# The installed orvoview-cli works on the same folder and says so.
cli="$root/usr/bin/orvoview-cli"
as_user "$cli" --help | grep -qF "Program folder in use: $folder (the per-user folder)" ||
    fail "orvoview-cli --help does not name $folder"
as_user XDG_DATA_HOME="$scratch/xdg" "$cli" --help |
    grep -qF "Program folder in use: $scratch/xdg/OrvoView (the per-user folder)" ||
    fail "orvoview-cli ignores XDG_DATA_HOME"
as_user "$reportgen" --days 2 --channels 1 --out "$scratch/report.txt"
as_user "$cli" import-report "$scratch/report.txt" --customer ABC_1 --circuit line >"$scratch/import.log" 2>&1 ||
    { cat "$scratch/import.log"; fail "import-report into $folder"; }
list=$(as_user "$cli" list)
[[ $list == ABC_1* ]] || fail "orvoview-cli list: $list"
grep -q ABC_1 "$folder/DATA/Orvo.DAT" || fail "the data file in $folder lacks the import"
echo "installed program keeps its files in $folder"
