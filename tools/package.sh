#!/usr/bin/env bash
# Builds the Debian package vantorix_VERSION_ARCH.deb from a release build, then checks it with Debian's own checkers.
#
# Usage: tools/package.sh [OUT_DIR]   (default: build-package/ in the project)
# The package, its debug symbols and the build's log land in OUT_DIR; the last line printed is
# the package's path. The version is the one of CMakeLists.txt's project() line.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$top/build-package}" && cd "${1:-$top/build-package}" && pwd)
"$top/tools/install-packages.sh" "$top/tools/packages.txt" "$top/tools/package-packages.txt"

version=$(sed -n 's/^project(Vantorix VERSION \([0-9][0-9.]*\)[ )].*/\1/p' "$top/CMakeLists.txt")
if [ -z "$version" ]; then
  echo "package: CMakeLists.txt's project() line names no VERSION" >&2
  exit 1
fi
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
deb=$out/vantorix_${version}_$arch.deb

# dpkg-buildpackage builds in the source tree and leaves its results beside it: a copy of the
# tree, without build folders and whatever git ignores, keeps both inside OUT_DIR.
stage=$out/vantorix-$version
rm -rf "$stage" "$out"/vantorix_"$version"_* "$out"/vantorix-dbgsym_"$version"_*
mkdir -p "$stage"
if git -C "$top" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  (cd "$top" && git ls-files -z --cached --others --exclude-standard |
     while IFS= read -r -d '' file; do
       # A file deleted but not yet committed is left out.
       if [ -e "$file" ]; then printf '%s\0' "$file"; fi
     done | tar --null -T - -cf -) | tar -xf - -C "$stage"
else
  tar -C "$top" --exclude='./build' --exclude='./build-*' -cf - . | tar -xf - -C "$stage"
fi

# The changelog carries the version and the date of the last change, which dpkg hands on to
# the build (SOURCE_DATE_EPOCH): the same tree makes the same package.
when=$(git -C "$top" log -1 --format=%ct 2>/dev/null || date +%s)
maintainer=$(sed -n 's/^Maintainer: //p' "$top/debian/control")
cat > "$stage/debian/changelog" <<EOF
vantorix ($version) unstable; urgency=medium

  * Vantorix $version.

 -- $maintainer  $(LC_ALL=C date -R -u -d "@$when")
EOF

echo "Building $deb (log: $out/build.log)"
if ! (cd "$stage" && DEB_BUILD_OPTIONS="parallel=2 ${DEB_BUILD_OPTIONS:-}" \
        dpkg-buildpackage -b -us -uc) > "$out/build.log" 2>&1; then
  tail -n 40 "$out/build.log" >&2
  echo "package: the package build failed; see $out/build.log" >&2
  exit 1
fi
rm -rf "$stage"

"$top/tools/check-package.sh" "$deb"
echo "$deb"
