#!/usr/bin/env bash
# Checks the desktop entry and the AppStream metadata with their reference validators, which
# must report nothing at all: no error, warning, hint, info or pedantic note.
set -euo pipefail
packaging=$1
failed=0

hints=$(desktop-file-validate "$packaging/org.kestrin.tolvan.desktop" 2>&1) || failed=1
if [[ -n "$hints" ]]; then echo "$hints"; failed=1; fi

report=$(appstreamcli validate --strict --pedantic --no-net --no-color \
  "$packaging/org.kestrin.tolvan.metainfo.xml" 2>&1) || failed=1
if grep -q '^[EWIP]: ' <<<"$report"; then echo "$report"; failed=1; fi

((failed == 0)) || { echo "metadata check failed" >&2; exit 1; }
echo "metadata check passed"
