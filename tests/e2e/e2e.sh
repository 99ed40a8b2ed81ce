#!/usr/bin/env bash
# e2e.sh TARNVALE SKIN [CASE]: the real program on this X display (run it under with-openbox.sh), driven
# as a person's desktop drives it: xdotool for keys, clicks and window titles, xclip for the
# clipboard. Each case gets a program folder, HOME and XDG folders of its own; its pages are
# files, so nothing reaches the network. Prints every failure; exits 1 when there was one.
set -u
exe=$(realpath "$1")
skin=$(realpath "$2")
failures=0
nobody=65534

fail() {
    echo "FAIL $case: $*" >&2
    [ -f "$root/browser.log" ] && grep -v '^\s*\*\|^$' "$root/browser.log" | tail -n 5 >&2
    failures=$((failures + 1))
    return 1
}
until_ok() { # COMMAND...: polls it every 0.1 s, ${tenths:-200} times at most; true once it held
    local i
    for ((i = 0; i < ${tenths:-200}; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
windows() { xdotool search --onlyvisible --name "$1" 2> /dev/null; }
window_of() { # the newest window with a matching title; false when there is none
    local found
    found=$(windows "$1" | tail -n 1)
    [ -n "$found" ] && echo "$found"
}
wait_window() { until_ok window_of "$1" > /dev/null && window_of "$1"; }
window_count_is() { [ "$(windows "$1" | wc -l)" -eq "$2" ]; }
caption() { echo "^$1 - Tarnvale\$"; }
maximised() { # mapped, and maximised both ways as the window manager says
    xwininfo -id "$1" | grep -q IsViewable &&
        [ "$(xprop -id "$1" _NET_WM_STATE | grep -o 'MAXIMIZED_\(VERT\|HORZ\)' | sort -u | wc -l)" -eq 2 ]
}
keys() { # WINDOW KEY...
    local window=$1 key
    shift
    xdotool windowactivate --sync "$window"
    for key in "$@"; do
        xdotool key --clearmodifiers "$key"
        # X hands a key to the window holding the keyboard when the key arrives; a menu or
        # dialog the key before opened must have taken it, and nothing outside the program
        # says when it has. This is the one wait on time in this suite.
        sleep 0.25
    done
}
type_text() { xdotool windowactivate --sync "$1" type --delay 30 "$2"; }
click() { xdotool windowactivate --sync "$1" mousemove --window "$1" "$2" "$3" click 1; }
clipboard() { xclip -selection clipboard -o 2> /dev/null; }
enter_address() { # WINDOW ADDRESS: the address box lies at the left of the tool bar strip
    click "$1" 150 38
    type_text "$1" "$2"
    keys "$1" Return
}
descendants() { # PID: the processes below it
    local child
    for child in $(pgrep -P "$1"); do echo "$child" && descendants "$child"; done
}
sockets() { find "$1" -name "browser-*.sock" -type s 2> /dev/null; } # FOLDER: its hand-over sockets
ended() { ! kill -0 "$1" 2> /dev/null || grep -q '^State:[[:space:]]Z' "/proc/$1/status"; }
exit_status() { # PID [TENTHS]: its exit status once it ended by itself; killed after the deadline
    tenths=${2:-200} until_ok ended "$1" || { kill -9 "$1" && echo "never ended"; } >&2 2> /dev/null
    wait "$1"
}

# A case's folders; the user's start page; the pages it serves.
prepare() {
    case=$1
    root=$(mktemp -d)
    user="" # the test's own
    started=()
    mkdir -p "$root/program" "$root/home/.config/tarnvale" "$root/etc/tarnvale" "$root/pages" \
        "$root/runtime"
    chmod 700 "$root/runtime"
    cp "$exe" "$root/program/tarnvale"
    cp "$skin" "$root/program/skin.skn"
    chmod 755 "$root" "$root/program" "$root/program/tarnvale"
    start_page "$2"
}
page() { printf '%s' "$2" > "$root/pages/$1.html"; }
page_url() { case $1 in *:*) echo "$1" ;; *) echo "file://$root/pages/$1.html" ;; esac; }
start_page() { write_reg HKEY_CURRENT_USER "$root/home/.config/tarnvale/user.reg" "$(page_url "$1")"; }
write_reg() { # ROOT FILE START_PAGE
    printf 'REGEDIT4\r\n\r\n[%s\\SOFTWARE\\Microsoft\\Internet Explorer\\Main]\r\n"Start Page"="%s"\r\n' \
        "$1" "$3" > "$2"
}
start() { # [ARGUMENT...]: one start of the browser, as the case's user; its pid in $pid
    local runner=()
    if [ -n "$user" ]; then
        runner=(setpriv "--reuid=$user" "--regid=$user" --clear-groups --)
        [ -n "${XAUTHORITY:-}" ] && cp "$XAUTHORITY" "$root/home/.Xauthority"
        chown -R "$user:$user" "$root/home" "$root/etc" "$root/pages" "$root/runtime"
    fi
    (
        cd "$root/home" || exit 1
        unset QTWEBENGINE_DISABLE_SANDBOX QT_IM_MODULE
        # The sandbox stays on unless the browser itself runs as root.
        [ -z "$user" ] && [ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
        [ -n "$user" ] && [ -n "${XAUTHORITY:-}" ] && export XAUTHORITY=$root/home/.Xauthority
        # runtime= starts without $XDG_RUNTIME_DIR, as su, ssh and containers do; data=FOLDER
        # with a profile of its own.
        export XDG_RUNTIME_DIR=${runtime-$root/runtime}
        [ -n "$XDG_RUNTIME_DIR" ] || unset XDG_RUNTIME_DIR
        HOME=$root/home XDG_CONFIG_HOME=$root/home/.config XDG_CACHE_HOME=$root/home/.cache \
            XDG_DATA_HOME=${data:-$root/home/.local/share} XDG_CONFIG_DIRS=$root/etc \
            QT_QPA_PLATFORM=xcb exec "${runner[@]}" "$root/program/tarnvale" "$@"
    ) >> "$root/browser.log" 2>&1 &
    pid=$!
    started+=("$pid")
}
close_all() { # File, Close on every browser window; the program's exit status
    local open
    open=$(windows " - Tarnvale\$" | wc -l)
    while [ "$open" -gt 0 ]; do
        keys "$(window_of " - Tarnvale\$")" alt+f c
        until_ok window_count_is " - Tarnvale\$" $((open - 1)) || break
        open=$((open - 1))
    done
    exit_status "${started[0]}"
}
finish() {
    local p
    for p in "${started[@]}"; do
        kill -CONT "$p" 2> /dev/null
        kill -9 $(descendants "$p") "$p" 2> /dev/null
        wait "$p" 2> /dev/null
    done
    rm -rf "$root"
}

sandboxed_renderer() { # renderers fork from the engine's zygote, below the browser process
    local p
    for p in $(descendants "$pid"); do
        grep -q '^Seccomp:[[:space:]]2' "/proc/$p/status" 2> /dev/null && return 0
    done
    return 1
}
# A normal user's pages run in the engine's sandbox; as root, the browser runs as "nobody".
# A page from disk opens a window, but no other local file in it (it could read it there): the
# window shows the refused address, which the person can still open by pressing Enter.
case_windows_open_maximised_and_pages_run_in_the_sandbox() {
    [ "$(id -u)" -eq 0 ] && user=$nobody
    # The page says when it has the keyboard: only then does Return reach its link.
    page links "<title>Links</title><a id='l' href='opened.html' target='_blank'>new</a><script>
        document.getElementById('l').focus(); function mark() { document.title = 'Focused'; }
        window.onfocus = mark; if (document.hasFocus()) mark();</script>"
    page opened "<title>Opened</title>"
    start_page links
    start
    local first opened
    first=$(wait_window "$(caption Focused)") || fail "no first window" || return
    until_ok maximised "$first" || fail "first window not maximised"
    ! tr '\0' '\n' < "/proc/$pid/environ" | grep -q QTWEBENGINE_DISABLE_SANDBOX ||
        fail "sandbox turned off"
    until_ok sandboxed_renderer || fail "no renderer under seccomp"
    # Without a graphics device pages are drawn without OpenGL, and nothing loads its emulation.
    if [ -z "${QSG_RHI_BACKEND:-}${QT_QUICK_BACKEND:-}" ] && ! ls /dev/dri/renderD* > /dev/null 2>&1; then
        ! grep -q -e libGLX_mesa -e swrast_dri -e libLLVM "/proc/$pid/maps" ||
            fail "OpenGL emulation loaded, though nothing draws with it"
        ! grep -q "OpenGL context" "$root/browser.log" || fail "a warning about OpenGL"
    fi
    keys "$first" Return
    opened=$(wait_window "$(caption "$(page_url opened)")") || fail "no window for the _blank link" ||
        return
    until_ok maximised "$opened" || fail "opened window not maximised"
    keys "$opened" ctrl+l Return
    wait_window "$(caption Opened)" > /dev/null || fail "the refused address did not open when asked"
}

# PID: its page processes. This engine leaves the zygote's command line on the renderers it
# forks: those are the leaves below the zygote that has a sandbox (on or off).
renderers() {
    local p line n=0
    for p in $(descendants "$1"); do
        line=$(tr '\0' ' ' < "/proc/$p/cmdline" 2> /dev/null)
        case $line in
            *--type=renderer*) n=$((n + 1)) && continue ;;
            *--no-zygote-sandbox*) continue ;;
            *--type=zygote*) ;;
            *) continue ;;
        esac
        [ "$(ps -o ppid= -p "$p" | tr -d ' ')" != "$1" ] && [ -z "$(pgrep -P "$p")" ] && n=$((n + 1))
    done
    echo "$n"
}
# Drawn with OpenGL, a window made after the first gets its page's surface only as its first
# navigation starts: it still opens maximised, and its page runs in the renderer its site
# already has.
case_windows_drawn_with_opengl_open_maximised_and_share_their_sites_renderer() {
    [ "$(id -u)" -eq 0 ] && user=$nobody # with the engine's sandbox on, as for any user
    QSG_RHI_BACKEND=opengl start
    local first=$pid shown opened
    shown=$(wait_window "$(caption First)") || fail "no window" || return
    until_ok maximised "$shown" || fail "first window not maximised"
    QSG_RHI_BACKEND=opengl start "$(page_url second)"
    exit_status "$pid" 50 || fail "second start ended with $?"
    opened=$(wait_window "$(caption Second)") || fail "address not handed over" || return
    until_ok maximised "$opened" || fail "second window not maximised"
    until_ok eval '[ "$(renderers "$first")" -eq 1 ]' ||
        fail "$(renderers "$first") renderers for the windows of one site"
}

# A page retitling itself never takes the address box; after New the blank page completes and
# retitles itself while the user starts typing.
case_typed_addresses_open_where_they_were_typed() {
    page clock "<title>0</title><script>var n = 0;
        setInterval(function() { document.title = ++n; }, 300);</script>"
    page typed "<title>Typed</title>"
    start_page clock
    start
    local first blank
    # The caption is "0" only until the page first retitles itself.
    first=$(wait_window "$(caption "[0-9]+")") || fail "no first window" || return
    enter_address "$first" "$(page_url first)"
    wait_window "$(caption First)" > /dev/null || fail "typed address lost" || return
    keys "$first" alt+f n
    blank=$(wait_window "$(caption about:blank)") || fail "no new window" || return
    until_ok maximised "$blank" || fail "new window not maximised"
    # The desktop's editing keys edit the box, however the window uses them elsewhere.
    type_text "$blank" "junk"
    keys "$blank" Home ctrl+k
    type_text "$blank" "X$(page_url typed)"
    keys "$blank" Home ctrl+d Return
    wait_window "$(caption Typed)" > /dev/null || fail "typed address not opened"
    [ "$(xdotool getwindowname "$first")" = "First - Tarnvale" ] || fail "first window changed"
}

searched_address() {
    keys "$main" ctrl+l ctrl+c # the whole address, selected
    clipboard | grep -q '^http://www\.baidu\.com/s?'
}
case_browse_keep_a_favorite_and_search() {
    page alpha "<title>Alpha</title>"
    page beta "<title>Beta</title>"
    # The user's start page is blank, so the machine-wide one opens.
    start_page about:blank
    write_reg HKEY_LOCAL_MACHINE "$root/etc/tarnvale/system.reg" "$(page_url alpha)"
    start
    main=$(wait_window "$(caption Alpha)") || fail "no window on the machine's start page" || return
    enter_address "$main" "$(page_url beta)"
    wait_window "$(caption Beta)" > /dev/null || fail "address not opened" || return
    local step
    for step in b:Alpha f:Beta h:Alpha; do
        keys "$main" alt+v "${step%%:*}"
        wait_window "$(caption "${step#*:}")" > /dev/null || fail "View, ${step%%:*}"
    done

    # Ctrl+D over the page's address in the box adds the favorite; it deletes only mid-typing.
    keys "$main" ctrl+l ctrl+d
    local add shortcut=$root/home/.local/share/tarnvale/Favorites/Alpha.url
    add=$(wait_window '^添加到收藏夹$') || fail "no add-favorite dialog" || return
    keys "$add" Return
    until_ok test -f "$shortcut" || fail "no shortcut written"
    [ "$(cat "$shortcut")" = "$(printf '[InternetShortcut]\r\nURL=%s\r' "$(page_url alpha)")" ] ||
        fail "shortcut holds $(cat -A "$shortcut")"
    keys "$main" ctrl+l ctrl+c
    until_ok test "$(clipboard)" = "$(page_url alpha)" || fail "address box holds $(clipboard)"

    # Offline, so that the search never leaves the machine: its address shows in the box.
    keys "$main" alt+f w
    click "$main" $(($(xwininfo -id "$main" | sed -n 's/.*Width: //p') - 170)) 38
    printf '%s' 'AT&T 中文' | xclip -selection clipboard -i
    until_ok test "$(clipboard)" = 'AT&T 中文'
    keys "$main" ctrl+v Return
    until_ok searched_address || fail "no search address: $(clipboard)"
    local query
    query=$(clipboard | sed -n 's/.*[?&]wd=\([^&]*\).*/\1/p')
    [ "$(printf '%b' "${query//%/\\x}")" = 'AT&T 中文' ] || fail "searched for $query"
    clipboard | grep -q '&tn=mvrak_tp$' || fail "partner tag lost: $(clipboard)"
    close_all || fail "browser ended with status $?"
    [ ! -e "$root/program/KQLog.txt" ] || fail "error log: $(cat "$root/program/KQLog.txt")"
}

# One browser per user: a second start (a link clicked in another program) hands its address to
# the running browser and ends, without a second page engine on the same profile.
case_a_second_start_opens_its_address_in_the_running_browser_or_says_it_does_not_answer() {
    start
    local first=$pid opened
    wait_window "$(caption First)" > /dev/null || fail "no window" || return
    start "$(page_url second)"
    exit_status "$pid" 50 || fail "second start ended with $?"
    opened=$(wait_window "$(caption Second)") || fail "address not handed over" || return
    [ "$(xdotool getwindowpid "$opened")" = "$first" ] || fail "opened by another process"
    until_ok maximised "$opened" || fail "handed-over window not maximised"
    start # without an address: a new window on the start page
    exit_status "$pid" || fail "third start ended with $?"
    until_ok window_count_is "$(caption First)" 2 || fail "no second start-page window"

    # A browser that was killed leaves its socket and its lock behind: both are replaced.
    { kill -9 "$first" && wait "$first"; } 2> /dev/null
    [ -n "$(sockets "$root/runtime")" ] || fail "killed browser left no socket" || return
    start
    first=$pid
    keys "$(wait_window '^塔文浏览器\(Tarnvale\)$')" alt+n # its windows offered again: 不恢复
    wait_window "$(caption First)" > /dev/null || fail "no window after the kill" || return
    start "$(page_url second)"
    exit_status "$pid" || fail "start after the kill ended with $?"
    opened=$(wait_window "$(caption Second)") || fail "address not handed over after the kill"
    [ "$(xdotool getwindowpid "$opened")" = "$first" ] || fail "opened by another process"

    # A browser that does not answer is said, and no second engine starts.
    local message
    kill -STOP "$first"
    start "$(page_url second)"
    message=$(wait_window '^塔文浏览器\(Tarnvale\)$')
    kill -CONT "$first"
    [ -n "$message" ] || fail "nothing said" || return
    [ "$(xdotool getwindowpid "$message")" = "$pid" ] || fail "said by another process"
    [ -z "$(descendants "$pid")" ] || fail "the second start has an engine of its own"
    keys "$message" Return
    exit_status "$pid"
    [ $? -eq 1 ] || fail "second start did not end with 1"
    window_count_is "$(caption Second)" 1 || fail "address opened anyway"
}

# Without $XDG_RUNTIME_DIR the socket lies in the cache folder, which a first run has still to
# make; another data folder is another profile, with a browser of its own.
case_a_second_start_hands_over_without_a_runtime_folder_and_each_profile_has_its_own_browser() {
    runtime= start
    local first=$pid opened
    wait_window "$(caption First)" > /dev/null || fail "no window" || return
    runtime= start "$(page_url second)"
    exit_status "$pid" 50 || fail "second start ended with $?"
    opened=$(wait_window "$(caption Second)") || fail "address not handed over" || return
    [ "$(xdotool getwindowpid "$opened")" = "$first" ] || fail "opened by another process"
    [ -n "$(sockets "$root/home/.cache/tarnvale/run")" ] || fail "no socket in the cache folder"

    page other "<title>Other</title>"
    runtime= data=$root/other start "$(page_url other)"
    opened=$(wait_window "$(caption Other)") || fail "other profile's address not opened" || return
    [ "$(xdotool getwindowpid "$opened")" = "$pid" ] || fail "other profile opened by the first"
}

waits_for_answer() { # SOCKET: a start has connected to it; the browser has not taken it yet
    [ "$(grep -c " $1\$" /proc/net/unix)" -ge 2 ]
}
# A browser that ends (closing its last window, or killed) while a start waits for its answer
# leaves the address to that start, which then runs the browser itself.
case_a_browser_that_ends_leaves_the_address_to_the_next_start() {
    start
    local first=$pid opened socket
    wait_window "$(caption First)" > /dev/null || fail "no window" || return
    until_ok session_holds first || fail "session not kept" # so that the next start asks
    socket=$(sockets "$root/runtime")
    kill -STOP "$first"
    start "$(page_url second)"
    until_ok waits_for_answer "$socket" || fail "second start never connected"
    { kill -9 "$first" && wait "$first"; } 2> /dev/null
    keys "$(wait_window '^塔文浏览器\(Tarnvale\)$')" alt+n
    opened=$(wait_window "$(caption Second)") || fail "address lost" || return
    [ "$(xdotool getwindowpid "$opened")" = "$pid" ] || fail "opened by another process"

    # Closed by the user: File, Close on its only window, and a start at once.
    keys "$opened" alt+f c
    start "$(page_url first)"
    wait_window "$(caption First)" > /dev/null || fail "address lost while closing"
}

# Internet 选项 sets the start page: 确定 writes it into user.reg (an address GBK cannot hold
# percent-encoded, every other byte kept); Home goes there at once, and so does the window a
# start without an address opens (新建 opens about:blank).
case_internet_options_sets_the_start_page_of_the_next_window() {
    local reg=$root/home/.config/tarnvale/user.reg first options address
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n"Kept"="保留"\r\n' | iconv -t GBK > "$root/kept"
    cat "$root/kept" >> "$reg"
    page 한국 "<title>새 시작</title>"
    address=$(page_url 한국)
    start
    first=$(wait_window "$(caption First)") || fail "no window" || return
    keys "$first" alt+t Up Return # the menu's last item
    options=$(wait_window '^Internet 选项$') || fail "no options dialog" || return
    printf '%s' "$address" | xclip -selection clipboard -i
    until_ok test "$(clipboard)" = "$address"
    keys "$options" alt+r ctrl+a ctrl+v Return
    address=${address//한국/%ED%95%9C%EA%B5%AD}
    until_ok grep -q "$address" "$reg" || fail "start page not written: $(cat -A "$reg")" || return
    cmp -s "$reg" <(write_reg HKEY_CURRENT_USER /dev/stdout "$address" && cat "$root/kept") ||
        fail "user.reg holds $(cat -A "$reg")"
    keys "$first" alt+Home
    wait_window "$(caption "새 시작")" > /dev/null || fail "Home not on the new start page"
    start
    exit_status "$pid" || fail "second start ended with $?"
    until_ok window_count_is "$(caption "새 시작")" 2 || fail "new window not on the new start page"
}

# After a kill the next start offers the windows again, each on its page with its history; after
# a clean exit nothing is asked.
session_holds() { grep -q "pages/$1.html" "$root/home/.local/share/tarnvale/session.json" 2> /dev/null; }
case_windows_come_back_after_a_crash_and_a_clean_exit_asks_nothing() {
    page third "<title>Third</title>"
    start
    local first=$pid main question
    main=$(wait_window "$(caption First)") || fail "no window" || return
    enter_address "$main" "$(page_url second)"
    wait_window "$(caption Second)" > /dev/null || fail "address not opened" || return
    start "$(page_url third)"
    wait_window "$(caption Third)" > /dev/null || fail "address not handed over" || return
    until_ok session_holds second && until_ok session_holds third || fail "session not kept" || return
    [ "$(stat -c %a "$root/home/.local/share/tarnvale/session.json")" = 600 ] || fail "session not private"
    { kill -9 "$first" && wait "$first"; } 2> /dev/null
    start
    started=("$pid") # the browser close_all waits for
    question=$(wait_window '^塔文浏览器\(Tarnvale\)$') || fail "nothing asked" || return
    keys "$question" Return
    main=$(wait_window "$(caption Second)") || fail "Second not restored" || return
    wait_window "$(caption Third)" > /dev/null || fail "Third not restored"
    until_ok maximised "$main" || fail "restored window not maximised"
    keys "$main" alt+Left
    wait_window "$(caption First)" > /dev/null || fail "Back lost"
    close_all || fail "browser ended with status $?"
    start
    wait_window "$(caption First)" > /dev/null || fail "no window after a clean exit"
    window_count_is '^塔文浏览器\(Tarnvale\)$' 0 || fail "asked after a clean exit"
}

full_screen() { xprop -id "$1" _NET_WM_STATE | grep -q FULLSCREEN; }
maximised_again() { ! full_screen "$1" && maximised "$1"; }
# The bottom 30 rows of the 1280-pixel screen (4 bytes a pixel, rows last in the dump): where
# the link's address shows, far from the pointer and its tip.
screen() { xwd -root -silent | tail -c $((30 * 1280 * 4)) | md5sum; }
screen_is() { [ "$(screen)" = "$1" ]; }
screen_settled() { local one; one=$(screen) && sleep 0.2 && screen_is "$one"; }
# F11 puts the window full screen and back to maximised, and so does Esc; the address of the
# link under the mouse shows over the page, and goes when the mouse leaves the link.
case_full_screen_and_the_link_under_the_mouse() {
    page links "<title>Links</title><body style='margin:0'><a href='https://例子.example/路径'
        style='display:block;height:300px;color:#000;text-decoration:none'>link</a></body>"
    start_page links
    start
    local main away over
    main=$(wait_window "$(caption Links)") || fail "no window" || return
    until_ok maximised "$main" || fail "not maximised"
    keys "$main" F11
    until_ok full_screen "$main" || fail "F11: not full screen"
    keys "$main" F11
    until_ok maximised_again "$main" || fail "F11 again: not back to maximised"
    keys "$main" F11
    until_ok full_screen "$main" || fail "F11: not full screen again"
    keys "$main" Escape
    until_ok maximised_again "$main" || fail "Esc: not back to maximised"

    xdotool mousemove --window "$main" 600 600
    until_ok screen_settled || fail "the screen never settled" || return
    away=$(screen)
    xdotool mousemove --window "$main" 200 200
    until_ok eval '! screen_is "$away"' || fail "nothing shown over the link" || return
    over=$(screen)
    xdotool mousemove --window "$main" 600 600
    until_ok screen_is "$away" || fail "the link's address stayed after the mouse left"
    [ "$over" != "$away" ] || fail "no address shown"
}

for run in $(declare -F | sed -n "s/^declare -f case_\\(.*${3:-}.*\\)/\\1/p"); do
    prepare "$run" first
    page first "<title>First</title>"
    page second "<title>Second</title>"
    echo "RUN $run"
    "case_$run"
    finish
done
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
