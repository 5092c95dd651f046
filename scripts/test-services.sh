#!/usr/bin/env bash
# Sourced by test.sh: starts what the tests need, once, and stops it when the caller exits.
#  - a virtual display (Xvfb) unless one is given in DISPLAY;
#  - a PulseAudio server with a null sink "lumetra_sink", a virtual microphone "lumetra_mic"
#    remapped from its monitor (so `paplay` into the sink speaks into the microphone), and a
#    silent keep-alive stream (without it the null sink delivers audio in 2-second blocks).
# Exports DISPLAY and PULSE_SERVER for every test.

lumetra_services_dir=$(mktemp -d /tmp/lumetra-services-XXXXXX)
lumetra_service_pids=()

lumetra_stop_services() {
  for pid in "${lumetra_service_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$lumetra_services_dir"
}
trap lumetra_stop_services EXIT

lumetra_start_display() {
  if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then return; fi
  local number=$((90 + RANDOM % 400))
  Xvfb ":$number" -screen 0 1920x1080x24 -nolisten tcp >"$lumetra_services_dir/xvfb.log" 2>&1 &
  lumetra_service_pids+=($!)
  export DISPLAY=":$number"
  for _ in $(seq 50); do
    [[ -e "/tmp/.X11-unix/X$number" ]] && return
    sleep 0.1
  done
  echo "Xvfb did not start:" >&2; cat "$lumetra_services_dir/xvfb.log" >&2; return 1
}

lumetra_start_audio() {
  local socket="$lumetra_services_dir/pulse/native"
  mkdir -p "$lumetra_services_dir/pulse" "$lumetra_services_dir/runtime"
  chmod 700 "$lumetra_services_dir/runtime"
  XDG_RUNTIME_DIR="$lumetra_services_dir/runtime" HOME="$lumetra_services_dir" \
    pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit=yes --use-pid-file=no \
      --disable-shm=yes -n \
      --load="module-native-protocol-unix socket=$socket auth-anonymous=1" \
      --load="module-null-sink sink_name=lumetra_sink rate=48000 channels=2" \
      --load="module-remap-source master=lumetra_sink.monitor source_name=lumetra_mic" \
      --load="module-always-sink" \
      >"$lumetra_services_dir/pulseaudio.log" 2>&1 &
  lumetra_service_pids+=($!)
  export PULSE_SERVER="unix:$socket"
  for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
  if ! pactl info >/dev/null 2>&1; then
    echo "PulseAudio did not start:" >&2; cat "$lumetra_services_dir/pulseaudio.log" >&2; return 1
  fi
  pactl set-default-sink lumetra_sink
  pactl set-default-source lumetra_mic
  # A short latency, so that a new capture gets its first buffer at once rather than after ~2 s.
  pacat --playback --raw --format=s16le --rate=48000 --channels=2 --device=lumetra_sink \
    --latency-msec=20 --client-name=lumetra-keepalive </dev/zero 2>"$lumetra_services_dir/keepalive.log" &
  lumetra_service_pids+=($!)
}

lumetra_start_display
lumetra_start_audio
