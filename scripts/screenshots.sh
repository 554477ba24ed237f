#!/usr/bin/env bash
# Screenshots of the real program under a virtual X display: the start
# state, a hint at each level (visual clue, naked pair, swordfish with its
# lines), the analysis, colour-coded marks, the cell menu, entered digits in
# their own colour, the digit highlight, the narrowest window, the load dialog with a long saved
# name, the notice for a missing browser, a large window, the practice
# list, the warning when saving as .sdk and a message at start-up. Needs Xvfb, xdotool and
# ImageMagick's import; writes PNG files into OUT.
#
#   scripts/screenshots.sh [BUILD_DIR] [OUT_DIR]   (defaults: build, build/screenshots)
#
# Uses display $SCREENSHOT_DISPLAY (default :99, 1280x800) and a settings
# file of its own; the program is started and ended once per scene.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-$build/screenshots}
program=$build/tavimoro
mkdir -p "$out"
export DISPLAY=${SCREENSHOT_DISPLAY:-:99}
if ! xdpyinfo >/dev/null 2>&1; then
  Xvfb "$DISPLAY" -screen 0 1280x800x24 >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb' EXIT
  sleep 1
fi
ini=$(mktemp -d)/Tavimoro.ini

# The window's own layout at its default size: toolbar buttons on the banner.
fill_all="593 27"
options="859 27"
help="821 27"

record() {  # record PUZZLE [ENTERED]: givens from PUZZLE, entered digits from ENTERED
  local out="" c e entered=${2:-}
  for ((i = 0; i < 81; i++)); do
    c=${1:i:1} e=${entered:i:1}
    if [[ $c != "." ]]; then out+="[$c|T|]"; elif [[ -n $e && $e != "." ]]; then out+="[$e|F|]"; else out+="[0|F|]"; fi
  done
  printf '%s' "$out"
}

# The window at the top-left corner in its default size, unless a scene says otherwise.
place=$'WindowLeft=0\nWindowTop=0\nWindowWidth=980\nWindowHeight=610'

start() {  # start PUZZLE [ENTERED] [OPTIONS] [DATA]: the program on that board, pencil tool,
           # with more lines for the sections Options and Data
  printf '[Options]\nWizard=N\nCheckVer=N\n%s\n[Data]\nLastGrid=%s\nLastTool=1\n%s\n' "${3:-}" \
    "$(record "$1" "${2:-}")" "${4:-$place}" > "$ini"
  "$program" --ini "$ini" >/dev/null 2>&1 &
  pid=$!
  sleep 2
  xdotool search --sync --name '^Tavimoro$' windowfocus
  xdotool mousemove 300 640
}
stop() { kill "$pid"; wait "$pid" 2>/dev/null || true; }
shot() { sleep 0.6; import -window root -crop 980x610+0+0 "$out/$1.png"; }
click() { xdotool mousemove $1 click 1; sleep 0.5; xdotool mousemove 300 640; }
hint() { for ((i = 0; i < $1; i++)); do xdotool key h; sleep 0.4; done; }

sample=".46...27.3..2.7..91...4...34.......82.......1.7.....9...5...6.....3.9.......2...."
start "$sample"
shot start
hint 1; shot visual-level1
hint 1; shot visual-level2
stop

pair="12......9.5..9.2.3........4.3.........18.........246......67.5...2.41.7.9........"
start "$pair"
click "$fill_all"
for level in 1 2 3; do hint 1; shot pair-level$level; done
xdotool key a; shot analysis
click "$options"; xdotool key Down Down Down Return; shot colour-marks
xdotool mousemove 170 330 click 3; sleep 0.6; import -window root -crop 980x610+0+0 "$out/cell-menu.png"
xdotool key Escape
stop

fish="...3..5...5..1..3...7..4..12.....4...6..9......1..6..28..7..2...9..8..5...5..9..7"
start "$fish"
click "$fill_all"
hint 4  # the hidden single first, applied
for level in 1 2 3; do hint 1; shot swordfish-level$level; done
stop
# Entered digits in blue beside the black givens.
entered="9..18.....58.......27.......697......83.........................................."
start "$sample" "$entered" "GivenColor=Y"
shot givens-colour
stop

# The digit highlight: every 4 and every cell marked 4, after D.
start "$sample"
click "$fill_all"
xdotool mousemove 118 98 click 1; sleep 0.3; xdotool key d; shot digit-highlight
stop

# The narrowest window the program allows.
start "$sample" "" "" $'WindowLeft=0\nWindowTop=0\nWindowWidth=500\nWindowHeight=350'
sleep 0.6; import -window root -crop 700x450+0+0 "$out/narrow-window.png"
stop

# The saved-puzzle list with a 300-character name, opened from the wizard.
long=$(printf 'A very long name %.0s' {1..18})
printf '[Options]\nWizard=Y\nCheckVer=N\n[Data]\n%s\n[SavedGames]\n%s=%s\nShort one=%s\n' "$place" "$long" \
  "$(record "$sample")" "$(record "$sample")" > "$ini"
"$program" --ini "$ini" >/dev/null 2>&1 &
pid=$!
sleep 2
xdotool key 4; shot load-long-name
xdotool key Escape
stop

# No browser on the machine: the help file's address and path are shown.
start "$sample"
click "$help"; xdotool key Down Down Return; shot no-browser
xdotool key Return
stop
# --- The window and its files ---------------------------------------------
# A large window: the board and the panel grow with it.
start "$sample" "" "" $'WindowLeft=0\nWindowTop=0\nWindowWidth=1280\nWindowHeight=800'
sleep 0.6; import -window root "$out/large-window.png"
stop

# The practice list of the generator: Custom, then the "Hardest step" list.
start "$sample"
xdotool key n; sleep 0.6; xdotool key Return; sleep 1
xdotool mousemove 215 266 click 1; sleep 0.4; xdotool mousemove 365 313 click 1; shot practice-list
xdotool key Escape; sleep 0.3; xdotool key Escape
stop

# Saving a board with entered digits as .sdk: what is lost, and the offer.
start "$sample" "$entered"
xdotool key ctrl+shift+s; sleep 1.2; xdotool type "$(dirname "$ini")/puzzle.sdk"; xdotool key Return
shot save-sdk-warning
xdotool key Escape
stop

# A file that is not text named at start-up: the message in the middle of
# the screen, over the window that is placed there too.
printf '[Options]\nWizard=N\nCheckVer=N\n' > "$ini"
head -c 2000 /dev/urandom > "$(dirname "$ini")/random.sdk"
"$program" --ini "$ini" "$(dirname "$ini")/random.sdk" >/dev/null 2>&1 &
pid=$!
sleep 2.5; import -window root "$out/startup-message.png"
stop

# Hints beyond the ladder at level 3, from positions with their own marks: a
# cell forcing net (its path at the top level, what it rests on indented), a
# Skyscraper, a Unique Rectangle type 3, a Sue de Coq, a nested net with the
# sub-proof one of its lines links to (the board then shows that inner net),
# a Simple Colouring (taken as the easiest step) and an XY-Chain with the
# strong links inside its cells.
record_marks() {  # record_marks PUZZLE MARKS: givens from PUZZLE, marks "12|3|...|" for the rest
  local out="" c i=0 rest=$2 mark
  for ((i = 0; i < 81; i++)); do
    mark=${rest%%|*} rest=${rest#*|} c=${1:i:1}
    if [[ $c != "." ]]; then out+="[$c|T|]"; else out+="[0|F|$mark]"; fi
  done
  printf '%s' "$out"
}
marks_hint() {  # marks_hint NAME PUZZLE MARKS [X Y]: the hint beyond the ladder at level 3,
               # and with X Y the panel after a click on the link there (NAME-subproof);
               # $hint_options adds lines to the section Options
  printf '[Options]\nWizard=N\nCheckVer=N\nExtended=Y\n%s\n[Data]\nLastGrid=%s\nLastTool=1\n%s\n' \
    "${hint_options:-}" "$(record_marks "$2" "$3")" "$place" > "$ini"
  "$program" --ini "$ini" >/dev/null 2>&1 &
  pid=$!
  sleep 2
  xdotool search --sync --name '^Tavimoro$' windowfocus
  xdotool mousemove 300 640
  hint 3; sleep 1; shot "$1"
  if [[ $# -ge 5 ]]; then click "$4 $5"; shot "$1-subproof"; fi
  stop
}
marks_hint cell-net-level3 "98.7..6..5...8......7..6.8.4..3.......5.6.9.......4..2.1...2.....9.7.8.........13" \
  "||1234||12345|35||245|15||2346|12346|249||139|2347|23479|1479|123|234||12459|12459||2345||1459||2679|1268||1259|15789|157|567|5678|12378|237||128||178||347|478|13678|3679|1368|1589|159||1357|3567||3678||3468|4568|345||457|4579|45679|236|23456||1456||135||2456|456|2678|24567|2468|45689|459|589|2457|||"
marks_hint skyscraper-level3 "4...3.......6..8..........1....5..9..8....6...7.2........1927..513...942927.4.1.." \
  "|569|1268|5789||15789|25|2567|5679|1237|359|12||127|14579||2357|34579|23678|3569|268|45789|278|45789|2345|23567||1236|346|1246|378||13678|23||378|123||59|3479|17|13479||12357|3457|136||59||168|134689|345|1358|3458|68|46|468|||||35|35||||78|678|678|||||||35||35||68|68|"
marks_hint ur3-level3 "2..7..1......5..9...1..4..3......8......4..6...9..6..27..5..6...5.67..3...64.3..1" \
  "|34689|3458||3689|89||48|4568|3468|3468|3478|1238||128|24||4678|5689|6789||289|2689||257|2578||346|12346|23457|1239|1239|57||14|4579|138|1238|23578|12389||57|39||579|3458|13478||138|138||3457|1457|||123489|2348||1289|1289||248|489|1489||248|||1289|249||489|89|289|||289||57|57||"
marks_hint sue-de-coq-level3 "6..1..28..53...197...7..64....8...6..9....7....24.........7.3.9....2.5..1........" \
  "|47|479||3459|3459|||35|248|||26|468|2468||||289|128|189||3589|23589|||35|3457|1347|1457||1359|23579|49||124|3458||14568|2356|1356|2356||35|1248|3578|13678|||13569|35679|89|35|18|2458|2468|4568|56||14568||12||34789|34678|46789|369||13468||17|468||234678|456789|3569|34568|34568|48|27|468|"
marks_hint nested-net-level3 "98.7..6....7.65..........7.4...7...3..85...9.....2.5...1....3....96...5...63...8." \
  "||12345||134|1234||1234|1245|123|234||12489|||12489|1234|12489|12356|23456|12345|12489|13489|123489|12489||124589||2569|125|189||1689|128|126||12367|2367|||134|1346|1247||12467|1367|3679|13|1489||134689||146|14678|2578||245|2489|4589|24789||246|24679|2378|2347|||148|12478|1247||1247|257|2457|||1459|12479|12479||12479|" 832 400
hint_options="Easiest=Y" marks_hint simple-colouring-level3 \
  ".589...13.3...15..61.....4.3.57..168..1.....4........25.4......18.324..5..36..4.1" \
  "47||||467|267|267|||479||279|248|4678|||278|679|||279|258|3578|23578|2789||79||249|||49|29||||2789|2679||258|35689|235689|379|3579||789|4679|679|1458|1345689|35689|379|3579|||2679||18|1789|789|238|238|679|||679||||679|79||279|279|||5789|5789||28||"
marks_hint xy-chain-level3 "8194..375.3.751.895.7839....78543.263..69..58.5.1.8.43763215894.9.38.5.7.859...3." \
  "||||26|26||||46||246||||24||||24|||||246|16|12|19||||||19||||24|124|||27|17|||269||26||27||79||||||||||||124||124|||46||16||14||||67|467|26||12|"
echo "screenshots in $out"
