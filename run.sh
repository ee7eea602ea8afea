#!/usr/bin/env bash
# Installs what is missing, builds, creates the install folder on first use,
# and opens Quillmere. Extra arguments go to quillmere-setup on first use
# (for example: ./run.sh --code 8642 --people 4 --member 张三 --member 李四).
source "$(dirname "$0")/scripts/common.sh"
qm_install "${QM_PACKAGES[@]}"
qm_build
home="${FERNCASK_HOME:-$HOME/.local/share/ferncask}"
if [ ! -d "$home" ]; then
    "$QM_BUILD/setup/quillmere-setup" "$@"
fi
exec "$QM_BUILD/quillmere"
