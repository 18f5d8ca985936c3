# Shared by the scripts: where things are, and installing what is missing.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="${KAVU32_BUILD_DIR:-$ROOT/build}"
JOBS="${KAVU32_JOBS:-2}"

# Package indexes are fetched at most this many times, this many seconds
# apart: while a registry is being synchronised one index can fail for a
# while ("File has unexpected size ... Mirror sync in progress?").
APT_UPDATE_TRIES="${KAVU32_APT_UPDATE_TRIES:-4}"
APT_UPDATE_PAUSE="${KAVU32_APT_UPDATE_PAUSE:-20}"

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

apt_get() {
  DEBIAN_FRONTEND=noninteractive as_root apt-get -o DPkg::Lock::Timeout=600 "$@"
}

# Fetches the package indexes once per run. An index that still fails after
# the last try is reported and the lists that did download are used: the
# install that follows says whether a needed package is really missing.
# scripts/test.sh names a stamp file in KAVU32_APT_STAMP, so that its suites,
# each a process of its own, fetch them once between them.
update_package_indexes() {
  [ -n "${KAVU32_APT_UPDATED:-}" ] && return 0
  if [ -s "${KAVU32_APT_STAMP:-}" ]; then
    export KAVU32_APT_UPDATED=1
    return 0
  fi
  local try log
  log="$(mktemp)"
  for ((try = 1; try <= APT_UPDATE_TRIES; try++)); do
    if apt_get update -qq >"$log" 2>&1; then
      break
    fi
    echo "apt-get update failed (try $try of $APT_UPDATE_TRIES):" >&2
    grep -E '^(E|W):' "$log" | head -5 >&2
    if ((try == APT_UPDATE_TRIES)); then
      echo "going on with the package lists that did download" >&2
    else
      sleep "$APT_UPDATE_PAUSE"
    fi
  done
  rm -f "$log"
  export KAVU32_APT_UPDATED=1
  [ -z "${KAVU32_APT_STAMP:-}" ] || echo updated >"$KAVU32_APT_STAMP"
}

# After a change to the package sources (a new architecture) the indexes
# are fetched again.
forget_package_indexes() {
  unset KAVU32_APT_UPDATED
  [ -z "${KAVU32_APT_STAMP:-}" ] || : >"$KAVU32_APT_STAMP"
}

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# try_packages PKG...: installs the Debian packages that are not installed.
# When that fails, names each package that cannot be installed, with apt's
# reason, and returns non-zero.
try_packages() {
  local missing=() p log status=0
  for p in "$@"; do
    installed "$p" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}"
  update_package_indexes
  log="$(mktemp)"
  if ! apt_get install -y -qq --no-install-recommends "${missing[@]}" >"$log" 2>&1; then
    cat "$log" >&2
    for p in "${missing[@]}"; do
      installed "$p" && continue
      if ! apt_get install -y -qq --no-install-recommends "$p" >"$log" 2>&1; then
        echo "cannot install $p:" >&2
        grep -E '^(E:| )' "$log" | head -8 | sed 's/^/  /' >&2
        status=1
      fi
    done
  fi
  rm -f "$log"
  return $status
}

# need_packages PKG...: as try_packages, but a package that cannot be
# installed ends the script.
need_packages() {
  try_packages "$@" || {
    echo "a needed package cannot be installed (see above)" >&2
    exit 1
  }
}

# The fonts are only a recommendation of libwmf, but without them its
# converter writes empty pictures.
need_build_tools() {
  need_packages cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev \
    calendar python3 libwmf-bin libwmf-dev fonts-urw-base35 pkg-config
}

# configure_and_build DIR [CMAKE ARGS...]
configure_and_build() {
  local dir="$1"; shift
  cmake -S "$ROOT" -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$JOBS"
}

# use_output_folder [DIR]: sets out to DIR, made when missing, or else to a
# temporary folder removed when the script exits.
use_output_folder() {
  out="${1:-}"
  if [ -z "$out" ]; then
    out="$(mktemp -d)"
    trap 'rm -rf "$out"' EXIT
  fi
  mkdir -p "$out"
}

# build_benchmarks DIR TARGET...: the benchmark targets in a Release build
# in DIR.
build_benchmarks() {
  local dir="$1"; shift
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$dir" -j"$JOBS" --target "$@" >/dev/null
}
