#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that the README's commands work on a fresh Debian 12 or 13 machine. Run as root:
#
#   scripts/fresh-machine-check.sh [--suite bookworm|trixie] [--rebuild-root] [--keep]
#
# Builds a clean root of the release (bookworm, Debian 12, by default; trixie, Debian 13) with
# mmdebstrap once (variant apt plus build-essential, git, make, sudo and ca-certificates) and keeps
# it under /var/cache/tremora-fresh/<suite> (TREMORA_FRESH_CACHE); the root reaches Debian's
# archive as the host does, through the host's apt sources with the host's release named as the
# suite. It is made again when its recipe (packages, those sources and the network settings)
# changes, when it is a week old, or with --rebuild-root. Every run mounts an overlay over that root, so it
# starts clean, clones the commit HEAD of this repository into /src/tremora and runs, as root in
# the chroot:
#   a  make test   with no ../shared beside the clone
#   b  make test   with a read-only copy of ../shared beside the clone (same clone and build as a:
#                  `make test` configures again, so nothing of a's configuration carries over)
#   c  make run    headless; passes when the program still runs 10 seconds after it started
#   d  make package, then `apt install` of the .deb, `tremora --version`, and a start without
#      --workdir, offscreen, that must still run 10 seconds later and have made its data folder
#      (a package is for the release it is built on: it is installed in the root it was made in)
#
# With --deb-only FILE.deb only step d runs, over that package instead of one built in the root:
# a check of the package alone in a few minutes, without the builds of a to c. Give the --suite
# the package was built on.
# It prints one line per step and a verdict, keeps the logs under the cache folder and exits
# non-zero when a step fails. --keep keeps the run's overlay layer for a look afterwards. Each step
# may take 45 minutes (TREMORA_FRESH_STEP_MINUTES), time enough on 2 idle cores.
# About 25 minutes on 2 cores (most of it the two builds; d adds the packaging of the release
# build and an apt install), plus 2 minutes when the root is made.
set -euo pipefail

cache=${TREMORA_FRESH_CACHE:-/var/cache/tremora-fresh}
# A step that takes longer has hung; a machine busy with other builds may need more.
step_minutes=${TREMORA_FRESH_STEP_MINUTES:-45}
suite=bookworm
rebuild_root=false
keep=false
deb_only=
while [ $# -gt 0 ]; do
    case $1 in
    --suite)
        suite=${2:-}
        shift
        ;;
    --rebuild-root) rebuild_root=true ;;
    --keep) keep=true ;;
    --deb-only)
        deb_only=$(realpath -e "${2:-}" 2>/dev/null) || {
            echo "fresh-machine-check: --deb-only needs an existing .deb file" >&2
            exit 2
        }
        shift
        ;;
    *)
        echo "usage: $0 [--suite bookworm|trixie] [--rebuild-root] [--keep] [--deb-only FILE.deb]" >&2
        exit 2
        ;;
    esac
    shift
done

case $suite in
bookworm) release="Debian 12" ;;
trixie) release="Debian 13" ;;
*)
    echo "fresh-machine-check: --suite is bookworm (Debian 12) or trixie (Debian 13)" >&2
    exit 2
    ;;
esac

[ "$(id -u)" -eq 0 ] || {
    echo "fresh-machine-check: run as root (it bootstraps a Debian root and mounts into it)" >&2
    exit 2
}

repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
commit=$(git -C "$repo" rev-parse HEAD)
shared=$(cd "$repo/.." && pwd)/shared
started=$SECONDS

elapsed() { # seconds -> "12m05s"
    printf '%dm%02ds' $(($1 / 60)) $(($1 % 60))
}

# --- host tools ---------------------------------------------------------------------------------
need=()
command -v mmdebstrap >/dev/null || need+=(mmdebstrap)
command -v flock >/dev/null || need+=(util-linux)
if [ ${#need[@]} -gt 0 ]; then
    echo "installing on the host: ${need[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# --- the host's way to Debian's archive, carried into the root ----------------------------------
# Sources as the host has them, with the host's release (and its -updates and -security suites)
# renamed to the root's; apt's proxy and date settings, and proxy variables of the environment.
host_suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
[ -n "$host_suite" ] || {
    echo "fresh-machine-check: /etc/os-release names no release to find in the apt sources" >&2
    exit 2
}
mkdir -p "$cache/sources-$suite"
rm -f "$cache/sources-$suite"/*
sources=()
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -s "$f" ] && grep -qEv '^[[:space:]]*(#|$)' "$f" || continue
    copy=$cache/sources-$suite/$(basename "$f")
    [ "$(basename "$f")" = sources.list ] && copy=$cache/sources-$suite/host.list
    sed "s/\\<$host_suite\\>/$suite/g" "$f" >"$copy"
    sources+=("$copy")
done
[ ${#sources[@]} -gt 0 ] || {
    echo "fresh-machine-check: the host has no apt sources to copy" >&2
    exit 2
}
grep -qw "$suite" "${sources[@]}" || {
    echo "fresh-machine-check: the host's apt sources name no suite $host_suite to turn into $suite" >&2
    exit 2
}
apt_network=$(apt-config dump | grep -E '^Acquire::([a-z]+::)?(Proxy|Check-Valid-Until|Check-Date)( |::)' || true)
proxy_env=()
for v in http_proxy https_proxy ftp_proxy no_proxy HTTP_PROXY HTTPS_PROXY FTP_PROXY NO_PROXY; do
    [ -n "${!v:-}" ] && proxy_env+=("$v=${!v}")
done

# --- the cached root ----------------------------------------------------------------------------
base=$cache/$suite
include=build-essential,git,make,sudo,ca-certificates
recipe=$(
    echo "$suite apt $include"
    cat "${sources[@]}"
    echo "$apt_network"
)
mkdir -p "$cache/logs"
stamp=$(date +%Y%m%d-%H%M%S)
logs=$cache/logs/$stamp-$suite
mkdir -p "$logs"
# Logs of the last ten runs are kept.
ls -1d "$cache"/logs/*/ 2>/dev/null | head -n -10 | xargs -r rm -rf

# One lock per release: the roots of the two releases are made and used independently.
exec 9>"$cache/$suite.lock"
flock 9
step_start=$SECONDS
if $rebuild_root || [ ! -f "$base.recipe" ] || [ "$(cat "$base.recipe")" != "$recipe" ] ||
    [ -n "$(find "$base.recipe" -mtime +6)" ]; then
    rm -rf "$base" "$base.new" "$base.recipe"
    printf '%s\n' "$apt_network" >"$cache/apt-network.conf"
    aptopts=()
    [ -n "$apt_network" ] && aptopts=(--aptopt="$cache/apt-network.conf")
    if env "${proxy_env[@]}" mmdebstrap --variant=apt --include="$include" "${aptopts[@]}" \
        "$suite" "$base.new" "${sources[@]}" >"$logs/root.log" 2>&1; then
        mv "$base.new" "$base"
        printf '%s\n' "$recipe" >"$base.recipe"
        printf 'PASS  root  %-52s %s\n' "$release ($suite) root made with mmdebstrap" \
            "$(elapsed $((SECONDS - step_start)))"
    else
        printf 'FAIL  root  %-52s %s  log: %s\n' "$release ($suite) root made with mmdebstrap" \
            "$(elapsed $((SECONDS - step_start)))" "$logs/root.log"
        echo "fresh-machine-check: FAIL (no root to run in)"
        exit 1
    fi
else
    printf 'PASS  root  %s (%s) root from the cache (%s)\n' "$release" "$suite" "$(date -r "$base.recipe" +%F)"
fi
# A shared hold for the rest of the run: the root is not made again under a running check.
flock -s 9

# --- this run's overlay -------------------------------------------------------------------------
run=$cache/runs/$stamp-$suite
root=$run/root
mkdir -p "$run/upper" "$run/work" "$root"

cleanup() {
    local pid
    # Processes still running in the root: ours, started by the steps.
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
        [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$root" ] && kill -9 "$pid" 2>/dev/null || true
    done
    sleep 0.5
    if mountpoint -q "$root"; then
        umount -R "$root" 2>/dev/null || umount -R -l "$root" || true
    fi
    if grep -q " $run/" /proc/self/mounts; then
        echo "fresh-machine-check: $root is still mounted; $run left in place" >&2
    elif $keep; then
        echo "kept: mount -t overlay overlay -o lowerdir=$base,upperdir=$run/upper,workdir=$run/work $root"
    else
        rm -rf --one-file-system "$run"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mount -t overlay overlay -o "lowerdir=$base,upperdir=$run/upper,workdir=$run/work" "$root"
mount -t proc proc "$root/proc"
for d in sys dev; do
    mount --rbind "/$d" "$root/$d"
    mount --make-rslave "$root/$d"
done
cp /etc/resolv.conf "$root/etc/resolv.conf"
printf '127.0.0.1\tlocalhost\n::1\t\tlocalhost ip6-localhost ip6-loopback\n' >"$root/etc/hosts"
[ -n "$apt_network" ] && printf '%s\n' "$apt_network" >"$root/etc/apt/apt.conf.d/99host-network"

git clone -q --no-checkout "$repo" "$root/src/tremora"
git -C "$root/src/tremora" cat-file -e "$commit^{commit}" 2>/dev/null ||
    git -C "$root/src/tremora" fetch -q origin "$commit"
git -C "$root/src/tremora" checkout -q --detach "$commit"
if [ -n "$(git -C "$repo" status --porcelain --untracked-files=no)" ]; then
    echo "note: the check runs commit $(git -C "$repo" rev-parse --short HEAD); uncommitted changes are not in it"
fi

# The environment of a fresh root login, with the host's proxy variables.
fresh_env=(HOME=/root LANG=C.UTF-8 TERM=dumb PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
    "${proxy_env[@]}")
# Runs a shell command in the clone in the root, as root; a step's time limit at most.
in_root() {
    timeout -k 30 "${step_minutes}m" env -i "${fresh_env[@]}" chroot "$root" /bin/bash -c "cd /src/tremora && $1"
}

failed=()
report() { # result name what log
    local line
    line=$(printf '%s  %-4s  %-52s %s' "$1" "$2" "$3" "$(elapsed $((SECONDS - step_start)))")
    [ "$1" = PASS ] || line+="  log: $4"
    echo "$line"
    [ "$1" = PASS ] || failed+=("$2")
}

if [ -z "$deb_only" ]; then
# a: make test without ../shared
step_start=$SECONDS
if [ -e "$root/src/shared" ]; then
    echo "no ../shared expected beside the clone" >"$logs/a-test-without-shared.log"
    report FAIL a "make test, no ../shared" "$logs/a-test-without-shared.log"
elif in_root 'make test' >"$logs/a-test-without-shared.log" 2>&1 </dev/null; then
    report PASS a "make test, no ../shared" "$logs/a-test-without-shared.log"
else
    report FAIL a "make test, no ../shared" "$logs/a-test-without-shared.log"
fi

# b: make test with a read-only ../shared (copied without write bits, mounted read-only: root
# ignores the bits)
step_start=$SECONDS
log=$logs/b-test-with-shared.log
if [ ! -d "$shared" ]; then
    echo "no shared folder at $shared" >"$log"
    report FAIL b "make test, read-only ../shared" "$log"
else
    cp -a "$shared" "$root/src/shared"
    chmod -R a-w "$root/src/shared"
    mount --bind "$root/src/shared" "$root/src/shared"
    mount -o remount,bind,ro "$root/src/shared"
    if in_root 'make test' >"$log" 2>&1 </dev/null; then
        report PASS b "make test, read-only ../shared" "$log"
    else
        report FAIL b "make test, read-only ../shared" "$log"
    fi
    umount "$root/src/shared"
fi

# c: make run headless. The event service and tile hosts point at a closed loopback port so the
# run stays offline whatever the working folder holds.
step_start=$SECONDS
log=$logs/c-run.log
program=$root/src/tremora/build/release/app/tremora
program_running() {
    local p
    # make prints the line that starts the program first; /proc is looked through only after it.
    grep -qF '../build/release/app/tremora' "$log" || return 1
    for p in /proc/[0-9]*; do
        [ "$(readlink "$p/exe" 2>/dev/null)" = "$program" ] && return 0
    done
    return 1
}
setsid env -i "${fresh_env[@]}" QT_QPA_PLATFORM=offscreen chroot "$root" /bin/bash -c \
    'cd /src/tremora && make run ARGS="--event-host http://127.0.0.1:9 --tile-host http://127.0.0.1:9"' \
    >"$log" 2>&1 </dev/null &
make_pid=$!
result=FAIL
limit=$((SECONDS + step_minutes * 60))
while kill -0 $make_pid 2>/dev/null && [ $SECONDS -lt $limit ]; do
    if program_running; then
        program_start=$SECONDS
        sleep 10
        if kill -0 $make_pid 2>/dev/null && program_running; then
            result=PASS
            echo "fresh-machine-check: the program still runs 10 s after it started" >>"$log"
        else
            echo "fresh-machine-check: the program ended within 10 s of its start" >>"$log"
        fi
        break
    fi
    sleep 1
done
if [ -z "${program_start:-}" ]; then
    if kill -0 $make_pid 2>/dev/null; then
        echo "fresh-machine-check: the program did not start within $step_minutes minutes" >>"$log"
    else
        echo "fresh-machine-check: make run ended before the program started" >>"$log"
    fi
fi
kill -- -$make_pid 2>/dev/null || true
wait $make_pid 2>/dev/null || true
report $result c "make run, headless, still up 10 s after start" "$log"
fi

# d: the Debian package, installed with apt as a user would, then started from the menu's command
# line: no --workdir, so it must make and fill its data folder in the home folder.
step_start=$SECONDS
log=$logs/d-package.log
deb_step() {
    local deb
    if [ -n "$deb_only" ]; then
        mkdir -p "$root/tmp/package"
        cp "$deb_only" "$root/tmp/package/"
        deb=/tmp/package/$(basename "$deb_only")
    else
        in_root 'make package' || return 1
        deb=/src/tremora/$(cd "$root/src/tremora" && ls build/release/tremora_*_amd64.deb | head -n 1)
    fi
    echo "fresh-machine-check: installing $deb"
    in_root "export DEBIAN_FRONTEND=noninteractive && apt-get update -qq &&
        apt-get install -y -qq --no-install-recommends $deb" || return 1
    in_root 'dpkg -L tremora | grep -E "^/usr/share/(applications|icons/hicolor/scalable)"' || return 1
    in_root 'tremora --version' || return 1
    # Started where a menu starts it, in the home folder, offline, for 10 seconds.
    in_root 'cd /root && rm -rf .local/share/tremora &&
        QT_QPA_PLATFORM=offscreen tremora --event-host http://127.0.0.1:9 --tile-host http://127.0.0.1:9 &
        pid=$!; sleep 10
        if ! kill -0 $pid 2>/dev/null; then echo "the program ended within 10 s"; exit 1; fi
        kill $pid; wait $pid 2>/dev/null
        ls -l /root/.local/share/tremora
        test -s /root/.local/share/tremora/Lokalizacje.dat && test -s /root/.local/share/tremora/Ziemia.jpg &&
        ! ls /root | grep -q Baza_USGS' || return 1
    echo "fresh-machine-check: installed, printed its version, ran 10 s in its data folder"
}
if deb_step >"$log" 2>&1 </dev/null; then
    report PASS d "apt install of the .deb, --version, 10 s start" "$log"
else
    report FAIL d "apt install of the .deb, --version, 10 s start" "$log"
fi

total=$(elapsed $((SECONDS - started)))
if [ ${#failed[@]} -eq 0 ]; then
    echo "fresh-machine-check: PASS on $release ($suite), commit ${commit:0:7}, $total"
else
    echo "fresh-machine-check: FAIL (${failed[*]}) on $release ($suite), commit ${commit:0:7}, $total, logs in $logs"
    exit 1
fi
