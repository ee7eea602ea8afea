#!/usr/bin/env bash
# Installs what is missing, builds, starts a private PostgreSQL server for the
# shared-ledger tests, and runs every test with CTest.
source "$(dirname "$0")/scripts/common.sh"
qm_install "${QM_PACKAGES[@]}" postgresql
qm_build
source "$QM_ROOT/scripts/test-postgres.sh"
qm_start_postgres
cd "$QM_BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" "$@"
