# A private PostgreSQL server for the tests: its own data folder in a
# temporary directory, run by an unprivileged user, listening only on
# 127.0.0.1 on a free port, stopped when the calling script exits.
#
#   source scripts/test-postgres.sh && qm_start_postgres
#
# exports QUILLMERE_TEST_PGHOST/PGPORT/PGUSER/PGPASSWORD (the server),
# QUILLMERE_TEST_PGDRIVER (the psqlODBC Unicode driver) and
# QUILLMERE_TEST_PGSERVERS (a folder where a test may start further servers
# of its own with qm_pg_server, for example to stop one under a running
# window; they are stopped with the main one).

QM_PG_SCRIPT="${BASH_SOURCE[0]}"

qm_pg_bin() {
    ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1
}

# The command prefix that runs the server as an unprivileged user.
qm_pg_runas() {
    if [ "$(id -u)" -eq 0 ]; then
        printf '%s\n' runuser -u postgres --
    fi
}

qm_pg_driver() {
    local driver
    driver="$(dpkg -L odbc-postgresql 2>/dev/null | grep '/psqlodbcw\.so$' | head -n 1)"
    [ -n "$driver" ] || driver="/usr/lib/$(gcc -print-multiarch 2>/dev/null)/odbc/psqlodbcw.so"
    printf '%s\n' "$driver"
}

# qm_pg_server start DIR: a new server in the empty folder DIR, on the first
# free port from 55432; writes DIR/port and DIR/pwfile (user "quillmere").
# qm_pg_server stop DIR / qm_pg_server restart DIR: stop it, start it again
# on the same port.
qm_pg_server() {
    local action="$1" dir="$2"
    local bin
    bin="$(qm_pg_bin)"
    if [ -z "$bin" ]; then
        echo "PostgreSQL is not installed" >&2
        return 1
    fi
    local runas
    mapfile -t runas < <(qm_pg_runas)
    case "$action" in
    start)
        [ ${#runas[@]} -gt 0 ] && chown postgres: "$dir"
        chmod 700 "$dir"
        head -c 18 /dev/urandom | od -An -tx1 | tr -d ' \n' >"$dir/pwfile"
        [ ${#runas[@]} -gt 0 ] && chown postgres: "$dir/pwfile"
        "${runas[@]}" "$bin/initdb" -D "$dir/data" -U quillmere --pwfile="$dir/pwfile" \
            --auth-host=scram-sha-256 --auth-local=trust -E UTF8 --locale=C.UTF-8 \
            >"$dir/initdb.log" 2>&1 || {
            cat "$dir/initdb.log" >&2
            return 1
        }
        local port
        for port in $(seq 55432 55632); do
            if qm_pg_ctl_start "$bin" "$dir" "$port" "${runas[@]}"; then
                echo "$port" >"$dir/port"
                return 0
            fi
        done
        echo "Could not start a PostgreSQL server in $dir:" >&2
        cat "$dir/server.log" >&2 || true
        return 1
        ;;
    stop)
        "${runas[@]}" "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1
        ;;
    restart)
        qm_pg_ctl_start "$bin" "$dir" "$(cat "$dir/port")" "${runas[@]}" || {
            cat "$dir/server.log" >&2
            return 1
        }
        ;;
    *)
        echo "qm_pg_server: start, stop or restart" >&2
        return 2
        ;;
    esac
}

qm_pg_ctl_start() {
    local bin="$1" dir="$2" port="$3"
    shift 3
    # Another server may hold the port: then the start fails fast and the
    # caller tries the next one.
    "$@" "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
        -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200" \
        start >/dev/null 2>&1
}

qm_start_postgres() {
    QM_PG_DIR="$(mktemp -d /tmp/quillmere-pg.XXXXXX)"
    # Stop the servers however the calling script ends: failed test, Ctrl-C, kill.
    trap qm_stop_postgres EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    mkdir "$QM_PG_DIR/main" "$QM_PG_DIR/servers"
    # The server's user only passes through to its own folders.
    chmod 711 "$QM_PG_DIR" "$QM_PG_DIR/servers"
    qm_pg_server start "$QM_PG_DIR/main" || return 1
    export QUILLMERE_TEST_PGHOST=127.0.0.1
    export QUILLMERE_TEST_PGPORT="$(cat "$QM_PG_DIR/main/port")"
    export QUILLMERE_TEST_PGUSER=quillmere
    export QUILLMERE_TEST_PGPASSWORD="$(cat "$QM_PG_DIR/main/pwfile")"
    export QUILLMERE_TEST_PGDRIVER="$(qm_pg_driver)"
    export QUILLMERE_TEST_PGSERVERS="$QM_PG_DIR/servers"
    export QUILLMERE_TEST_PGSCRIPT="$(cd "$(dirname "$QM_PG_SCRIPT")" && pwd)/$(basename "$QM_PG_SCRIPT")"
    echo "Test PostgreSQL server on 127.0.0.1:$QUILLMERE_TEST_PGPORT"
}

qm_stop_postgres() {
    [ -n "${QM_PG_DIR:-}" ] || return 0
    local data
    for data in "$QM_PG_DIR"/main/data "$QM_PG_DIR"/servers/*/data; do
        [ -f "$data/postmaster.pid" ] && qm_pg_server stop "$(dirname "$data")"
    done
    rm -rf "$QM_PG_DIR"
    QM_PG_DIR=
}
