#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh built: lintian finds no errors, the menu entry
# and the AppStream metadata validate, the manual pages are titled after their programs and name
# every option, the package recommends the window's font, and the programs
# unpacked into an empty folder (dpkg -x) fly the default design, render the window without a
# display and print the package's version; zorbal-cli links and loads no Qt for a flight and draws
# its pictures with the picture module the package holds.
# With ZORBAL_PACKAGE_INSTALL=1 (as root, on a machine it may change) it also installs the package
# with apt-get, runs the installed programs and removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."

debs=(build-release/zorbal_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "check-package: expected one build-release/zorbal_*.deb (run scripts/package.sh)" >&2
  exit 1
fi
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
depends=$(dpkg-deb -f "$deb" Depends)
recommends=$(dpkg-deb -f "$deb" Recommends)
echo "$deb: $(du -k "$deb" | cut -f1) KiB"
echo "Depends: $depends"
echo "Recommends: $recommends"

fail() {
  echo "check-package: $*" >&2
  exit 1
}

[ "$(basename "$deb")" = "zorbal_${version}_$(dpkg --print-architecture).deb" ] || fail "unexpected file name $deb"
grep -q -E -- '-dev([ ,]|$)' <<<"$depends" && fail "the package depends on a development package: $depends"
grep -q -E '(^|, )libqt6widgets6( |,|$)' <<<"$depends" || fail "Depends lacks Qt 6 Widgets: $depends"
# The window's first font, Liberation Sans.
grep -q -E '(^|, )fonts-liberation2( |$)' <<<"$recommends" || fail "Recommends lacks fonts-liberation2: $recommends"

echo "== lintian"
lintian --fail-on error --tag-display-limit 0 "$deb" 2> >(grep -v "running with root privileges" >&2)

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

echo "== contents"
# zorbal-cli's picture module, where zorbal-cli looks for it (../lib/<multiarch>/zorbal from /usr/bin).
pictures=usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/zorbal/zorbal-pictures.so
for file in usr/bin/zorbal usr/bin/zorbal-cli usr/share/applications/zorbal.desktop \
  usr/share/icons/hicolor/scalable/apps/zorbal.svg usr/share/metainfo/org.example.zorbal.metainfo.xml \
  usr/share/man/man1/zorbal.1.gz usr/share/man/man1/zorbal-cli.1.gz usr/share/doc/zorbal/copyright \
  usr/share/doc/zorbal/changelog.gz usr/share/mime/packages/zorbal.xml "$pictures"; do
  [ -f "$root/$file" ] || fail "the package lacks /$file"
done
if find "$root" -name '*.png' | grep -q .; then
  fail "the package holds pictures: $(find "$root" -name '*.png')"
fi
needed=$(readelf -d "$root/usr/bin/zorbal-cli" | grep NEEDED)
grep -q libQt6 <<<"$needed" && fail "zorbal-cli links Qt: $needed"
desktop-file-validate "$root/usr/share/applications/zorbal.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.zorbal.metainfo.xml"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/org.example.zorbal.metainfo.xml" ||
  fail "the AppStream metadata lacks the release $version"

echo "== the design files' type"
design_type=application/x-zorbal-design
xmllint --noout "$root/usr/share/mime/packages/zorbal.xml"
desktop_entry="$root/usr/share/applications/zorbal.desktop"
grep -q -x 'Exec=zorbal %f' "$desktop_entry" || fail "the menu entry does not pass the file: $(grep '^Exec=' "$desktop_entry")"
grep -q -x "MimeType=$design_type;" "$desktop_entry" || fail "the menu entry does not open $design_type"
# A MIME database of the system's types and ours and the menu entries' index, as the triggers of
# shared-mime-info and desktop-file-utils build them on install.
mime=$(mktemp -d)
mkdir -p "$mime/share/mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$root/usr/share/mime/packages/zorbal.xml" "$mime/share/mime/packages/"
mkdir -p "$mime/share/applications"
cp "$desktop_entry" "$mime/share/applications/"
built=$(XDG_DATA_DIRS="$mime/share" update-mime-database "$mime/share/mime" 2>&1) || fail "update-mime-database: $built"
[ -z "$built" ] || fail "update-mime-database complains about the design type: $built"
grep -q -x "$design_type" "$mime/share/mime/types" || fail "the MIME database lacks $design_type"
update-desktop-database "$mime/share/applications"
"$root/usr/bin/zorbal-cli" save-design "$mime/Water Rocket 1.txt"
printf 'Shopping list\r\nVolume\t2\r\n' >"$mime/notes.txt"
type_of() { XDG_DATA_DIRS="$mime/share" XDG_DATA_HOME="$mime/none" gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'; }
[ "$(type_of "$mime/Water Rocket 1.txt")" = "$design_type" ] || fail "a saved design is $(type_of "$mime/Water Rocket 1.txt")"
[ "$(type_of "$mime/notes.txt")" = text/plain ] || fail "a text file is $(type_of "$mime/notes.txt")"
# An entry counts only when its program is found.
apps=$(PATH="$root/usr/bin:$PATH" XDG_DATA_DIRS="$mime/share" XDG_DATA_HOME="$mime/none" gio mime "$design_type")
grep -q zorbal.desktop <<<"$apps" || fail "no application opens $design_type: $apps"
rm -rf "$mime"

# Each manual page names its program: the title line is ".TH ZORBAL ..." (".TH ZORBAL-CLI ...")
# and the NAME section starts with the program's name, whatever the programs printed besides
# their help (such as a warning of Qt's about the environment).
check_page_names() { # program
  local program=$1 page text title title_name name
  page="$root/usr/share/man/man1/$program.1.gz"
  text=$(zcat "$page")
  title=$(grep -m 1 '^\.TH ' <<<"$text" || true)
  title_name=$(awk '{ print $2 }' <<<"$title" | sed 's/\\-/-/g; s/"//g')
  [ "$title_name" = "${program^^}" ] || fail "$(basename "$page") is titled \"$title\", not ${program^^}"
  name=$(sed -n '/^\.SH NAME$/{n;p;q}' <<<"$text" | sed 's/\\-/-/g')
  [[ $name == "$program - "* ]] || fail "the NAME section of $(basename "$page") reads \"$name\", not $program"
}
check_page_names zorbal
check_page_names zorbal-cli

# Every option of every command, as --help lists it, in the manual page (roff writes - as \-).
cli="$root/usr/bin/zorbal-cli"
gui="$root/usr/bin/zorbal"
man_options() { zcat "$1" | sed 's/\\-/-/g'; }
help_options() { grep -o -E -- '--[a-z][a-z0-9-]*' | sort -u; }
check_man_page() { # page, then the help texts on standard input
  local page=$1 text
  text=$(man_options "$page")
  while read -r option; do
    grep -q -F -- "$option" <<<"$text" || fail "$(basename "$page") does not mention $option"
  done < <(help_options)
}
{
  "$cli" --help
  for command in $("$cli" --help | sed -n '/^Subcommands:/,$p' | awk 'NR > 1 && NF { print $1 }'); do
    grep -q -F ".SS $command" <(zcat "$root/usr/share/man/man1/zorbal-cli.1.gz") ||
      fail "zorbal-cli.1 has no part for the command $command"
    "$cli" "$command" --help
  done
} | check_man_page "$root/usr/share/man/man1/zorbal-cli.1.gz"
QT_QPA_PLATFORM=offscreen "$gui" --help | check_man_page "$root/usr/share/man/man1/zorbal.1.gz"

# The programs as installed: their version, a flight, and the window drawn without a display.
check_programs() { # folder holding zorbal and zorbal-cli
  local bin=$1 shots
  [ "$("$bin/zorbal-cli" --version)" = "zorbal-cli $version" ] || fail "zorbal-cli --version: $("$bin/zorbal-cli" --version)"
  [ "$(QT_QPA_PLATFORM=offscreen "$bin/zorbal" --version)" = "Zorbal $version" ] ||
    fail "zorbal --version: $(QT_QPA_PLATFORM=offscreen "$bin/zorbal" --version)"
  local flight
  flight=$("$bin/zorbal-cli" fly)
  grep -q -x 'Flight Duration: 4.30 seconds' <<<"$flight" &&
    grep -q -x 'Maximum Height:  22.60 metres' <<<"$flight" &&
    grep -q -x 'Range:           51.61 metres' <<<"$flight" || fail "zorbal-cli fly printed: $flight"
  # A flight loads no Qt (the dynamic loader names what it loads); a picture does, from the module.
  local loaded
  loaded=$(LD_DEBUG=libs "$bin/zorbal-cli" fly 2>&1 >/dev/null)
  grep -q libQt6 <<<"$loaded" && fail "zorbal-cli fly loads Qt"
  shots=$(mktemp -d)
  "$bin/zorbal-cli" fly --plot-trajectory "$shots/trajectory.png" >/dev/null ||
    fail "zorbal-cli fly --plot-trajectory failed"
  file "$shots/trajectory.png" | grep -q 'PNG image data' || fail "zorbal-cli --plot-trajectory wrote no picture"
  "$bin/zorbal-cli" sweep --vary 1=20:40:10 --plot "$shots/sweep.png" >/dev/null || fail "zorbal-cli sweep --plot failed"
  file "$shots/sweep.png" | grep -q 'PNG image data' || fail "zorbal-cli sweep --plot wrote no picture"
  QT_QPA_PLATFORM=offscreen "$bin/zorbal" --screenshot "$shots/window.png" --launch --tab 2
  file "$shots/window.png" | grep -q 'PNG image data' || fail "zorbal --screenshot wrote no picture"
  rm -rf "$shots"
}
echo "== the programs unpacked with dpkg -x"
check_programs "$root/usr/bin"

if [ "${ZORBAL_PACKAGE_INSTALL:-0}" = 1 ]; then
  echo "== apt-get install, run, remove"
  [ "$(id -u)" -eq 0 ] || fail "ZORBAL_PACKAGE_INSTALL=1 needs root"
  dpkg-query -W zorbal >/dev/null 2>&1 && fail "zorbal is installed already; not touching it"
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "./$deb" >/dev/null
  check_programs /usr/bin
  DEBIAN_FRONTEND=noninteractive apt-get purge -y zorbal >/dev/null
  [ ! -e /usr/bin/zorbal ] && [ ! -e /usr/share/doc/zorbal ] || fail "removing the package left files behind"
fi
echo "The package $(basename "$deb") is sound."
