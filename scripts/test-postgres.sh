# A private PostgreSQL server for the tests: its own data folder in a
# temporary directory, run by an unprivileged user, listening only on
# 127.0.0.1 on a free port, stopped when the calling script exits.

qm_start_postgres() {
    local bin
    bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
    if [ -z "$bin" ]; then
        echo "PostgreSQL is not installed" >&2
        return 1
    fi
    QM_PG_DIR="$(mktemp -d /tmp/quillmere-pg.XXXXXX)"
    local runas=()
    if [ "$(id -u)" -eq 0 ]; then
        chown postgres: "$QM_PG_DIR"
        runas=(runuser -u postgres --)
    fi
    local password
    password="$(head -c 18 /dev/urandom | od -An -tx1 | tr -d ' \n')"
    printf '%s\n' "$password" >"$QM_PG_DIR/pwfile"
    [ ${#runas[@]} -gt 0 ] && chown postgres: "$QM_PG_DIR/pwfile"
    "${runas[@]}" "$bin/initdb" -D "$QM_PG_DIR/data" -U quillmere --pwfile="$QM_PG_DIR/pwfile" \
        --auth-host=scram-sha-256 --auth-local=trust -E UTF8 --locale=C.UTF-8 >"$QM_PG_DIR/initdb.log" 2>&1 || {
        cat "$QM_PG_DIR/initdb.log" >&2
        return 1
    }
    trap qm_stop_postgres EXIT
    local port
    for port in $(seq 55432 55532); do
        if "${runas[@]}" "$bin/pg_ctl" -D "$QM_PG_DIR/data" -l "$QM_PG_DIR/server.log" -w -t 30 \
            -o "-p $port -k $QM_PG_DIR -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200" \
            start >/dev/null 2>&1; then
            QM_PG_BIN="$bin"
            QM_PG_RUNAS=("${runas[@]}")
            export QUILLMERE_TEST_PGHOST=127.0.0.1
            export QUILLMERE_TEST_PGPORT="$port"
            export QUILLMERE_TEST_PGUSER=quillmere
            export QUILLMERE_TEST_PGPASSWORD="$password"
            echo "Test PostgreSQL server on 127.0.0.1:$port"
            return 0
        fi
    done
    echo "Could not start the test PostgreSQL server:" >&2
    cat "$QM_PG_DIR/server.log" >&2 || true
    return 1
}

qm_stop_postgres() {
    if [ -n "${QM_PG_BIN:-}" ]; then
        "${QM_PG_RUNAS[@]}" "$QM_PG_BIN/pg_ctl" -D "$QM_PG_DIR/data" -m fast -w stop >/dev/null 2>&1 || true
    fi
    [ -n "${QM_PG_DIR:-}" ] && rm -rf "$QM_PG_DIR"
}
