#!/bin/sh
# Installs every Debian package the project needs to build, run and test.
# This is the only place that names packages. It looks first, and asks for
# root only when a package is missing: as root it installs them, as a user
# it uses sudo where there is one, and otherwise says what to run as root.
set -eu

PACKAGES="
    cmake ninja-build pkg-config g++
    qtbase5-dev qtbase5-dev-tools libqt5sql5-sqlite libqt5svg5-dev
    qtdeclarative5-dev qtquickcontrols2-5-dev libqt5serialport5-dev libqt5charts5-dev
    qml-module-qtquick2 qml-module-qtqml qml-module-qtquick-controls qml-module-qtquick-controls2
    qml-module-qtquick-layouts qml-module-qtquick-dialogs qml-module-qtquick-extras
    qml-module-qtquick-window2 qml-module-qtcharts qml-module-qt-labs-platform qml-module-qttest
    qtdeclarative5-dev-tools qttools5-dev-tools qttools5-dev
    qttranslations5-l10n
    libhidapi-dev libxlsxwriter-dev zlib1g-dev libssl-dev openssl
    libxcb1-dev
    fonts-wqy-microhei
    libsystemd-dev libudev-dev
    python3 python3-aiosmtpd python3-openpyxl python3-dbusmock dbus xvfb x11-utils
    clang libclang-rt-14-dev llvm
    python3-pil
    fonts-dejavu-core
    tzdata
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi
install="apt-get install -y --no-install-recommends$missing"
if [ "$(id -u)" -eq 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    $install
elif command -v sudo >/dev/null 2>&1; then
    echo "Missing Debian packages:$missing. They are installed with sudo." >&2
    sudo env DEBIAN_FRONTEND=noninteractive apt-get update
    # shellcheck disable=SC2086
    sudo env DEBIAN_FRONTEND=noninteractive $install
else
    cat >&2 <<EOF
Missing Debian packages:$missing.
Installing them needs root, and this system has no sudo. As root (su -), run
    apt-get update && $install
then run this command again.
EOF
    exit 1
fi
