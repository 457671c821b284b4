# Sourced by wine-session.sh when QV_MONITORS=2: instead of Xvfb, an Xorg
# server with the dummy video driver and two RandR outputs side by side, a
# 1024x768 primary monitor and an 800x600 one to its right, which Wine reports
# as two monitors. (Xvfb's +xinerama puts both heads at (0, 0), and Wine's own
# Xinerama support fails on two X screens.) Sets xvfb_pid and display.
xorg_dir=$(mktemp -d)
cat >"$xorg_dir/xorg.conf" <<'CONF'
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "AutoAddGPU" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "card"
    Driver "dummy"
    VideoRam 64000
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
EndSection
Section "Screen"
    Identifier "screen"
    Device "card"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1024x768"
        Virtual 1824 768
    EndSubSection
EndSection
CONF
displayfile="$xorg_dir/display"
# Xorg takes a configuration file outside /etc/X11 only when run as root.
Xorg -displayfd 8 -config "$xorg_dir/xorg.conf" -logfile "$xorg_dir/xorg.log" -nolisten tcp \
  -noreset 8>"$displayfile" >/dev/null 2>&1 &
xvfb_pid=$!
display=$(read_display "$displayfile" 200)
if [ -n "$display" ]; then
  DISPLAY=":$display" xrandr --addmode DUMMY1 800x600 &&
    DISPLAY=":$display" xrandr --output DUMMY1 --mode 800x600 --right-of DUMMY0 || display=""
  # A full query probes the outputs: until then the server's current resources,
  # which Wine reads, may still list the second output as disconnected.
  [ -n "$display" ] && DISPLAY=":$display" xrandr --query >/dev/null
fi
rm -rf "$xorg_dir"
