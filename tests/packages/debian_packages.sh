#!/usr/bin/env bash
# Checks the Debian packages that scripts/package-debian.sh built, without
# installing anything on the machine:
#   - debian/changelog carries the project's version;
#   - each package holds exactly the files of expected_files.txt, and the
#     relations dpkg-shlibdeps and the symbols file give;
#   - unpacked with dpkg -x into a temporary root: no RPATH, C hosts built
#     through pkg-config and CMake against that root count the packaged
#     tables' categories, and the packaged kavu prints a report from the
#     packaged data by default;
#   - the manual pages lint clean, and lintian finds no error or warning.
#   debian_packages.sh DEB_DIR WORK_DIR
set -euo pipefail
debs="$(realpath "$1")"
work="$(realpath -m "$2")"
here="$(cd "$(dirname "$0")" && pwd)"
source_root="$(cd "$here/../.." && pwd)"
source "$source_root/tests/install/consumers.sh"

fail() {
  echo "debian packages: $*" >&2
  exit 1
}

for tool in dpkg-deb dpkg-architecture dpkg-parsechangelog lintian mandoc groff readelf pkg-config \
            cmake cc; do
  command -v "$tool" >/dev/null || fail "$tool is missing: scripts/suites/packages.sh installs it"
done

version="$(dpkg-parsechangelog -l "$source_root/debian/changelog" -S Version)"
project="$(sed -nE 's/^project\(Kavu32 VERSION ([0-9.]+).*/\1/p' "$source_root/CMakeLists.txt")"
[ "$version" = "$project" ] || fail "debian/changelog says $version, the project is $project"

arch="$(dpkg-architecture -qDEB_HOST_ARCH)"
multiarch="$(dpkg-architecture -qDEB_HOST_MULTIARCH)"
declare -A package_arch=([libkavu32-1]=$arch [libkavu32-dev]=$arch [kavu-tools]=$arch [kavu32-data]=all)

deb_file() {
  local file="$debs/${1}_${version}_${package_arch[$1]}.deb"
  [ -f "$file" ] || fail "no package $file"
  echo "$file"
}

# Contents: PACKAGE PATH [-> TARGET] for every file and link.
actual="$(for package in "${!package_arch[@]}"; do
  dpkg-deb -c "$(deb_file "$package")" | awk -v p="$package" '$1 !~ /^d/ {
    path = $6; sub(/^\./, "", path)
    print p, path ($7 == "->" ? " -> " $8 : "") }'
done | LC_ALL=C sort)"
expected="$(grep -v '^#' "$here/expected_files.txt" |
  sed "s/@MULTIARCH@/$multiarch/g; s/@VERSION@/$project/g" | LC_ALL=C sort)"
diff -u <(echo "$expected") <(echo "$actual") ||
  fail "the packages' files differ from expected_files.txt (- expected, + packaged)"
echo "package contents: as expected ($(wc -l <<<"$actual") files)"

# Relations: the tools' dependency on the library comes from its symbols
# file, kavu's on libwmf from a build with the page; the development
# package pins the library's exact version.
field() { dpkg-deb -f "$(deb_file "$1")" "$2"; }
[[ "$(field kavu-tools Depends)" == *"libkavu32-1 (>= "* ]] ||
  fail "kavu-tools does not depend on libkavu32-1: $(field kavu-tools Depends)"
[[ "$(field kavu-tools Depends)" == *libwmf* ]] || fail "kavu-tools does not depend on libwmf"
[[ "$(field libkavu32-dev Depends)" == *"libkavu32-1 (= $version)"* ]] ||
  fail "libkavu32-dev does not depend on libkavu32-1 (= $version)"
[ "$(field kavu-tools Recommends)" = "kavu32-data" ] || fail "kavu-tools does not recommend kavu32-data"

root="$work/root"
rm -rf "$work"
mkdir -p "$root"
for package in "${!package_arch[@]}"; do
  dpkg -x "$(deb_file "$package")" "$root"
done
libdir="$root/usr/lib/$multiarch"

for binary in "$root/usr/bin/dtf" "$root/usr/bin/kavu" "$libdir/libkavu32.so.$project"; do
  if readelf -d "$binary" | grep -E 'RPATH|RUNPATH'; then
    fail "$binary carries a library search path"
  fi
done
[[ "$(readelf -d "$libdir/libkavu32.so.$project")" == *"Library soname: [libkavu32.so.1]"* ]] ||
  fail "libkavu32.so.$project is not named libkavu32.so.1"

check_consumers "$root/usr" "$libdir" "$root/usr/share/kavu32/tables" "$work"

# The packaged kavu, loading the packaged library, finds the packaged
# tables and pictures beside itself.
[[ "$(LD_LIBRARY_PATH="$libdir" ldd "$root/usr/bin/kavu")" == *"libkavu32.so.1 => $libdir/"* ]] ||
  fail "the packaged kavu does not load the packaged library"
LD_LIBRARY_PATH="$libdir" "$root/usr/bin/kavu" report 1992-06-19 "Ann Lee" >"$work/report" ||
  fail "the packaged kavu failed: $(cat "$work/report")"
for line in "A LOOK AT THE WORLD WHEN ANN LEE WAS BORN" "Zodiac Graphic: Zodiac4.wmf" \
            "Chinese Year Graphic: Chines8.wmf" "Border Graphic: Border.wmf"; do
  grep -qxF "$line" "$work/report" || fail "the packaged kavu's report lacks '$line'"
done
# Built with libwmf: the page draws the three pictures.
LD_LIBRARY_PATH="$libdir" "$root/usr/bin/kavu" report --html --output "$work/report.html" \
  1992-06-19 "Ann Lee" || fail "the packaged kavu wrote no page"
[ "$(grep -o '<svg' "$work/report.html" | wc -l)" -ge 3 ] ||
  fail "the packaged kavu's page lacks its pictures"
echo "packaged kavu: report and page printed from the packaged data"

# The manual pages as packaged: no warning from either formatter.
for page in "$root"/usr/share/man/man*/*.gz; do
  mandoc -T lint -W warning "$page" || fail "mandoc finds fault with $page"
  warnings="$(zcat "$page" | groff -ww -z -man 2>&1)"
  [ -z "$warnings" ] || fail "groff warns about $page: $warnings"
done
echo "manual pages: lint clean"

# Informational tags are printed; an error or a warning fails.
lintian --display-info --fail-on error,warning "$debs/kavu32_${version}_$arch.changes" ||
  fail "lintian reports errors or warnings"
echo "lintian: no error, no warning"
