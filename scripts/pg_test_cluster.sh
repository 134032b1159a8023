# A throwaway PostgreSQL cluster for the tests: initdb in a temporary folder owned by an
# unprivileged user (the tests may run as root, which PostgreSQL refuses), listening only on a Unix
# socket in that folder. start_test_cluster exports LARDERON_TEST_SERVER, a libpq connection text
# the server tests use; stop_test_cluster stops it and removes the folder.

pg_bin_dir() {
  local bindir
  bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  [ -n "$bindir" ] && [ -x "$bindir/initdb" ] && echo "$bindir"
}

start_test_cluster() {
  local bindir owner
  bindir=$(pg_bin_dir) || { echo "PostgreSQL is not installed" >&2; return 1; }
  owner=postgres
  id "$owner" >/dev/null 2>&1 || owner=nobody
  TEST_CLUSTER_DIR=$(mktemp -d /tmp/larderon-pg.XXXXXX)
  chmod 755 "$TEST_CLUSTER_DIR"
  mkdir "$TEST_CLUSTER_DIR/data"
  chown "$owner" "$TEST_CLUSTER_DIR" "$TEST_CLUSTER_DIR/data"
  local as=(runuser -u "$owner" --)
  [ "$(id -u)" -ne 0 ] && as=()
  "${as[@]}" "$bindir/initdb" -D "$TEST_CLUSTER_DIR/data" -U larderon --auth=trust -E UTF8 --locale=C.UTF-8 >/dev/null
  "${as[@]}" "$bindir/pg_ctl" -D "$TEST_CLUSTER_DIR/data" -l "$TEST_CLUSTER_DIR/server.log" -w \
    -o "-c listen_addresses='' -k $TEST_CLUSTER_DIR -c max_connections=200 -c fsync=off" start >/dev/null
  TEST_CLUSTER_OWNER=$owner
  TEST_CLUSTER_BIN=$bindir
  export LARDERON_TEST_SERVER="host=$TEST_CLUSTER_DIR user=larderon dbname=postgres"
}

stop_test_cluster() {
  [ -n "${TEST_CLUSTER_DIR:-}" ] || return 0
  local as=(runuser -u "$TEST_CLUSTER_OWNER" --)
  [ "$(id -u)" -ne 0 ] && as=()
  "${as[@]}" "$TEST_CLUSTER_BIN/pg_ctl" -D "$TEST_CLUSTER_DIR/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$TEST_CLUSTER_DIR"
  unset TEST_CLUSTER_DIR LARDERON_TEST_SERVER
}
