#!/usr/bin/env bash
# Renders the desktop program's window without a display: every main page and
# every view of the device page, in English, Chinese, French and Russian, with
# a UPS on the mains, one on battery during a shutdown countdown, and none.
# The PNG files land in a new folder (or the one given), whose path is printed.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh >/dev/null
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel 4 --target tst_screenshots >/dev/null
dir="${1:-$(mktemp -d /tmp/ambrel-screenshots.XXXXXX)}"
mkdir -p "$dir"
dir="$(cd "$dir" && pwd)"
if ! AMBREL_SCREENSHOT_DIR="$dir" QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software \
        build/tst_screenshots >"$dir/log.txt" 2>&1; then
    cat "$dir/log.txt" >&2
    exit 1
fi
echo "$dir"
