#!/usr/bin/env bash
# Builds the .deb from a configured and built tree, unpacks it into a scratch
# root, checks what it lays out and starts the unpacked program under Xvfb as a
# user who cannot write /opt/kvor: its DATA must be copied once to the user's
# data folder, and the calculation named on the command line must open.
#
#   install_test.sh BUILD_DIR
set -euo pipefail

build=$(cd "${1:?usage: install_test.sh BUILD_DIR}" && pwd)
app_id=example.nivra.Kvor
fail() { echo "FAIL: $*" >&2; exit 1; }

scratch=$(mktemp -d "${TMPDIR:-/tmp}/kvor-install.XXXXXX")
cleanup() {
    chmod -R u+w "$scratch" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# --- the package
cpack -G DEB -B "$scratch/pkg" --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1 \
    || { cat "$scratch/cpack.log"; fail "cpack -G DEB failed"; }
debs=("$scratch"/pkg/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, got: ${debs[*]}"
deb=${debs[0]}
[ "$(dpkg-deb -f "$deb" Package)" = kvor ] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
has_dep() { [[ ", $depends," == *", $1"[\ ,]* ]]; }
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6charts6 libqt6svg6 qt6-qpa-plugins fonts-liberation; do
    has_dep "$p" || fail "Depends lacks $p: $depends"
done

root=$scratch/root
dpkg-deb -x "$deb" "$root"
opt=$root/opt/kvor

# --- layout
for f in kvor kvor-cli; do
    [ -x "$opt/$f" ] || fail "opt/kvor/$f missing or not executable"
done
for f in kvor-mkdata kvor_app_tests kvor_storage_tests; do
    [ ! -e "$opt/$f" ] || fail "opt/kvor/$f must not be shipped"
done
diff -r "$build/shipped/DATA" "$opt/DATA" >/dev/null || fail "opt/kvor/DATA differs from the built DATA"
[ "$(find "$opt/DATA" -iname '*.dbf' | wc -l)" -ge 15 ] || fail "too few tables in opt/kvor/DATA"
[ "$(wc -l <"$opt/TitleRep.txt")" -eq 3 ] || fail "TitleRep.txt must have three lines"
iconv -f UTF-8 -t UTF-8 "$opt/TitleRep.txt" >/dev/null || fail "TitleRep.txt is not UTF-8"
grep -q Nivra "$opt/TitleRep.txt" || fail "TitleRep.txt names no maker"

# Every library the program links directly comes from a package it depends on.
needed=$(objdump -p "$opt/kvor" | awk '$1 == "NEEDED" {print $2}')
[ -n "$needed" ] || fail "objdump lists no libraries of opt/kvor/kvor"
resolved=$(ldd "$opt/kvor")
for lib in $needed; do
    path=$(awk -v n="$lib" '$1 == n && $3 ~ /^\// {print $3} $1 ~ "/"n"$" {print $1}' <<<"$resolved" | head -n1)
    [ -n "$path" ] || fail "ldd does not resolve $lib"
    owner=$( (dpkg -S "$path" || dpkg -S "$(readlink -f "$path")") 2>/dev/null | head -n1 | cut -d: -f1) || true
    [ -n "$owner" ] || fail "no package owns $lib"
    has_dep "$owner" || fail "$lib comes from $owner, which Depends does not name"
done

share=$root/usr/share
desktop=$share/applications/$app_id.desktop
[ -f "$desktop" ] || fail "desktop file missing"
grep -qx 'Exec=/opt/kvor/kvor %f' "$desktop" || fail "desktop Exec line"
grep -qx "Icon=$app_id" "$desktop" || fail "desktop Icon line"
grep -q '^MimeType=application/x-kvor;' "$desktop" || fail "desktop MimeType line"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
for size in 16 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x${size}/apps/$app_id.png
    [ -f "$png" ] || fail "icon $size missing"
    # Width and height from the PNG header.
    read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4, $7*256+$8}')
    [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "icon $size is ${w}x${h}"
done
grep -q '<svg' "$share/icons/hicolor/scalable/apps/$app_id.svg" || fail "scalable icon"
mime=$share/mime/packages/$app_id.xml
grep -q 'type="application/x-kvor"' "$mime" && grep -q 'glob pattern="\*.kvor"' "$mime" || fail "MIME type"
grep -q 'glob pattern="\*.kvorproj"' "$mime" && grep -q '^MimeType=.*application/x-kvor-project;' "$desktop" || fail "project MIME type"
appstreamcli validate --no-net "$share/metainfo/$app_id.metainfo.xml" >"$scratch/appstream.log" 2>&1 \
    || { cat "$scratch/appstream.log"; fail "appstreamcli validate"; }

# --- kvor-cli on the PATH, and its manual page covering every command and option
link=$root/usr/bin/kvor-cli
[ -L "$link" ] || fail "usr/bin/kvor-cli is not a symbolic link"
[ "$(readlink "$link")" = /opt/kvor/kvor-cli ] || fail "usr/bin/kvor-cli points to $(readlink "$link")"
"$root$(readlink "$link")" --version | grep -q '^kvor-cli ' || fail "the linked kvor-cli does not run"
page=$share/man/man1/kvor-cli.1.gz
gzip -t "$page" 2>/dev/null || fail "kvor-cli.1.gz missing or not gzip"
zcat "$page" | head -n1 | grep -q '^\.TH KVOR-CLI 1 ' || fail "the manual page is not of section 1"
warnings=$(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1) || fail "groff failed on the manual page"
[ -z "$warnings" ] || fail "groff warns on the manual page: $warnings"
rendered=$(zcat "$page" | groff -man -Tutf8 -rHY=0 -rLL=200n -P-cbou 2>/dev/null)
# What the tool itself says it takes: each command and each of its options.
usage=$("$opt/kvor-cli" 2>&1 >/dev/null || true)
commands=$(sed -n 's/^ *usage: kvor-cli \([a-z]*\).*/\1/p' <<<"$usage")
[ "$(wc -w <<<"$commands")" -ge 6 ] || fail "kvor-cli lists too few commands: $usage"
for c in $commands; do
    section=$(awk -v c="$c" '$0 ~ "^   " c " " {on=1; print; next} /^   [a-z]+ / || /^[A-Z]/ {on=0} on' <<<"$rendered")
    [ -n "$section" ] || fail "the manual page has no section for $c"
    for option in $(grep "usage: kvor-cli $c " <<<"$usage" | grep -o -- '--[a-z0-9]*' | sort -u); do
        grep -q -- "$option" <<<"$section" || fail "the manual page's $c section lacks $option"
    done
done
for status in 0 1 3; do
    awk '/^EXIT STATUS/ {on=1} /^ENVIRONMENT/ {on=0} on' <<<"$rendered" | grep -Eq "^ +$status( |\$)" \
        || fail "the manual page does not explain exit status $status"
done

# --- the installed program, run by a user who cannot write it
chmod -R a-w "$root/opt"
home=$scratch/home
mkdir -p "$home"
chmod 755 "$scratch"
calc="$home/cold room.kvor"
cp "$opt/DATA/kvor.dbf" "$calc"
chmod u+w "$calc"
as_user=()
if [ "$(id -u)" = 0 ]; then
    # root writes anywhere; an ordinary account sees /opt/kvor as users do.
    chown -R nobody "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi

cat >"$scratch/session.sh" <<'SESSION'
#!/usr/bin/env bash
# Inside Xvfb: start the program with a file, give its window the focus (there
# is no window manager to do it), wait for the file's path in the title, end it.
exe=$1 calc=$2 log=$3
"$exe" "$calc" >"$log" 2>&1 &
pid=$!
finish() { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; exit "$1"; }
wid=
for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || { echo "kvor ended early" >>"$log"; exit 1; }
    wid=$(xdotool search --onlyvisible --name '^Nivra' 2>/dev/null | head -n1)
    [ -n "$wid" ] && break
    sleep 0.1
done
[ -n "$wid" ] || { echo "no main window" >>"$log"; finish 1; }
# A window just mapped can still refuse the focus (BadMatch) on a busy
# machine, so ask again until the title shows the file.
for _ in $(seq 1 300); do
    [[ "$(xdotool getwindowname "$wid")" == "$calc"* ]] && finish 0
    xdotool windowfocus "$wid" 2>/dev/null
    sleep 0.1
done
echo "title stayed: $(xdotool getwindowname "$wid")" >>"$log"
finish 1
SESSION
chmod 755 "$scratch/session.sh"

# run_session EXE HOME CALC: the program shows CALC in a session of its own.
run_session() {
    env -i PATH=/usr/bin:/bin HOME="$2" LANG=C.UTF-8 \
        "${as_user[@]}" xvfb-run -a -s "-screen 0 1024x768x24" \
        "$scratch/session.sh" "$1" "$3" "$2/kvor.log" \
        || { cat "$2/kvor.log" 2>/dev/null; fail "$1 did not show the calculation"; }
}

copy=$home/.local/share/kvor/DATA
run_session "$opt/kvor" "$home" "$calc"
[ -d "$copy" ] || fail "DATA was not copied to $copy"
[ "$(ls "$copy")" = "$(ls "$opt/DATA")" ] || fail "the copy holds other files than opt/kvor/DATA"
cmp -s "$copy/kvor.dbf" "$opt/DATA/kvor.dbf" || fail "the copied template differs"
[ -z "$(find "$home/.local/share/kvor" -maxdepth 1 -name 'DATA.partial-*')" ] || fail "partial copy left behind"

# A second start uses the copy as it is.
echo kept >"$copy/marker"
run_session "$opt/kvor" "$home" "$calc"
[ -f "$copy/marker" ] || fail "the second start replaced the copy"
diff -r "$build/shipped/DATA" "$opt/DATA" >/dev/null || fail "opt/kvor/DATA was changed"

# --- the portable folder: nothing outside it, and it keeps using its own DATA
cpack -G TGZ -B "$scratch/pkg" --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1 \
    || { cat "$scratch/cpack.log"; fail "cpack -G TGZ failed"; }
tgz=$(echo "$scratch"/pkg/kvor-*.tar.gz)
[ -f "$tgz" ] || fail "no .tar.gz"
top=$(tar tzf "$tgz" | cut -d/ -f1 | sort -u)
[ "$(wc -l <<<"$top")" -eq 1 ] || fail "the archive holds more than one folder: $top"
[ "$(tar tzf "$tgz" | sed "s|^$top/||" | grep -v '^DATA/.' | LC_ALL=C sort | tr '\n' ' ')" = "DATA/ TitleRep.txt kvor kvor-cli " ] \
    || fail "the archive holds: $(tar tzf "$tgz" | tr '\n' ' ')"
mkdir "$scratch/portable"
tar xzf "$tgz" -C "$scratch/portable"
folder=$scratch/portable/$top
home2=$scratch/home2
mkdir -p "$home2"
cp "$folder/DATA/kvor.dbf" "$home2/portable.kvor"
if [ "$(id -u)" = 0 ]; then
    chown -R nobody "$home2" "$folder"
fi
run_session "$folder/kvor" "$home2" "$home2/portable.kvor"
[ ! -e "$home2/.local/share/kvor" ] || fail "a portable folder must not copy its DATA"

echo "OK: $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB) and $(basename "$tgz") install and run"
