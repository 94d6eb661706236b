#!/usr/bin/env bash
# ./build.sh run    install what is missing, build, start PLAX
# ./build.sh test   install what is missing, build, run every test headless
# ./build.sh bench  build and run the benchmarks
# ./build.sh format apply .clang-format to every C++ file
# ./build.sh translations  run lupdate over the source into resources/translations/*.ts
# ./build.sh sanitize      build with AddressSanitizer + UBSan (build-sanitize/), run the headless tests
# ./build.sh fuzz [secs]   build the fuzz targets there and run each for secs (default 600) from its seeds
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-5compat-dev qt6-serialport-dev qt6-websockets-dev qt6-charts-dev
    qt6-datavisualization-dev qt6-3d-dev qt6-webengine-dev qt6-svg-dev qt6-connectivity-dev
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n qt6-image-formats-plugins libjs-leaflet
    fonts-dejavu-core fonts-liberation2 fonts-wqy-microhei
)
test_packages=(
    xvfb xauth x11-utils imagemagick socat openssl python3
    mosquitto mosquitto-clients python3-pymodbus python3-serial python3-serial-asyncio mbpoll units xxd
    clang-format xdotool
)
# Peers the benchmarks measure beside the program: a Qt serial terminal on the same pty,
# driven through its window (xdotool).
bench_packages=(cutecom)
# clang with its sanitizer and libFuzzer runtimes; llvm for readable stack traces.
sanitize_packages=(clang libclang-rt-14-dev llvm)

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

# Every C++ file must match .clang-format; the ones that differ are named.
check_format() {
    local differ=()
    while IFS= read -r -d '' f; do
        clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || differ+=("$f")
    done < <(find app serial network gps gsm sensors widgets protocols tools tests fuzz \
        \( -name '*.cpp' -o -name '*.h' \) -print0 2>/dev/null)
    if [ ${#differ[@]} -ne 0 ]; then
        echo "These files differ from .clang-format (run clang-format -i on them):" >&2
        printf '  %s\n' "${differ[@]}" >&2
        return 1
    fi
}

sanitized_dir=build-sanitize
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"

configure_sanitized() {
    local launcher=()
    command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S . -B "$sanitized_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DPLAX_SANITIZE=ON -DPLAX_FUZZ=ON
}

# Each target runs from its seeds plus what earlier runs found (kept in the build directory);
# a crash, leak, timeout or sanitizer report leaves its input in $sanitized_dir/fuzz-findings.
run_fuzzers() {
    local seconds=$1 out="$sanitized_dir/fuzz-runs"
    mkdir -p "$out" "$sanitized_dir/fuzz-findings"
    local names=()
    for seeds in fuzz/corpus/*/; do names+=("$(basename "$seeds")"); done
    printf '%s\n' "${names[@]}" | xargs -P "${PLAX_FUZZ_JOBS:-$(nproc)}" -I{} sh -c \
        'mkdir -p "$1/fuzz-corpus/$2" && "$1/fuzz/fuzz_$2" -max_total_time="$3" -timeout=10 \
            -artifact_prefix="$1/fuzz-findings/$2-" "$1/fuzz-corpus/$2" "fuzz/corpus/$2" >"$4/$2.log" 2>&1' \
        _ "$sanitized_dir" {} "$seconds" "$out" || true
    local failed=0
    for name in "${names[@]}"; do
        if grep -q "^Done [0-9]* runs" "$out/$name.log"; then
            echo "fuzz_$name: $(grep -o "^Done [0-9]* runs in [0-9]* second(s)" "$out/$name.log")"
        else
            echo "fuzz_$name FAILED:" && tail -n 40 "$out/$name.log"
            failed=1
        fi
    done
    return $failed
}

case "${1:-run}" in
run)
    install_missing "${packages[@]}"
    build
    exec ./build/plax
    ;;
test)
    install_missing "${packages[@]}" "${test_packages[@]}"
    check_format
    build
    xvfb-run -a -s "-screen 0 1280x1024x24" \
        ctest --test-dir build -LE benchmark --output-on-failure --parallel "$(nproc)" --timeout 600
    ;;
bench)
    install_missing "${packages[@]}" "${test_packages[@]}" "${bench_packages[@]}"
    build
    # The screenshots of the 3D views need a real X server.
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build -L benchmark --verbose
    ;;
sanitize)
    install_missing "${packages[@]}" "${test_packages[@]}" "${sanitize_packages[@]}"
    configure_sanitized
    # Only what the headless tests need: the program and the X11-only tests are not built.
    mapfile -t headless < <(ctest --test-dir "$sanitized_dir" -N -L headless | sed -n 's/^ *Test *#[0-9]*: //p')
    cmake --build "$sanitized_dir" --parallel "$(nproc)" --target "${headless[@]}"
    # WebEngine's own library trips new-delete-type-mismatch, and Qt's libraries keep
    # allocations to the end on purpose; every other report fails the test.
    ASAN_OPTIONS="new_delete_type_mismatch=0:detect_leaks=0:${ASAN_OPTIONS:-}" \
        ctest --test-dir "$sanitized_dir" -L headless --output-on-failure --parallel "$(nproc)" --timeout 900
    ;;
fuzz)
    install_missing "${packages[@]}" "${sanitize_packages[@]}"
    configure_sanitized
    cmake --build "$sanitized_dir" --parallel "$(nproc)" --target fuzz
    run_fuzzers "${2:-600}"
    ;;
translations)
    install_missing qt6-l10n-tools
    resources/translations/update.sh
    ;;
format)
    find app serial network gps gsm sensors widgets protocols tools tests fuzz \( -name '*.cpp' -o -name '*.h' \) \
        -exec clang-format -i {} +
    ;;
*)
    echo "usage: $0 [run|test|bench|format|translations|sanitize|fuzz [seconds]]" >&2
    exit 2
    ;;
esac
