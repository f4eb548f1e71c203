#!/usr/bin/env bash
# Installs what is missing, builds the whole test suite and runs it under Xvfb.
#
# Usage: tools/test.sh [ctest options...]   e.g. tools/test.sh -R Analysis   (default: every test)
# The suite is built in build-tests/, a folder of its own with testing switched on, so that a
# build of tools/play.sh (which leaves the tests out) never takes the tests away from it. The
# sanitizer builds, the fuzzers and the package's checks are tools/check.sh.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-packages.sh" "$top/tools/packages.txt"
# shellcheck source=tools/suite.sh
. "$top/tools/suite.sh"

echo "== plain build =="
"$top/tools/build.sh" "$top/build-tests" -DBUILD_TESTING=ON
run_suite "$top/build-tests" "$@"
