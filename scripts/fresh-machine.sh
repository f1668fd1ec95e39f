#!/usr/bin/env bash
# Runs the README's test command (bash scripts/test.sh) on a fresh, minimal Debian 12: makes one
# with debootstrap (--variant=minbase) from the mirror this machine's apt uses, installs only what
# cloning needs (git, ca-certificates), clones this checkout at its current commit into it, and
# runs the test command there under chroot as root. Prints the elapsed time and the result; the
# exit status is the test command's. Not part of CI: it downloads a system and builds everything.
#   sudo bash scripts/fresh-machine.sh [FOLDER]    FOLDER (or ZORBAL_FRESH_ROOT): /work/fresh-root
# A previous FOLDER is removed first. /proc, /sys, /dev, /dev/pts and /dev/shm are bind-mounted
# into it for the run and unmounted on every way out.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
root=${1:-${ZORBAL_FRESH_ROOT:-/work/fresh-root}}
suite=bookworm
clone=/root/zorbal

say() { echo "fresh-machine: $*" >&2; }
[ "$(id -u)" -eq 0 ] || {
  say "needs root (debootstrap, mounts, chroot)"
  exit 1
}
case $root in
/* ) ;;
* ) root=$PWD/$root ;;
esac
root=${root%/}
if [ -z "$root" ]; then
  say "refusing to use / as the folder"
  exit 1
fi
commit=$(git rev-parse HEAD)
[ -z "$(git status --porcelain --untracked-files=no)" ] ||
  say "the checkout has uncommitted changes; the fresh machine tests the commit $commit without them"

# The first address this machine's apt uses whose path ends in `ending` (deb822 sources first,
# then sources.list; comments are no sources).
apt_uri() { # ending
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] && awk 'tolower($1) == "uris:" { for (i = 2; i <= NF; ++i) print $i }' "$file"
  done
  if [ -f /etc/apt/sources.list ]; then
    awk '$1 == "deb" { for (i = 2; i <= NF; ++i) if ($i ~ /^[a-z]+:\/\//) { print $i; break } }' /etc/apt/sources.list
  fi
} 2>/dev/null
mirror_ending() { # ending, default
  local uri
  uri=$(apt_uri | sed 's|/*$||' | grep -m 1 -E "/$1\$" || true)
  echo "${uri:-$2}"
}
mirror=$(mirror_ending debian http://deb.debian.org/debian)
security_mirror=$(mirror_ending debian-security "${mirror%/debian}/debian-security")

# The mount points under the folder, deepest first.
mounts_under() {
  findmnt -rn -o TARGET | awk -v root="$root" '$0 == root || index($0, root "/") == 1' | sort -r
}
unmount_all() {
  local target
  for target in $(mounts_under); do
    umount "$target" 2>/dev/null || umount -l "$target" || true
  done
  if [ -n "$(mounts_under)" ]; then
    say "still mounted under $root: $(mounts_under | tr '\n' ' ')"
    return 1
  fi
}
# Removes the folder, never through a mount: everything is unmounted first, and rm stays on the
# folder's own file system.
remove_root() {
  [ -e "$root" ] || return 0
  unmount_all || {
    say "not removing $root while something is mounted in it"
    exit 1
  }
  rm -rf --one-file-system "$root"
}
# What runs in the folder runs in a session of its own (so a signal to this script does not wait
# for it to end): stopped on the way out, before the unmounting.
child=
stop_child() {
  [ -n "$child" ] && kill -0 "$child" 2>/dev/null || return 0
  kill -TERM -- "-$child" 2>/dev/null || true
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    kill -0 "$child" 2>/dev/null || return 0
    sleep 1
  done
  kill -KILL -- "-$child" 2>/dev/null || true
}
cleanup() {
  local status=$?
  trap - EXIT INT TERM HUP
  stop_child
  unmount_all || status=1
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

if ! command -v debootstrap >/dev/null; then
  say "installing debootstrap"
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends debootstrap
fi

say "a minimal Debian 12 ($suite, from $mirror) in $root"
remove_root
mkdir -p "$root"
debootstrap --variant=minbase "$suite" "$root" "$mirror"
# A Debian 12 as installed: its updates and its security updates too.
cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror $suite main
deb $mirror $suite-updates main
deb $security_mirror $suite-security main
EOF
cp -L /etc/resolv.conf "$root/etc/resolv.conf"

# Each bind a slave of this machine's mount: what happens to it in the folder (mounts, unmounts)
# does not reach this machine's own.
bind() { # source, target under the folder
  mount --bind "$1" "$root$2"
  mount --make-slave "$root$2"
}
mount -t proc proc "$root/proc"
bind /sys /sys
bind /dev /dev
bind /dev/pts /dev/pts
bind /dev/shm /dev/shm

# The fresh machine's root shell: its own HOME and PATH, nothing of this one's environment.
in_root() {
  local status=0
  setsid chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@" &
  child=$!
  wait "$child" || status=$?
  child=
  return "$status"
}
node_env=()
in_root apt-get update
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends git ca-certificates
# The certificate authorities this machine adds to Debian's own (a company's or a proxy's, in
# /usr/local/share/ca-certificates) are part of its network, like resolv.conf: the fresh machine
# trusts them too, or it could not reach npm through the same network.
shopt -s nullglob
local_cas=(/usr/local/share/ca-certificates/*.crt)
shopt -u nullglob
if [ ${#local_cas[@]} -gt 0 ]; then
  say "trusting this machine's own certificate authorities: ${local_cas[*]##*/}"
  mkdir -p "$root/usr/local/share/ca-certificates"
  cp -L "${local_cas[@]}" "$root/usr/local/share/ca-certificates/"
  in_root update-ca-certificates
  # Node reads its own list of authorities, not the system's, unless told.
  node_env+=(NODE_EXTRA_CA_CERTS=/etc/ssl/certs/ca-certificates.crt)
fi

say "cloning $repo at $commit"
git clone --quiet --no-hardlinks "$repo" "$root$clone"
git -C "$root$clone" checkout --quiet --detach "$commit"

say "running the test command: cd $clone && bash scripts/test.sh"
start=$(date +%s)
status=0
in_root env "${node_env[@]}" /bin/bash -c "cd $clone && bash scripts/test.sh" || status=$?
elapsed=$(($(date +%s) - start))
if [ $status -eq 0 ]; then
  result="passed"
else
  result="FAILED (exit status $status)"
fi
say "the test command $result on a fresh Debian 12 in $((elapsed / 3600))h $((elapsed % 3600 / 60))m $((elapsed % 60))s"
exit $status
