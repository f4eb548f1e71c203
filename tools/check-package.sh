#!/usr/bin/env bash
# Checks a built vantorix package with Debian's checkers: lintian on the package, then its desktop entry, software-centre entry and manual page.
#
# Usage: tools/check-package.sh PACKAGE.deb
# Prints each checker's findings; ends with status 1 when any of them finds a fault.
set -uo pipefail
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
  echo "Usage: tools/check-package.sh PACKAGE.deb (a package file that exists)" >&2
  exit 2
fi
deb=$1
files=$(mktemp -d "${TMPDIR:-/tmp}/vantorix-package.XXXXXX")
trap 'rm -rf "$files"' EXIT
dpkg-deb -x "$deb" "$files" || exit 1

failed=()
check() {
  local name=$1
  shift
  echo "== $name"
  "$@" || failed+=("$name")
}
# man reports a fault of the page on standard error but still ends with status 0.
man_page_is_clean() {
  local warnings
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$1" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { printf '%s\n' "$warnings"; return 1; }
}

# Overridden tags are shown with their reasons, so that every exception stays in sight.
check lintian lintian --fail-on error,warning --show-overrides "$deb"
check desktop-file-validate desktop-file-validate "$files/usr/share/applications/vantorix.desktop"
check appstreamcli appstreamcli validate --no-net "$files"/usr/share/metainfo/*.metainfo.xml
check "manual page" man_page_is_clean "$files/usr/share/man/man6/vantorix.6.gz"

if [ ${#failed[@]} -gt 0 ]; then
  echo "check-package: $(basename "$deb") fails: ${failed[*]}" >&2
  exit 1
fi
echo "check-package: $(basename "$deb") passes lintian, desktop-file-validate, appstreamcli and man"
