#!/usr/bin/env bash
# Runs a test in a session of its own, so that it runs the same whatever session called it, or
# none: an environment holding only PATH and the variables that the test names in
# CALCARO_TEST_ENV, private home, configuration, cache, data, runtime and temporary folders, and
# a D-Bus session bus of its own. A test that needs a display, a window manager, a compositor or
# a screen reader starts its own there. Everything the test started goes when it ends, however it
# ends, and so do the folders; the status is the test's.
#   session.sh COMMAND [ARGUMENT...]
set -u
dir=$(mktemp -d /tmp/calcaro-session-XXXXXX)
for sub in home config cache data state runtime tmp; do
    mkdir -m 700 "$dir/$sub"
done
environment=(
    PATH="$PATH" LANG=C.UTF-8 CALCARO_SESSION="$dir"
    HOME="$dir/home" XDG_CONFIG_HOME="$dir/config" XDG_CACHE_HOME="$dir/cache"
    XDG_DATA_HOME="$dir/data" XDG_STATE_HOME="$dir/state" XDG_RUNTIME_DIR="$dir/runtime"
    TMPDIR="$dir/tmp"
)
for name in ${CALCARO_TEST_ENV:-}; do
    [ -z "${!name+set}" ] || environment+=("$name=${!name}")
done

# Every process of the session carries CALCARO_SESSION in its environment, also those that the
# bus started for the test and those that left their parents.
stop_session() {
    local pid
    for pid in $(grep -lzxF "CALCARO_SESSION=$dir" /proc/[0-9]*/environ 2>/dev/null |
        cut -d/ -f3); do
        [ "$pid" = $$ ] || kill -KILL "$pid" 2>/dev/null
    done
    rm -rf "$dir"
}
trap stop_session EXIT
trap 'exit 143' TERM INT HUP

# In the background, so that a TERM to this script reaches the trap at once.
env -i "${environment[@]}" dbus-run-session -- "$@" &
wait $!
