#!/usr/bin/env bash
# make run: opens Zoravin on the demo installation folder, creating the
# folder (with the demo menus) on first use. The program runs in its
# installation folder, so it is started from there.
set -euo pipefail
build=$1; demo=$2
bin="$(cd "$build/bin" && pwd)"

if [ ! -f "$demo/AHM.sqlite" ]; then
  "$bin/zoravinctl" init "$demo" --demo
fi

# Without a display there is nothing to open: say so and what to do instead,
# and end normally, since nothing failed (make would add an "Error" line).
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  {
    echo "make run: no display here, so the program was not started."
    echo "zoravin needs a display: run 'make run' on an X11 or Wayland desktop"
    echo "(DISPLAY or WAYLAND_DISPLAY must be set)."
    if command -v xvfb-run >/dev/null 2>&1; then
      echo "Without one, 'xvfb-run -a make run' starts it on a virtual display that"
      echo "nobody sees; 'make screenshots' shows the screens as pictures instead."
    else
      echo "Without one, install xvfb and use 'xvfb-run -a make run', or look at"
      echo "the screens with 'make screenshots'."
    fi
    echo "The demo installation folder is ready: $demo (password 7295)."
  }
  exit 0
fi

echo "Zoravin: $demo (パスワードの既定値は 7295)"
cd "$demo"
exec "$bin/zoravin"
