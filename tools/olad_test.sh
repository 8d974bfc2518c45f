#!/usr/bin/env bash
# The network outputs against a real receiver: OLA's olad, in a network
# namespace of its own joined to this one by a veth pair, so that nothing of
# the test reaches the machine's own network. Runs build/tests/velantra_olad_tests
# against it and removes everything afterwards.
#
#   tools/olad_test.sh [BUILD_DIR]
#
# Needs root (namespaces, veth) and the package "ola"; without them it says so
# and skips (exit 0 with a SKIPPED line). olad refuses to run as root: it runs
# as nobody, with a configuration directory of its own in which every plugin
# but E1.31 and Art-Net is off.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${VELANTRA_BUILD_DIR:-$root/build}}
tests=$build/tests/velantra_olad_tests

skip() {
  echo "olad test SKIPPED: $*"
  exit 0
}
[ "$(id -u)" -eq 0 ] || skip "needs root for the network namespace and the veth pair"
command -v olad >/dev/null || skip "olad not installed (Debian package ola)"
command -v ip >/dev/null || skip "no ip command (package iproute2)"
[ -x "$tests" ] || { echo "olad test: $tests not built" >&2; exit 1; }

# 198.18.0.0/15 is set aside for tests; use it only if nothing here does.
net=198.18.77
if ip route | grep -q "^$net\." || ip -4 addr | grep -q " $net\."; then
  skip "$net.0/24 is in use on this machine"
fi
ns=velantra-ola-$$
host_if=vlo$$h
ola_if=vlo$$o
work=$(mktemp -d /tmp/velantra-olad.XXXXXX)
olad_pid=

cleanup() {
  if [ -n "$olad_pid" ]; then
    kill "$olad_pid" 2>/dev/null || true
    wait "$olad_pid" 2>/dev/null || true
  fi
  ip link del "$host_if" 2>/dev/null || true
  ip netns del "$ns" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

ip netns add "$ns"
ip link add "$host_if" type veth peer name "$ola_if"
ip link set "$ola_if" netns "$ns"
# With their broadcast addresses: olad answers Art-Net polls by broadcast.
ip addr add "$net.1/24" brd + dev "$host_if"
ip link set "$host_if" up
ip netns exec "$ns" ip link set lo up
ip netns exec "$ns" ip addr add "$net.2/24" brd + dev "$ola_if"
ip netns exec "$ns" ip link set "$ola_if" up
# Multicast (sACN's 239.255.x.y) arrives over the veth in both directions.
ip netns exec "$ns" ip route add 239.0.0.0/8 dev "$ola_if"

# Every plugin off but E1.31 and Art-Net (a plugin without a file would start).
config=$work/config
mkdir -p "$config"
for plugin in artnet dummy e131 espnet ftdidmx gpio karate kinet milinst nanoleaf opendmx openpixelcontrol osc \
  pathport renard sandnet shownet spi stageprofi uartdmx usbdmx usbserial dmx4linux; do
  echo "enabled = false" >"$config/ola-$plugin.conf"
done
printf 'enabled = true\nip = %s\ninput_ports = 5\noutput_ports = 0\nignore_preview = true\n' "$net.2" \
  >"$config/ola-e131.conf"
printf 'enabled = true\nip = %s\noutput_ports = 0\nshort_name = olad\nlong_name = olad under test\n' "$net.2" \
  >"$config/ola-artnet.conf"
chown -R nobody:nogroup "$work"
chmod 755 "$work"

ip netns exec "$ns" setpriv --reuid=nobody --regid=nogroup --clear-groups \
  olad -c "$config" -l 2 >"$work/olad.log" 2>&1 &
olad_pid=$!

in_ns() { ip netns exec "$ns" "$@"; }
ready=
for _ in $(seq 50); do
  if in_ns ola_dev_info >"$work/devices" 2>/dev/null && grep -q "E1.31" "$work/devices" &&
    grep -q "ArtNet" "$work/devices"; then
    ready=1
    break
  fi
  sleep 0.2
done
[ -n "$ready" ] || { echo "olad did not start:" >&2; cat "$work/olad.log" >&2; exit 1; }
e131=$(sed -n 's/^Device \([0-9]*\): E1.31.*/\1/p' "$work/devices")
artnet=$(sed -n 's/^Device \([0-9]*\): ArtNet.*/\1/p' "$work/devices")
# sACN universes 1 and 3 in olad's universes 1 and 3; Art-Net into olad's
# universe 2, which its plugin takes from Port-Address 0:0:2.
in_ns ola_patch -i -d "$e131" -p 0 -u 1
in_ns ola_patch -i -d "$e131" -p 1 -u 3
in_ns ola_patch -i -d "$artnet" -p 0 -u 2
# The desk's second universe: sACN universe 4, and Port-Address 0:0:3 into
# olad's universe 19 (its plugin takes the universe's low four bits).
in_ns ola_patch -i -d "$e131" -p 2 -u 4
in_ns ola_patch -i -d "$artnet" -p 1 -u 19

status=0
VELANTRA_OLAD_HOST=$net.2 VELANTRA_OLAD_LOCAL=$net.1 VELANTRA_OLAD_PID=$olad_pid \
  VELANTRA_PROGRAM_HOME=$work QT_QPA_PLATFORM=offscreen "$tests" || status=$?
if ! kill -0 "$olad_pid" 2>/dev/null; then
  echo "olad died during the test: a packet it could not take (the end of its log follows)" >&2
  tail -n 20 "$work/olad.log" >&2
  status=1
fi
exit $status
