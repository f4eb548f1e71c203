#!/usr/bin/env bash
# The checks beyond the plain suite: the suite again under AddressSanitizer + UndefinedBehavior-
# Sanitizer, the threaded tests under ThreadSanitizer, the file readers fuzzed, and last the
# Debian package built, checked, installed, played and purged.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-packages.sh" "$top/tools/packages.txt"
# shellcheck source=tools/suite.sh
. "$top/tools/suite.sh"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer =="
# tools/lsan.supp hides blocks allocated with calloc or realloc (the unloaded GL driver's; see
# there), which holds only while the game's own code never calls them.
if grep -rnwE --include='*.cpp' --include='*.h' 'calloc|realloc' "$top"/{shell,game,animation,render,scenery,webcam,platform,computer,net,replay}; then
  echo "check: calloc or realloc in the game's code above; tools/lsan.supp would hide its leaks" >&2
  exit 1
fi
"$top/tools/build.sh" "$top/build-asan" -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DVANTORIX_SANITIZE=address,undefined
run_suite "$top/build-asan"

# ThreadSanitizer: the tests that run the webcam worker beside the main thread (named Threads*).
echo "== ThreadSanitizer =="
TARGETS=tests_webcam "$top/tools/build.sh" "$top/build-tsan" -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DVANTORIX_SANITIZE=thread
TSAN_OPTIONS="suppressions=$top/tools/tsan.supp" run_suite "$top/build-tsan" -R Threads

# Coverage-guided fuzzing of the file readers (motion files, texture pictures, webcam pictures,
# recorded fights, network packets). 40 s a target keeps the whole check well inside half an hour
# on two cores; tools/fuzz.sh by hand searches as long as one likes.
echo "== fuzzing the file readers =="
# A fixed seed: the same run on every machine, so that a check of the project does not turn up
# a new find at random; tools/fuzz.sh by hand draws a new seed each time and searches further.
"$top/tools/fuzz.sh" "${VANTORIX_FUZZ_SECONDS:-40}" 1

# The Debian package: built and checked by Debian's checkers, then installed with apt, played
# and purged by the package test (which needs root and skips without it).
echo "== the Debian package =="
"$top/tools/package.sh" "$top/build-package"
packages=("$top"/build-package/vantorix_*_"$(dpkg-architecture -qDEB_HOST_ARCH)".deb)
TARGETS=tests_e2e_install "$top/tools/build.sh" "$top/build-tests" -DBUILD_TESTING=ON
VANTORIX_PACKAGE=${packages[0]} run_suite "$top/build-tests" -R DebianPackage
