#!/usr/bin/env bash
# Plays a piece of the sample book into a PulseAudio null sink started for the test alone.
#   book_audio.sh QT_BOOK_MODE_TEST
# Exits 77 (skipped) when no PulseAudio server can be started here.
set -u
test_binary=$1
command -v pulseaudio >/dev/null || { echo "skipped: pulseaudio is not installed"; exit 77; }
runtime=$(mktemp -d)
trap 'pulseaudio --kill >/dev/null 2>&1; rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime HOME=$runtime PULSE_RUNTIME_PATH=$runtime/pulse
pulseaudio -n --daemonize=yes --exit-idle-time=-1 --log-target=file:"$runtime/pulse.log" \
  -L "module-null-sink sink_name=book_test" -L "module-native-protocol-unix" \
  -L "module-always-sink" >/dev/null 2>&1
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
if ! pactl info >/dev/null 2>&1; then
  echo "skipped: no PulseAudio server could be started"; cat "$runtime/pulse.log" 2>/dev/null | tail -5
  exit 77
fi
pactl set-default-sink book_test >/dev/null 2>&1
QT_QPA_PLATFORM=offscreen "$test_binary" playsIntoTheSoundDevice
