# Sourced by the CI scripts: make_fresh_root makes $ROOT a fresh Debian
# minbase system with make and git, and removes it when the script ends: the
# release VANTOR_SUITE names, bookworm (Debian 12) unless it says trixie
# (Debian 13).
# The bare base is made once and kept in $VANTOR_CI_CACHE; each root is a copy
# of it, so nothing installed in one carries over. Downloaded packages are
# kept too, as apt keeps them anyway: each root installs them anew.
set -euo pipefail
CI_CACHE=${VANTOR_CI_CACHE:-/var/cache/vantor-ci}
SUITE=${VANTOR_SUITE:-bookworm}
case $SUITE in
  bookworm) RELEASE="Debian 12" ;;
  trixie) RELEASE="Debian 13" ;;
  *) echo "$0: no Debian release named $SUITE" >&2; exit 1 ;;
esac

make_fresh_root() {
  local base=$CI_CACHE/$SUITE
  [ "$(id -u)" -eq 0 ] || { echo "$0: run it as root" >&2; exit 1; }
  if ! command -v debootstrap >/dev/null; then
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
  fi
  if [ ! -x "$base/usr/bin/git" ]; then
    rm -rf "$base.partial"
    mkdir -p "$CI_CACHE"
    debootstrap --variant=minbase --include=make,git "$SUITE" "$base.partial" http://deb.debian.org/debian \
      >"$CI_CACHE/debootstrap-$SUITE.log" 2>&1 || { tail -20 "$CI_CACHE/debootstrap-$SUITE.log"; exit 1; }
    mv "$base.partial" "$base"
  fi
  ROOT=$(mktemp -d /var/tmp/vantor-fresh.XXXXXX)
  trap remove_root EXIT
  cp -a "$base/." "$ROOT/"
  cp /etc/resolv.conf "$ROOT/etc/"
  # This machine's own certificate authorities, as a network that inspects
  # HTTPS needs them for npm's downloads: the root's ca-certificates takes
  # them in when it installs.
  if compgen -G "/usr/local/share/ca-certificates/*.crt" >/dev/null; then
    mkdir -p "$ROOT/usr/local/share/ca-certificates"
    cp /usr/local/share/ca-certificates/*.crt "$ROOT/usr/local/share/ca-certificates/"
    if [ -x "$ROOT/usr/sbin/update-ca-certificates" ]; then
      chroot "$ROOT" update-ca-certificates >/dev/null
    fi
  fi
  # Packages start no services in the root.
  printf '#!/bin/sh\nexit 101\n' >"$ROOT/usr/sbin/policy-rc.d"
  chmod +x "$ROOT/usr/sbin/policy-rc.d"
  mkdir -p "$CI_CACHE/archives-$SUITE/partial"
  mount --bind "$CI_CACHE/archives-$SUITE" "$ROOT/var/cache/apt/archives"
  mount -t proc proc "$ROOT/proc"
  mount -t tmpfs tmpfs "$ROOT/dev/shm"
}

# Unmounts whatever is mounted below the root, tests' own mounts included,
# before it removes the root without ever crossing into a mount.
remove_root() {
  { grep -o " $ROOT/[^ ]*" /proc/mounts || true; } | sort -r | while read -r mount; do
    umount "$mount" 2>/dev/null || umount -l "$mount" || true
  done
  rm -rf --one-file-system "$ROOT"
}

# Runs a shell command in the root, with nothing of this machine's environment;
# Node.js trusts the root's certificate authorities, as Debian's curl does.
in_root() {
  chroot "$ROOT" env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    DEBIAN_FRONTEND=noninteractive NODE_EXTRA_CA_CERTS=/etc/ssl/certs/ca-certificates.crt \
    bash -euo pipefail -c "$1"
}
