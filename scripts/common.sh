# Shared by run.sh and test.sh: the Debian packages Quillmere needs, and the build.
set -euo pipefail

QM_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QM_BUILD="${QM_BUILD:-$QM_ROOT/build}"

QM_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libqt6sql6-sqlite libqt6sql6-odbc
    unixodbc unixodbc-dev odbc-postgresql libsqliteodbc
    libsodium-dev libsqlite3-dev libfluidsynth-dev libasound2-dev timgm6mb-soundfont fonts-noto-cjk
)

qm_install() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing Debian packages: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

qm_build() {
    cmake -S "$QM_ROOT" -B "$QM_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$QM_BUILD" -j "$(nproc)"
}
