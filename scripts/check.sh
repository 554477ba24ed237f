#!/usr/bin/env bash
# Sets up, checks the formatting, builds and runs every test: the release
# build with warnings as errors, the desktop entry, metainfo and Debian
# package of that build, the toolkit-free layers again under AddressSanitizer
# and UndefinedBehaviorSanitizer, and each libFuzzer target for 30 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "check: formatting (clang-format, .clang-format)"
# A failing git ls-files (outside a checkout, an untrusted owner) must not
# leave a check that checked nothing.
git_files=$(git ls-files -- '*.cpp' '*.h') || { echo "check: git ls-files failed" >&2; exit 1; }
mapfile -t sources <<< "$git_files"
if [ -z "$git_files" ] || [ "${#sources[@]}" -eq 0 ]; then
  echo "check: no source files to check the formatting of" >&2
  exit 1
fi
echo "check: ${#sources[@]} files"
if ! clang-format --dry-run -Werror "${sources[@]}"; then
  echo "check: the files above are not formatted; run: git ls-files -- '*.cpp' '*.h' | xargs clang-format -i" >&2
  exit 1
fi

echo "check: release build (build/)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVIMORO_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "check: desktop entry, AppStream metainfo and Debian package"
desktop-file-validate data/desktop/app.tavimoro.tavimoro.desktop
appstreamcli validate --no-net data/metainfo/app.tavimoro.tavimoro.metainfo.xml
# The file types: well-formed, and read by the MIME database without a word.
xmllint --noout data/mime/app.tavimoro.tavimoro.xml
mime_home=$(mktemp -d)
mkdir -p "$mime_home/mime/packages"
cp data/mime/app.tavimoro.tavimoro.xml "$mime_home/mime/packages/"
mime_words=$(XDG_DATA_HOME="$mime_home" update-mime-database "$mime_home/mime" 2>&1)
grep -qx 'text/x-sudoku-sdk:\*\.sdk' <(cut -d: -f2- "$mime_home/mime/globs2") && [ -z "$mime_words" ] ||
  { echo "check: the MIME database did not take data/mime/app.tavimoro.tavimoro.xml: $mime_words" >&2; exit 1; }
rm -rf "$mime_home"
rm -f build/tavimoro_*.deb
(cd build && cpack -G DEB)
deb=$(ls build/tavimoro_*.deb)
dpkg-deb --field "$deb" Depends
package_root=$(mktemp -d)
trap 'rm -rf "$package_root"' EXIT
dpkg -x "$deb" "$package_root"
for path in usr/bin/tavimoro usr/share/man/man6/tavimoro.6.gz usr/share/man/man1/tavimoro-cli.1.gz \
  usr/share/applications/app.tavimoro.tavimoro.desktop usr/share/metainfo/app.tavimoro.tavimoro.metainfo.xml \
  usr/share/icons/hicolor/48x48/apps/tavimoro.png usr/share/tavimoro/help/helpfile.html \
  usr/share/mime/packages/app.tavimoro.tavimoro.xml usr/share/doc/tavimoro/copyright \
  usr/share/doc/tavimoro/changelog.gz; do
  [ -f "$package_root/$path" ] || { echo "check: the package lacks /$path" >&2; exit 1; }
done
"$package_root/usr/bin/tavimoro-cli" --help > /dev/null

echo "check: sanitizer build (build-asan/)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVIMORO_WERROR=ON \
  -DTAVIMORO_SANITIZE=ON -DTAVIMORO_BUILD_APP=OFF -DTAVIMORO_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 TAVIMORO_SANITIZED=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "check: fuzz targets (build-fuzz/)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVIMORO_FUZZ=ON
cmake --build build-fuzz -j "$jobs"
shopt -s nullglob
for target in build-fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  mkdir -p "build-fuzz/corpus-$name"
  # The seeds go into the working corpus, and an input that made an earlier
  # run fail (left beside the log as crash-*, leak-*, timeout-*) too, so
  # that the next run replays it first.
  seeds="fuzz/corpus/${name#fuzz_}"
  [ -d "$seeds" ] || { echo "check: $name has no seed corpus in $seeds" >&2; exit 1; }
  cp -f "$seeds"/* "build-fuzz/corpus-$name"/
  for finding in "build-fuzz/findings-$name"/*; do cp -f "$finding" "build-fuzz/corpus-$name"/; done
  echo "check: $name for 30 seconds"
  mkdir -p "build-fuzz/findings-$name"
  "$target" -max_total_time=30 -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
    -artifact_prefix="build-fuzz/findings-$name/" \
    "build-fuzz/corpus-$name" 2> "build-fuzz/$name.log" || { tail -n 60 "build-fuzz/$name.log"; exit 1; }
done
echo "check: all passed"
