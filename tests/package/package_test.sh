#!/usr/bin/env bash
# Builds the Debian package from the build folder BUILD, checks its contents with lintian and
# appstreamcli, unpacks it into a temporary root and runs ruvenset-cli from there against the
# simulated flow computer. A missing tool fails the test: scripts/install-deps installs them all.
set -euo pipefail
build=$1
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
for tool in cpack dpkg-deb dpkg-shlibdeps lintian appstreamcli; do
  command -v "$tool" >/dev/null || fail "$tool is missing; run scripts/install-deps"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/out/ruvenset_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || fail "no package was made"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libstdc++6 libc6; do
  [[ $depends == *"$library "* ]] || fail "Depends lacks $library: $depends"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
for program in ruvenset grafmira ruvenset-cli fcsim; do
  [ -x "$root/usr/bin/$program" ] || fail "/usr/bin/$program is missing"
  [ -f "$root/usr/share/man/man1/$program.1.gz" ] || fail "the manual page of $program is missing"
done
for file in ruvenset/lang/Lang00.txt ruvenset/lang/Lang01.txt \
  applications/org.ruvenset.Ruvenset.desktop applications/org.ruvenset.Grafmira.desktop \
  icons/hicolor/scalable/apps/ruvenset.svg icons/hicolor/scalable/apps/grafmira.svg \
  mime/packages/org.ruvenset.Grafmira.xml doc/ruvenset/copyright \
  doc/ruvenset/guide/guide.ru.html doc/ruvenset/guide/guide.uk.html; do
  [ -f "$root/usr/share/$file" ] || fail "/usr/share/$file is missing"
done
# Every picture the guide shows is installed beside it.
for page in "$root"/usr/share/doc/ruvenset/guide/guide.*.html; do
  for picture in $(grep -o 'src="[^"]*"' "$page" | sed 's/^src="//; s/"$//'); do
    [ -f "$(dirname "$page")/$picture" ] || fail "$(basename "$page") shows $picture, which is not installed"
  done
done
grep -q '^MimeType=application/x-ruvenset-verification;$' "$root/usr/share/applications/org.ruvenset.Grafmira.desktop" ||
  fail "Grafmira's desktop entry does not open verification files"
grep -q 'pattern="\*.ctr"' "$root/usr/share/mime/packages/org.ruvenset.Grafmira.xml" ||
  fail "the MIME type does not cover .ctr files"

appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; fail "appstreamcli"; }
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian reports errors"; }

# The installed program finds its catalogues beside its own folder, not in the build tree.
cli=(env -u RUVENSET_LANG_DIR -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "XDG_CONFIG_HOME=$work/config"
  "$root/usr/bin/ruvenset-cli" --demo identify --password 1234)
out=$(cd "$work" && "${cli[@]}") || fail "ruvenset-cli from the package ended with $?: $out"
grep -q '^pipelines [1-9]' <<<"$out" || fail "no identification: $out"
mv "$root/usr/share/ruvenset/lang" "$work/lang-away"
if (cd "$work" && "${cli[@]}" >/dev/null 2>&1); then fail "ran without its catalogues"; fi
echo "package $(basename "$deb") passed: $depends"
