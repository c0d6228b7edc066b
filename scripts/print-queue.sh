# shellcheck shell=bash
# A CUPS-PDF print queue as the machine's default printer, for printing
# under Wine in the benchmark and the end-to-end checks. Source
# scripts/wine-env.sh first, then call
#
#   pulvar_print_queue_start DIR [NAME]
#
# which takes the machine's print lock (the default printer belongs to the
# whole machine: one user at a time), starts cupsd unless one is running,
# removes queues NAME_* left by an interrupted run, adds a queue NAME_<pid>
# (NAME defaults to pulvar_bench) whose PDFs land in DIR and makes it the
# default, and sets PULVAR_PRINT_QUEUE. At exit (pulvar_at_exit) the queue
# goes, the previous default comes back and the cupsd it started stops.
# A program that may outlive the caller must not inherit the lock: start it
# with {pulvar_print_lock_fd}>&-.
# Needs root, cups and printer-driver-cups-pdf. Wine reads the queues when a
# process loads the print system, so call it before such a process starts.

pulvar_print_queue_start() {
    local dir=$1 name=${2:-pulvar_bench} i stale
    exec {pulvar_print_lock_fd}>/tmp/pulvar-e2e-print.lock
    if ! flock -w 200 "$pulvar_print_lock_fd"; then
        _pulvar_wine_note "another run held the print system for 200 s"
        return 1
    fi
    _pulvar_cups_running() { [[ $(LC_ALL=C lpstat -r 2>/dev/null) == "scheduler is running" ]]; }
    if ! _pulvar_cups_running; then
        setsid /usr/sbin/cupsd -f </dev/null >>"$PULVAR_WINE_LOG" 2>&1 {pulvar_print_lock_fd}>&- &
        _pulvar_cupsd_pid=$!
        pulvar_at_exit '_pulvar_stop_cupsd'
        for ((i = 0; i < 100; i++)); do
            _pulvar_cups_running && break
            kill -0 "$_pulvar_cupsd_pid" 2>/dev/null || break
            sleep 0.1
        done
        if ! _pulvar_cups_running; then
            _pulvar_wine_note "cupsd did not start (see $PULVAR_WINE_LOG)"
            return 1
        fi
    fi
    # This caller holds the lock, so no other run is using these.
    for stale in $(LC_ALL=C lpstat -e 2>/dev/null | grep "^${name}_"); do
        lpadmin -x "$stale" 2>/dev/null
        rm -f "/etc/cups/cups-pdf-$stale.conf"
    done
    _pulvar_previous_printer=$(LC_ALL=C lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
    PULVAR_PRINT_QUEUE="${name}_$$"
    mkdir -p "$dir"
    chmod 0777 "$dir"
    # Label 1 gives every job a file of its own: the reports share one title.
    printf 'Out %s\nAnonDirName %s\nUserUMask 0022\nLabel 1\n' "$dir" "$dir" \
        >"/etc/cups/cups-pdf-$PULVAR_PRINT_QUEUE.conf"
    pulvar_at_exit '_pulvar_remove_print_queue'
    lpadmin -p "$PULVAR_PRINT_QUEUE" -v "cups-pdf:/$PULVAR_PRINT_QUEUE" \
        -P /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd -E >>"$PULVAR_WINE_LOG" 2>&1 &&
        lpadmin -d "$PULVAR_PRINT_QUEUE" >>"$PULVAR_WINE_LOG" 2>&1 || {
        _pulvar_wine_note "could not add the print queue (see $PULVAR_WINE_LOG)"
        return 1
    }
}

_pulvar_remove_print_queue() {
    lpadmin -x "$PULVAR_PRINT_QUEUE" 2>/dev/null
    [[ -n $_pulvar_previous_printer ]] && lpadmin -d "$_pulvar_previous_printer" 2>/dev/null
    rm -f "/etc/cups/cups-pdf-$PULVAR_PRINT_QUEUE.conf"
}

_pulvar_stop_cupsd() {
    kill "$_pulvar_cupsd_pid" 2>/dev/null
    wait "$_pulvar_cupsd_pid" 2>/dev/null
}
