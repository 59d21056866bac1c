#!/usr/bin/env bash
# The plug-in must export its entry and nothing else.
set -euo pipefail
library=$1
exports=$(nm -D --defined-only "$library" | awk '{print $NF}')
if [ "$exports" != "AvisynthPluginInit2" ]; then
  echo "unexpected exports of $library:"
  echo "$exports"
  exit 1
fi
