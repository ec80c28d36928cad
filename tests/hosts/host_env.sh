# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the real-host tests: a private X server and JACK server for one test, waits with
# a deadline, and a clean-up that stops what the test started (and only that), newest first.

started_pids=()

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# Runs in the background with its output in a file; remembered for the clean-up.
start() {
  local log=$1
  shift
  "$@" >"$log" 2>&1 &
  started_pids+=($!)
}

stop_started() {
  while ((${#started_pids[@]})); do
    stop_newest
  done
}

# Asks the newest process to end, and makes it after five seconds.
stop_newest() {
  local pid=${started_pids[-1]}
  unset 'started_pids[-1]'
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
trap stop_started EXIT

# wait_until SECONDS COMMAND...: true once the command succeeds, false at the deadline.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}

# Xvfb on a free display; DISPLAY points at it.
start_xvfb() {
  local scratch=$1 number
  : >"$scratch/display"
  # -noreset: the server resets when its last client leaves, and refuses clients meanwhile;
  # the tests open one client after another.
  start "$scratch/xvfb.log" Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp -noreset \
    9>"$scratch/display"
  wait_until 20 test -s "$scratch/display" || fail "Xvfb did not start: $(cat "$scratch/xvfb.log")"
  number=$(head -n1 "$scratch/display")
  export DISPLAY=":$number"
}

# A JACK server of its own with the dummy driver (no sound card); JACK clients of this test
# find it through JACK_DEFAULT_SERVER. Started again once if it does not answer.
start_jackd() {
  local scratch=$1 attempt
  export JACK_DEFAULT_SERVER="sferant-test-$$"
  export JACK_NO_AUDIO_RESERVATION=1
  for attempt in 1 2; do
    start "$scratch/jackd-$attempt.log" jackd --no-realtime -n "$JACK_DEFAULT_SERVER" \
      -d dummy -r 48000 -p 256
    wait_until 15 timeout 5 jack_lsp && return 0
    stop_newest
  done
  fail "jackd did not start: $(cat "$scratch"/jackd-*.log)"
}
