#!/bin/sh
# The udev rule and the AppStream file name the same USB devices:
#   check_devices.sh RULES METAINFO
set -eu
rule=$(sed -n 's/.*ATTRS{idVendor}=="\([0-9a-f]*\)", ATTRS{idProduct}=="\([0-9a-f|]*\)".*/\1 \2/p' "$1")
[ -n "$rule" ] || { echo "$1: no rule with a vendor and its products" >&2; exit 1; }
vendor=${rule% *}
from_rule=$(echo "${rule#* }" | tr '|' '\n' | sed "s/^/usb:v$(echo "$vendor" | tr a-f A-F)p/; s/\$/d*/" | sort)
from_metainfo=$(sed -n 's:.*<modalias>\(.*\)</modalias>.*:\1:p' "$2" | sort)
if [ "$from_rule" != "$from_metainfo" ]; then
  echo "the udev rule opens:" >&2; echo "$from_rule" >&2
  echo "the AppStream file names:" >&2; echo "$from_metainfo" >&2
  exit 1
fi
