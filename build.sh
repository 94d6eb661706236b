#!/usr/bin/env bash
# ./build.sh run    install what is missing, build, start PLAX
# ./build.sh test   install what is missing, build, run every test headless
# ./build.sh bench  build and run the benchmarks
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-5compat-dev qt6-serialport-dev qt6-websockets-dev qt6-charts-dev
    qt6-datavisualization-dev qt6-3d-dev qt6-webengine-dev qt6-svg-dev qt6-connectivity-dev
    qt6-tools-dev qt6-l10n-tools qt6-image-formats-plugins libjs-leaflet
    fonts-dejavu-core fonts-liberation2 fonts-wqy-microhei
)
test_packages=(
    xvfb xauth x11-utils imagemagick socat openssl python3
    mosquitto mosquitto-clients python3-pymodbus python3-serial python3-serial-asyncio mbpoll units xxd
)

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

build() {
    local launcher=()
    command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
    cmake --build build --parallel "$(nproc)"
}

case "${1:-run}" in
run)
    install_missing "${packages[@]}"
    build
    exec ./build/plax
    ;;
test)
    install_missing "${packages[@]}" "${test_packages[@]}"
    build
    xvfb-run -a -s "-screen 0 1280x1024x24" \
        ctest --test-dir build -LE benchmark --output-on-failure --parallel "$(nproc)" --timeout 600
    ;;
bench)
    install_missing "${packages[@]}" "${test_packages[@]}"
    build
    # The screenshots of the 3D views need a real X server.
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build -L benchmark --verbose
    ;;
*)
    echo "usage: $0 [run|test|bench]" >&2
    exit 2
    ;;
esac
