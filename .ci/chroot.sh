# Sourced by the CI scripts: make_fresh_root makes $ROOT a fresh Debian 12
# minbase system with make and git, and removes it when the script ends.
# The bare base is made once and kept in $VANTOR_CI_CACHE; each root is a copy
# of it, so nothing installed in one carries over. Downloaded packages are
# kept too, as apt keeps them anyway: each root installs them anew.
set -euo pipefail
CI_CACHE=${VANTOR_CI_CACHE:-/var/cache/vantor-ci}

make_fresh_root() {
  local base=$CI_CACHE/bookworm
  [ "$(id -u)" -eq 0 ] || { echo "$0: run it as root" >&2; exit 1; }
  if ! command -v debootstrap >/dev/null; then
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
  fi
  if [ ! -x "$base/usr/bin/git" ]; then
    rm -rf "$base.partial"
    mkdir -p "$CI_CACHE"
    debootstrap --variant=minbase --include=make,git bookworm "$base.partial" http://deb.debian.org/debian \
      >"$CI_CACHE/debootstrap.log" 2>&1 || { tail -20 "$CI_CACHE/debootstrap.log"; exit 1; }
    mv "$base.partial" "$base"
  fi
  ROOT=$(mktemp -d /var/tmp/vantor-fresh.XXXXXX)
  trap remove_root EXIT
  cp -a "$base/." "$ROOT/"
  cp /etc/resolv.conf "$ROOT/etc/"
  mkdir -p "$CI_CACHE/archives/partial"
  mount --bind "$CI_CACHE/archives" "$ROOT/var/cache/apt/archives"
  mount -t proc proc "$ROOT/proc"
  mount -t tmpfs tmpfs "$ROOT/dev/shm"
}

remove_root() {
  for mount in proc dev/shm var/cache/apt/archives; do umount "$ROOT/$mount" 2>/dev/null || true; done
  rm -rf "$ROOT"
}

# Runs a shell command in the root, with nothing of this machine's environment.
in_root() {
  chroot "$ROOT" env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    DEBIAN_FRONTEND=noninteractive bash -euo pipefail -c "$1"
}
