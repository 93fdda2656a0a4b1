#!/usr/bin/env bash
# Makes a fresh demo folder of sample mails and prints its path.
#   tools/make-demo.sh BUILD_DIR DEMO_FOLDER
# The mails come from the generator tools/make-eml when it is built, else from the shared
# sample mails.
set -euo pipefail
BUILD=$1
DEMO=$2
rm -rf "$DEMO"
mkdir -p "$DEMO"
GEN="$BUILD/tools/make-eml/kavio-make-eml"
SAMPLES="$(cd "$(dirname "$0")/.." && pwd)/../shared/samples/eml"
if [ -x "$GEN" ]; then
  "$GEN" --count 24 --body-kb 4 --seed 7 "$DEMO" >/dev/null
elif [ -d "$SAMPLES" ]; then
  cp "$SAMPLES"/*.eml "$DEMO"/
else
  echo "make-demo: weder $GEN noch $SAMPLES vorhanden" >&2
  exit 1
fi
echo "$DEMO"
