#!/usr/bin/env bash
# Runs Zoravin on the demo installation folder, creating it on first use.
set -euo pipefail
build=$1; demo=$2
ctl="$build/src/cli/zoravinctl"
if [ ! -f "$demo/AHM.sqlite" ]; then
  "$ctl" init "$demo"
fi
"$ctl" upgrade "$demo"
echo "Zoravin: installation folder $demo is up to date."
