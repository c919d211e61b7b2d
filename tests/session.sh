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

# In the background, so that a TERM to this script reaches the trap at once. What the test writes
# on its error output is also kept, for the check below.
run() {
    env -i "${environment[@]}" dbus-run-session -- "$@" 2> >(tee "$dir/stderr" >&2) &
    wait $!
}
run "$@"
status=$?
# Under the sanitizers, LeakSanitizer stops every thread of the ending program to look for leaks;
# on a busy machine its own stopping thread has been seen to crash ("Tracer caught signal 11")
# after every test function had passed. That says nothing of the program, and no leak was looked
# for: the test runs once more, and that run decides.
if [ $status -ne 0 ] && [ -n "${CALCARO_LSAN_RERUN:-}" ] &&
    grep -q '^Tracer caught signal' "$dir/stderr" 2>/dev/null; then
    echo "session.sh: LeakSanitizer itself crashed, not the test; running it once more" >&2
    run "$@"
    status=$?
fi
exit $status
