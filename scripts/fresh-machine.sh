#!/usr/bin/env bash
# Runs the test command as a new user would on a new Debian 12 machine: in a Debian 12 root made
# here by debootstrap from Debian's archive (nothing installed but the essentials, nothing cached,
# no desktop session, no session bus), as root, with a fresh clone of this repository's HEAD and,
# as in CI, ../shared beside it when there is one (its qt-archives spare the Qt builds). Prints how
# long each step took; exits with the test command's status, or 1 when something stays running
# in the root after it.
#   sudo scripts/fresh-machine.sh [ROOT]
# ROOT (default /var/tmp/calcaro-fresh) is made when it holds no system yet, and used again as it
# is otherwise: the clone is always fresh. Remove it with rm -rf, once nothing is mounted there.
set -euo pipefail
calcaro_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
root=$(realpath -m "${1:-/var/tmp/calcaro-fresh}")
[ "$(id -u)" -eq 0 ] || { echo "fresh-machine.sh: run it as root (sudo)" >&2; exit 2; }
source "$calcaro_root/scripts/deps.sh"
calcaro_packages=()
calcaro_ensure_packages debootstrap git

started=$SECONDS
took() {
    local t=$((SECONDS - $1))
    printf '%d min %02d s' $((t / 60)) $((t % 60))
}
summary=()

mounted=()
cleanup() {
    local m
    # Whatever the run left behind goes before the file systems it may hold.
    for m in $(leftovers); do kill -KILL "$m" 2>/dev/null || true; done
    for ((m = ${#mounted[@]} - 1; m >= 0; m--)); do
        umount -R "${mounted[m]}" 2>/dev/null || umount -lR "${mounted[m]}" 2>/dev/null || true
    done
}
# The processes whose root is the new system.
leftovers() {
    local p
    for p in /proc/[0-9]*; do
        [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && echo "${p#/proc/}"
    done
    return 0
}
trap cleanup EXIT

step=$SECONDS
if [ ! -f "$root/etc/debian_version" ]; then
    echo "== A Debian 12 root in $root (debootstrap, minbase)"
    mkdir -p "$root"
    debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >"$root.debootstrap.log" 2>&1 || {
        tail -n 30 "$root.debootstrap.log"
        exit 1
    }
    summary+=("debootstrap: $(took $step)")
else
    echo "== The Debian root in $root, used again"
fi
# The suites a Debian 12 machine follows: the release, its updates and security.
cat >"$root/etc/apt/sources.list" <<'SOURCES'
deb http://deb.debian.org/debian bookworm main
deb http://deb.debian.org/debian bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
SOURCES
cp /etc/resolv.conf "$root/etc/resolv.conf"

# The machine's /tmp too: X servers choose their display by the lock files there, and their
# sockets also live in the network's abstract namespace, which the root shares with the machine;
# with a /tmp of its own, a test in the root could take a display that one outside it holds.
for fs in proc sys dev tmp; do
    mkdir -p "$root/$fs"
    case $fs in
    proc) mount -t proc proc "$root/proc" ;;
    *) mount --rbind "/$fs" "$root/$fs" && mount --make-rslave "$root/$fs" ;;
    esac
    mounted+=("$root/$fs")
done

step=$SECONDS
echo "== A fresh clone of $(git -C "$calcaro_root" rev-parse --short HEAD) in $root/work/main"
rm -rf "$root/work"
mkdir -p "$root/work"
git clone --quiet --no-hardlinks "$calcaro_root" "$root/work/main"
if [ -d "$calcaro_root/../shared" ]; then
    cp -r "$calcaro_root/../shared" "$root/work/shared"
    chmod -R a-w "$root/work/shared"
fi
summary+=("clone: $(took $step)")

# The registries are reached the machine's way: where the machine has node trust a certificate
# authority of its own (NODE_EXTRA_CA_CERTS, which CI's environment holds too), the root does.
machine=()
if [ -r "${NODE_EXTRA_CA_CERTS:-}" ]; then
    cp "$NODE_EXTRA_CA_CERTS" "$root/etc/calcaro-machine-ca.crt"
    machine+=(NODE_EXTRA_CA_CERTS=/etc/calcaro-machine-ca.crt)
fi

step=$SECONDS
echo "== bash .ci/run, as CI runs it"
status=0
chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root LANG=C.UTF-8 CI=true "${machine[@]}" /bin/bash -c 'cd /work/main && bash .ci/run' \
    </dev/null || status=$?
summary+=("bash .ci/run: $(took $step), status $status")

left=$(leftovers)
if [ -n "$left" ]; then
    echo "== Still running in the root after the tests:"
    ps -o pid,args -p "$(echo $left | tr ' ' ,)" || true
    [ "$status" -ne 0 ] || status=1
fi
printf '== Times\n'
printf '   %s\n' "${summary[@]}" "in all: $(took $started)"
exit $status
