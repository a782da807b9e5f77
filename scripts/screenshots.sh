#!/usr/bin/env bash
# Renders the desktop program's window without a display: every main page and
# every view of the device page, in English, Chinese, French and Russian, with
# a UPS on the mains, one on battery during a shutdown countdown, and none;
# then every settings and history view, every popup of the other pages and
# the settings' file dialog (files named <language>-<page>-<step>.png).
# The PNG files land in a new folder (or the one given), whose path is printed.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh >/dev/null
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel 4 --target tst_screenshots tst_pagewalk >/dev/null
dir="${1:-$(mktemp -d /tmp/ambrel-screenshots.XXXXXX)}"
mkdir -p "$dir"
dir="$(cd "$dir" && pwd)"
for program in tst_screenshots tst_pagewalk; do
    if ! AMBREL_SCREENSHOT_DIR="$dir" QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software \
            "build/$program" >"$dir/log-$program.txt" 2>&1; then
        cat "$dir/log-$program.txt" >&2
        exit 1
    fi
done
echo "$dir"
