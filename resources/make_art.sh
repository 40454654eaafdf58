#!/usr/bin/env bash
# Regenerates the picture files in resources/ (program icon, pointers,
# ImageList1's row pictures) from make_art.py. The outputs are committed, so
# a build needs neither Python nor cairo; run this after changing the script.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=scripts/lib.sh
source "$here/../scripts/lib.sh"
vexa_ensure_packages python3-cairo
/usr/bin/python3 "$here/make_art.py" "$here"
