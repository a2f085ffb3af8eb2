#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks it as a packager
# would: its library dependencies, its files unpacked into a scratch root (the
# programs start from there and find their data), the desktop entry and the
# AppStream metadata validated, lintian without errors, and apt able to
# install it. Usage: scripts/check-package.sh [BUILD_DIR]
set -euo pipefail
build=$(readlink -f "${1:-build}")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

rm -f "$build"/tiko_*.deb
(cd "$build" && cpack -G DEB > /dev/null)
deb=$(ls "$build"/tiko_*.deb)
echo "package: $deb"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libsdl2-2.0-0 libpng16-16 libjpeg62-turbo; do
  [[ $depends == *"$lib "* ]] || fail "Depends lacks $lib: $depends"
done

[[ $(dpkg-deb -f "$deb" Recommends) == *qt6-wayland* ]] || fail "the package does not recommend qt6-wayland"

dpkg-deb -x "$deb" "$root"
# SDL2 is loaded when sound or a game controller needs it, never linked: the
# Depends line above names it itself.
for program in tiko tiko-script; do
  if objdump -p "$root/usr/games/$program" | grep -q "NEEDED.*libSDL2"; then
    fail "$program links SDL2"
  fi
done
[[ $(ls "$root/usr/games") == $'tiko\ntiko-script' ]] || fail "the programs are not in /usr/games"
version=$(dpkg-deb -f "$deb" Version)
[[ $(env -u DISPLAY "$root/usr/games/tiko" --version | head -n 1) == "tiko $version" ]] || fail "tiko --version"
# The unpacked tiko-script runs a script from its new place.
echo "dump" | XDG_CONFIG_HOME="$root/config" "$root/usr/games/tiko-script" | grep -q "^@0 dump" ||
  fail "the unpacked tiko-script does not run"

desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
# Lintian's warnings and notes are shown; only errors fail.
lintian --fail-on error --display-level ">=warning" "$deb" 2>&1 | grep -v "root privileges" || true
lintian --fail-on error -q "$deb" > /dev/null 2>&1 || fail "lintian reports errors"
# Built hardened, as dpkg-buildflags would: not even an informational tag says otherwise.
hardening=$(lintian --pedantic -I "$deb" 2>&1 | grep -E "hardening|binary-has-unneeded-section" || true)
[[ -z $hardening ]] || fail "lintian: $hardening"
[[ $(dpkg-deb -f "$deb" Recommends) == *xdg-utils* ]] || fail "Recommends lacks xdg-utils"
[[ $depends == *fonts-liberation2* ]] || fail "Depends lacks fonts-liberation2"
# apt resolves every dependency (a dry run: this machine keeps what it had).
apt-get install -s -qq "$deb" > "$root/apt.log" 2>&1 || { cat "$root/apt.log"; fail "apt cannot install it"; }
# The package in a minimal Debian 12 root: installed, played, removed.
if [[ ${TIKO_CLEAN_ROOT:-1} != 0 ]]; then
  "$(dirname "$0")/check-clean-root.sh" "$deb" "$build"
fi
echo "package: checked"
