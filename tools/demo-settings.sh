#!/usr/bin/env bash
# Makes a fresh settings folder for the demo: a "Kavio.ini" that points the window at the demo
# folder (folder field and recent folders). Start the window with XDG_CONFIG_HOME set to it, and
# the user's own settings stay untouched.
#   tools/demo-settings.sh DEMO_FOLDER CONFIG_FOLDER
set -euo pipefail
DEMO=$1
CONFIG=$2
case "$DEMO" in
  /*) ;;
  *) DEMO="$(pwd)/$DEMO" ;;
esac
rm -rf "$CONFIG"
mkdir -p "$CONFIG"
printf '[FormMain]\nFormVersion=0\nJvDirectoryEditSrc_Text=%s\n\n[FormMain\\JvStrHolderDirs_Strings]\nItem0=%s\nCount=1\n\n' \
  "$DEMO" "$DEMO" >"$CONFIG/Kavio.ini"
echo "$CONFIG"
