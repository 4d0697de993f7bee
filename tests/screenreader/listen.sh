#!/bin/bash
# Listens to the real editor through a real screen reader: Orca on a private display and
# session bus under openbox, its speech captured from speech-dispatcher, keys sent with
# xdotool; checks that what a user needs to hear is said (a notice on Open, Tab out of the
# list, the count a find leaves, Tab after Open). A step is tried once more before it fails
# (speech timing varies). Usage: tests/screenreader/listen.sh EDITOR SIGNALS [DISPLAY_NUMBER]
#   Debian packages: orca speech-dispatcher xvfb xdotool at-spi2-core dbus-daemon libao4 openbox.
# Speech is captured by speech-dispatcher's generic module, whose "synthesizer" is a shell
# command appending each utterance to $W/spoken.txt (audio goes to libao's null driver).
# Orca's own --debug-file is kept as $W/orca-debug.out (made line-buffered below); its
# "SPEECH OUTPUT:" lines, also the ones speech-dispatcher dropped when Orca interrupted itself,
# go to $W/orca-said.txt.  $W (a mktemp folder) is kept for inspection.
# Exit status: 0 all expectations met, 1 some failed, 77 tools missing.
set -u
editor=$1; signals=$2; dnum=${3:-173}
# Under the sanitizers the editor runs several times slower than a user's: what is said when
# is not what a user hears. The suite's plain run listens.
[ -z "${ASAN_OPTIONS:-}" ] || { echo "SKIP: not timed under the sanitizers"; exit 77; }
# A display no other run holds.
while [ -e /tmp/.X$dnum-lock ]; do dnum=$((dnum + 1)); done
for t in Xvfb orca speech-dispatcher xdotool dbus-daemon openbox; do
  command -v $t >/dev/null || { echo "SKIP: $t missing"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "SKIP: at-spi2-core missing"; exit 77; }
W=$(mktemp -d -t sr-capture.XXXXXX)
pids=()
cleanup() { for ((i=${#pids[@]}-1; i>=0; i--)); do kill "${pids[i]}" 2>/dev/null; done; sleep 1
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done
  # helpers started by D-Bus activation or daemonised (at-spi2-registryd, sd_generic): the
  # processes whose environment holds this run's own XDG_RUNTIME_DIR, and no others
  for e in /proc/[0-9]*/environ; do
    { tr '\0' '\n' <"$e" | grep -qx "XDG_RUNTIME_DIR=$W/run"; } 2>/dev/null && q=${e#/proc/} && [ "${q%/environ}" != "$$" ] && kill "${q%/environ}" 2>/dev/null
  done; }
trap cleanup EXIT
mkdir -p $W/home $W/cfg/speech-dispatcher/modules $W/run $W/data $W/state $W/orca
chmod 700 $W/run
export HOME=$W/home XDG_CONFIG_HOME=$W/cfg XDG_DATA_HOME=$W/data XDG_STATE_HOME=$W/state
export XDG_RUNTIME_DIR=$W/run XDG_CACHE_HOME=$W/home/.cache DISPLAY=:$dnum LANG=C.UTF-8 LC_ALL=C.UTF-8
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 GTK_MODULES=gail:atk-bridge
echo "default_driver=null" > $W/home/.libao
cat > $W/say.sh <<EOS
#!/bin/sh
printf '%s\n' "\$1" >> $W/spoken.txt
EOS
chmod +x $W/say.sh; : > $W/spoken.txt
cat > $W/cfg/speech-dispatcher/speechd.conf <<EOS
LogLevel 3
LogDir "$W"
AudioOutputMethod "libao"
AddModule "textlog" "sd_generic" "textlog.conf"
DefaultModule textlog
DefaultLanguage "en"
EOS
cat > $W/cfg/speech-dispatcher/modules/textlog.conf <<EOS
GenericExecuteSynth "$W/say.sh \'\$DATA\'"
GenericLanguage "en" "en" "utf-8"
AddVoice "en" "MALE1" "log"
EOS
# Orca's defaults, with key echo off (typed keys would interrupt what a step makes it say)
cat > $W/orca/user-settings.conf <<'EOS'
{"general": {"enableKeyEcho": false, "enableEchoByCharacter": false, "enableEchoByWord": false,
 "speechServerFactory": "speechdispatcherfactory", "enableSpeech": true},
 "pronunciations": {}, "keybindings": {},
 "profiles": {"default": {"profile": ["Default", "default"], "pronunciations": {}, "keybindings": {}}}}
EOS
# Orca's debug file is block-buffered; this makes it line-buffered, so that it is complete
# at every moment (orca-customizations.py is loaded from the -u folder)
cat > $W/orca/orca-customizations.py <<'EOS'
from orca import debug
if debug.debugFile:
    debug.debugFile.reconfigure(line_buffering=True)
EOS
Xvfb :$dnum -nolisten tcp -screen 0 1280x1024x24 >$W/xvfb.log 2>&1 & pids+=($!)
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
dbus-daemon --session --fork --address=unix:path=$W/run/bus --print-address=3 --print-pid=4 3>$W/bus.addr 4>$W/bus.pid
pids+=($(cat $W/bus.pid)); export DBUS_SESSION_BUS_ADDRESS=$(head -1 $W/bus.addr)
/usr/libexec/at-spi-bus-launcher --launch-immediately >$W/atspi.log 2>&1 & pids+=($!)
speech-dispatcher -d -t 0 -C $W/cfg/speech-dispatcher -P $W/sd.pid -L $W 2>/dev/null
sleep 1; pids+=($(cat $W/sd.pid))
openbox --sm-disable >$W/openbox.log 2>&1 & pids+=($!)
orca -u $W/orca --debug-file $W/orca-debug.out >$W/orca.log 2>&1 & pids+=($!)
fails=0
# wait until spoken.txt (from line $1 on) matches regex $2, at most $3 seconds
waitfor() { local from=$1 re=$2 t=${3:-10} i
  for ((i=0; i<t*10; i++)); do tail -n +$from $W/spoken.txt | grep -Eq -- "$re" && return 0; sleep 0.1; done; return 1; }
# wait until nothing new was said for 0.8 s (at most 6 s)
quiet() { local n m i; n=$(wc -l <$W/spoken.txt)
  for ((i=0; i<30; i++)); do sleep 0.8; m=$(wc -l <$W/spoken.txt); [ "$m" = "$n" ] && return; n=$m; done; }
# step LABEL EXPECTED-REGEX KEY... : send keys, wait for EXPECTED, print what was said
step() { local label=$1 re=$2; shift 2; local from=$(( $(wc -l <$W/spoken.txt) + 1 ))
  for k in "$@"; do xdotool key "$k"; sleep 0.3; done
  if waitfor $from "$re" 6; then r=PASS; else r=FAIL; fails=$((fails+1)); fi; quiet
  echo "[$r] $label  (keys: $*; expected /$re/)"; tail -n +$from $W/spoken.txt | sed 's/^/      /'; }
# step LABEL EXPECTED-REGEX KEY... with one retry of the keys.
retry() { local label=$1 re=$2; shift 2; local from=$(( $(wc -l <$W/spoken.txt) + 1 ))
  for attempt in 1 2; do
    for k in "$@"; do xdotool key "$k"; sleep 0.3; done
    if waitfor $from "$re" 6; then quiet; echo "[PASS] $label"; tail -n +$from $W/spoken.txt | sed 's/^/      /'; return; fi
  done
  fails=$((fails+1)); echo "[FAIL] $label  (keys: $*; expected /$re/)"; tail -n +$from $W/spoken.txt | sed 's/^/      /'; }
waitfor 1 "Screen reader on" 30 || { echo "SKIP: Orca did not start speaking"; exit 77; }
cp "$signals" $W/signals.xml || exit 1
rows=$(grep -c '<Signal ' $W/signals.xml)
printf '%s\n' '<?xml version="1.0" encoding="UTF-8"?>' '<SignalDatabase><!-- kept nowhere --><SignalList>' \
 '<Signal Name="Baudot 50" Mode="baudot" Modulation="FSK" Disabled="0"><Baudrate>50</Baudrate><Shift>170</Shift></Signal>' \
 '</SignalList></SignalDatabase>' > $W/notice.xml
from=$(( $(wc -l <$W/spoken.txt) + 1 ))
"$editor" $W/signals.xml >$W/editor.log 2>&1 & pids+=($!)
if waitfor $from "table with $rows rows" 30; then echo "[PASS] start: the list is said"; else echo "[FAIL] start: the list is not said"; fails=$((fails+1)); fi
quiet
# Down: the row said is the one the list comes back to; its first cell, as a pattern.
from=$(( $(wc -l <$W/spoken.txt) + 1 ))
xdotool key Down; sleep 0.3; quiet
current=$(tail -n +$from $W/spoken.txt | head -n 1 | sed 's/[][\.*^$+?(){}|/]/\\&/g')
[ -n "$current" ] || { echo "[FAIL] Down: the row is not said"; fails=$((fails+1)); current=NOTHING; }
retry "Tab leaves the list"       "push button|tool bar|text" Tab
retry "Shift+Tab back says the row" "^$current" shift+Tab
retry "the first Ctrl+F is said"  "Find" ctrl+f
retry "the count a find leaves"   "[0-9]+ of $rows shown" F S K
retry "the find ends, the row is said" "^$current" Escape
retry "F1 opens the help"         "Help|help" F1
retry "the guide reads by arrows" "." Down
retry "the help closes, the row is said" "^$current" Escape
# Configure Shortcuts: the key captured in "New key" and what Assign did are said.
retry "Configure Shortcuts opens"  "Shortcuts|Commands" alt+v c
retry "the key captured is said"   "Ctrl\+Shift\+F9" alt+n ctrl+shift+F9
retry "what Assign did is said"    "is now a key of" alt+a
retry "the dialog closes, the row is said" "^$current" Escape
# Ctrl+O, the file's name, Return: the notice must be said. Tried once more as a whole (a
# second Return alone would open the edit dialog).
r=FAIL
for attempt in 1 2; do
  retry "Open asks for a file"    "Open" ctrl+o
  xdotool type --delay 40 "$W/notice.xml"; sleep 0.5
  from=$(( $(wc -l <$W/spoken.txt) + 1 ))
  xdotool key Return
  if waitfor $from "notification .*comment outside signals" 12; then r=PASS; fi
  quiet; echo "[$r] the notice is said after Open"; tail -n +$from $W/spoken.txt | sed 's/^/      /'
  [ $r = PASS ] && break
done
[ $r = PASS ] || fails=$((fails+1))
# After Open the keys reach the window again: Tab goes to the notice bar, Shift+Tab back.
retry "Tab after Open"            "push button|tool bar|text" Tab
retry "Shift+Tab after Open"      "table|Signals" shift+Tab
# A menu closed with Esc, and the notice bar closed from its button, give the row back.
retry "a menu closes, the row is said" "^Baudot 50" alt+v Escape Escape
retry "the notices close, the row is said" "^Baudot 50" Tab space
echo "speech log: $W/spoken.txt   failures: $fails"
[ $fails = 0 ]
