#!/usr/bin/env bash
# The AppStream metainfo passes appstreamcli's validation without the network,
# and every screenshot it names is a picture of docs/screenshots/.
#
# Usage: metainfo.sh METAINFO SOURCE_DIR
# Exit status: 0 passed, 1 failed, 77 skipped (no appstreamcli).
set -euo pipefail

metainfo=$1
screenshots=$2/docs/screenshots

if ! command -v appstreamcli >/dev/null; then
  echo "skipped: no appstreamcli (Debian package appstream, which bash tools/setup.sh test installs)"
  exit 77
fi
appstreamcli validate --no-net "$metainfo" || { echo "appstreamcli finds $metainfo invalid" >&2; exit 1; }

images=$(sed -n 's|.*<image>.*/\([^/<]*\)</image>.*|\1|p' "$metainfo")
[ -n "$images" ] || { echo "$metainfo names no screenshot" >&2; exit 1; }
for image in $images; do
  [ -f "$screenshots/$image" ] || { echo "$metainfo shows $image, which docs/screenshots/ lacks" >&2; exit 1; }
done
echo "valid, with the screenshots $(echo $images) of docs/screenshots/"
