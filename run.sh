#!/usr/bin/env bash
# Installs what is missing, builds, creates the install folder on first use
# (and completes an older one), and opens Quillmere. Extra arguments go to
# quillmere-setup; they shape a new ledger only, never an existing one
# (for example: ./run.sh --code 8642 --people 4 --member 张三 --member 李四).
source "$(dirname "$0")/scripts/common.sh"
qm_install "${QM_PACKAGES[@]}"
qm_build
# Setup only adds what is missing; an existing ledger is left as it is. A
# setup that fails stops here with its message.
report="$("$QM_BUILD/setup/quillmere-setup" "$@")"
printf '%s\n' "$report" | grep -v '^  found:' || true
exec "$QM_BUILD/quillmere"
