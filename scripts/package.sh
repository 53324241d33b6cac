#!/usr/bin/env bash
# Builds the Debian package from a Release build and checks it: lintian, the
# menu entry, the AppStream metadata, the icons and the package's contents,
# and that the packaged program starts. Leaves build-package/zorvcalc_*.deb.
# The build folder is kept, so a second run only rebuilds what changed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --packaging

build=build-package
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
app_id=org.zorv.ZorvCalc

echo "== Release build"
# Debian's hardening flags (those of dpkg-buildflags, without -g: the packaged
# binary is stripped anyway).
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORV_BUILD_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr \
  "-DCMAKE_CXX_FLAGS=-D_FORTIFY_SOURCE=2 -fstack-protector-strong -Wformat -Werror=format-security" \
  "-DCMAKE_EXE_LINKER_FLAGS=-Wl,-z,relro -Wl,-z,now" >/dev/null
cmake --build "$build" -j2

echo "== package"
rm -f "$build"/zorvcalc_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/zorvcalc_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "cpack made no single package" >&2; exit 1; }
deb=${debs[0]}

failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

version=$(dpkg-deb -f "$deb" Version)
[ "$version" = "$(dpkg-parsechangelog -l desktop/debian/changelog -S Version)" ] ||
  fail "package version $version is not the newest in desktop/debian/changelog"
bash scripts/render-icons.sh --check || fail "committed icons differ from the SVG"

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"

echo "== contents"
expected=(
  usr/bin/zorvcalc
  "usr/lib/$multiarch/zorvcalc/zorvcalc-net.so"
  "usr/lib/$multiarch/zorvcalc/zorvcalc-print.so"
  "usr/share/applications/$app_id.desktop"
  "usr/share/metainfo/$app_id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
  usr/share/man/man1/zorvcalc.1.gz
  usr/share/doc/zorvcalc/copyright
  usr/share/doc/zorvcalc/changelog.Debian.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for f in "${expected[@]}"; do
  [ -f "$tree/$f" ] || fail "missing /$f"
done
for size in 16 22 24 32 48 64 128 256; do
  png="$tree/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  [ -f "$png" ] && ! file -b "$png" | grep -q "PNG image data, $size x $size," &&
    fail "/${png#"$tree"/} is not ${size}x${size}"
done
unexpected=$(cd "$tree" && find . -type f | sed 's|^\./||' | sort |
  grep -vxF -f <(printf '%s\n' "${expected[@]}") || true)
[ -z "$unexpected" ] || fail "unexpected files in the package: $unexpected"
for elf in usr/bin/zorvcalc "usr/lib/$multiarch/zorvcalc/zorvcalc-net.so" "usr/lib/$multiarch/zorvcalc/zorvcalc-print.so"; do
  file -b "$tree/$elf" | grep -q "stripped" && ! file -b "$tree/$elf" | grep -q "not stripped" ||
    fail "/$elf is not stripped"
done
# The modules the program loads when first printing or downloading: found
# beside the program (../lib/<triplet>/zorvcalc from /usr/bin), with all
# they need.
for module in "$tree/usr/lib/$multiarch"/zorvcalc/*.so; do
  ! ldd "$module" | grep -q "not found" || fail "${module#"$tree"} needs a library that is not installed"
done

echo "== the packaged program"
"$tree/usr/bin/zorvcalc" --version | grep -qx "Zorv Advanced Calculator ${version%-*}" ||
  fail "zorvcalc --version does not print ${version%-*}"
printf '5+3=' | "$tree/usr/bin/zorvcalc" --batch 2>/dev/null | grep -q '8' ||
  fail "zorvcalc --batch does not add"

echo "== desktop-file-validate"
desktop-file-validate "$tree/usr/share/applications/$app_id.desktop" || fail "desktop-file-validate"

echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$tree/usr/share/metainfo/$app_id.metainfo.xml" || fail "appstreamcli validate"

echo "== man page"
man_warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$tree/usr/share/man/man1/zorvcalc.1.gz" 2>&1 >/dev/null)
[ -z "$man_warnings" ] || fail "man page: $man_warnings"

echo "== lintian"
lintian --fail-on error "$deb" || fail "lintian reports errors"

echo "== $deb: $(du -k "$deb" | cut -f1) KiB"
dpkg-deb -f "$deb" Depends
exit $failed
