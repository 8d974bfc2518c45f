#!/usr/bin/env bash
# The network outputs on a network of fake nodes: a network namespace of the
# test's own with two veth interfaces (their peers stay in the namespace too,
# so nothing of the test reaches the machine's own network), every address on
# 198.19.60.0/24, no default route. Runs build/tests/velantra_netns_tests in it
# and removes the namespace, and with it the interfaces, afterwards.
#
#   tools/netns_test.sh [BUILD_DIR] [gtest options...]
#
#   first interface  198.19.60.0/25: the controller .1 (broadcast .127), the
#                    fake nodes .10-.59, and .200/32, an address on no subnet
#                    of the interface; 239.0.0.0/8 is routed here
#   second interface 198.19.60.128/26: the controller .129, which the test
#                    moves to .130 and back (broadcast .191)
#
# Needs root (namespaces) and ip; without them it says so and skips (exit 0
# with a SKIPPED line).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${VELANTRA_BUILD_DIR:-$root/build}}
shift || true
tests=$build/tests/velantra_netns_tests

skip() {
  echo "netns test SKIPPED: $*"
  exit 0
}
[ "$(id -u)" -eq 0 ] || skip "needs root for the network namespace"
command -v ip >/dev/null || skip "no ip command (package iproute2)"
[ -x "$tests" ] || { echo "netns test: $tests not built" >&2; exit 1; }

# 198.18.0.0/15 is set aside for tests; use this part of it only if nothing
# here does (an address, a route into it, or a route that covers it).
net=198.19.60
in_use=$({
  ip -4 addr | grep " $net\." || true
  ip -4 route show table all root "$net.0/24" || true
  ip -4 route show table all match "$net.0/24" | grep -v '^default' || true
})
[ -z "$in_use" ] || skip "$net.0/24 is in use on this machine: $in_use"

ns=velantra-netns-$$
if_a=vn$$a
if_b=vn$$b
cleanup() {
  ip netns del "$ns" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM

ip netns add "$ns"
in_ns() { ip -n "$ns" "$@"; }
in_ns link set lo up
in_ns link add "$if_a" type veth peer name "${if_a}p"
in_ns link add "$if_b" type veth peer name "${if_b}p"
in_ns addr add "$net.1/25" brd + dev "$if_a"
# The fake nodes' addresses, in one call of ip.
for i in $(seq 10 59); do
  echo "addr add $net.$i/25 dev $if_a"
done | ip -n "$ns" -batch -
in_ns addr add "$net.200/32" dev "$if_a"
in_ns addr add "$net.129/26" brd + dev "$if_b"
for link in "$if_a" "${if_a}p" "$if_b" "${if_b}p"; do
  in_ns link set "$link" up
done
# sACN's groups leave by the first interface when nothing else is said.
in_ns route add 239.0.0.0/8 dev "$if_a"
if in_ns -4 route | grep -q '^default'; then
  echo "netns test: the namespace has a default route" >&2
  exit 1
fi

status=0
ip netns exec "$ns" env \
  VELANTRA_NETNS_IF="$if_a" VELANTRA_NETNS_LOCAL="$net.1" VELANTRA_NETNS_NETMASK=255.255.255.128 \
  VELANTRA_NETNS_BROADCAST="$net.127" VELANTRA_NETNS_FIRST_NODE="$net.10" VELANTRA_NETNS_NODE_COUNT=50 \
  VELANTRA_NETNS_FOREIGN="$net.200" \
  VELANTRA_NETNS_MOVE_IF="$if_b" VELANTRA_NETNS_MOVE_FROM="$net.129" VELANTRA_NETNS_MOVE_TO="$net.130" \
  VELANTRA_NETNS_MOVE_PREFIX=26 VELANTRA_NETNS_MOVE_BROADCAST="$net.191" \
  "$tests" "$@" || status=$?
exit $status
