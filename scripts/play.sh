#!/usr/bin/env bash
# Builds Calcaro CM1 and starts it.
set -euo pipefail
calcaro_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$calcaro_root/scripts/deps.sh"
calcaro_ensure_packages
calcaro_workflow release
exec "$calcaro_root/build/widgets/calcaro"
