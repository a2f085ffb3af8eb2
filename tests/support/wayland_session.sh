# Shared set-up of the scripts that run the program under a headless Wayland
# compositor, sourced after x_session.sh. Gives runtime (a private
# XDG_RUNTIME_DIR), as_user (runs a command, in the background, as an
# unprivileged user when we are root: sway will not run as root), compositor
# and helpers (pids ended on exit) and wait_socket.
export QT_QPA_PLATFORM=wayland SDL_AUDIODRIVER=dummy
unset DISPLAY WAYLAND_DISPLAY WAYLAND_SOCKET
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
compositor=""
helpers=()
as_user() { exec "$@"; }
if (($(id -u) == 0)); then
  chown nobody "$runtime"
  as_user() { exec setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups "$@"; }
fi
wayland_cleanup() {
  local p
  for p in $pid "${helpers[@]}" $compositor; do
    kill "$p" 2>/dev/null && wait "$p" 2>/dev/null || true
  done
  rm -rf "$work" "$runtime"
}
trap wayland_cleanup EXIT
wait_socket() {  # wait_socket NAME: the compositor listens on NAME within 10 s
  for _ in $(seq 100); do
    [[ -S $runtime/$1 ]] && return 0
    kill -0 "$compositor" 2>/dev/null || fail "the compositor ended at its start"
    sleep 0.1
  done
  fail "the compositor never listened on $1"
}
