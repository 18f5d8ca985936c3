# Shared by the scripts: where things are, and installing what is missing.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="${KAVU32_BUILD_DIR:-$ROOT/build}"
JOBS="${KAVU32_JOBS:-2}"

# need_packages PKG...: installs the Debian packages that are not installed.
need_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  if [ -z "${KAVU32_APT_UPDATED:-}" ]; then
    $sudo apt-get update -qq
    export KAVU32_APT_UPDATED=1
  fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

need_build_tools() {
  need_packages cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev \
    calendar python3 libwmf-bin pkg-config
}

# configure_and_build DIR [CMAKE ARGS...]
configure_and_build() {
  local dir="$1"; shift
  cmake -S "$ROOT" -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$JOBS"
}
