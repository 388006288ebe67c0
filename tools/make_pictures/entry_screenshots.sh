#!/usr/bin/env bash
# Screenshots of the entry window under Xvfb (a 1920 x 1080 screen, where
# window masks take effect): the first panel, the grown frame on the login
# page and on the registration page.
#   tools/make_pictures/entry_screenshots.sh <build folder> <output folder>
set -euo pipefail
build="$1"
out="$2"
mkdir -p "$out"
export JIXIA_BIN="$build/app/jixia" OUT="$out"
xvfb-run -a -s '-screen 0 1920x1080x24' bash -c '
  set -e
  "$JIXIA_BIN" & pid=$!
  sleep 3
  # Placed from the 1920 x 1080 screen: left 798, top 199, 320 x 640.
  import -window root -crop 360x680+778+179 +repage "$OUT/entry_first_panel.png"
  xdotool mousemove 958 633 click 1          # 图形按钮2: choose login
  sleep 2
  # Grown: left 542, top 199, 800 x 500.
  xdotool mousemove 1400 900
  sleep 0.5
  import -window root -crop 880x560+522+179 +repage "$OUT/entry_login_page.png"
  xdotool mousemove 1082 265 click 1          # 注册 toggle at 440, 16
  sleep 1
  xdotool mousemove 1322 679                  # hover 图形按钮6 for its tooltip
  sleep 2
  import -window root -crop 880x560+522+179 +repage "$OUT/entry_register_page.png"
  kill $pid
'
