# A real printer for the test run: a private cupsd on a socket in the run's
# home with one cups-pdf queue, so a page printed under Wine goes through the
# PostScript driver and the CUPS filters and comes out as a PDF the scenarios
# can look at. Sourced by common.sh.
# shellcheck shell=bash

print_queue_ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

# cups-pdf reads its settings only from /etc/cups, one file per queue: the
# queue's name comes from the run's home, so two checkouts on one machine
# never share that file.
print_queue_name() {
  printf 'ovira_pdf_%s' "$(printf '%s' "$HOME" | cksum | cut -d' ' -f1)"
}

print_queue_missing() {
  [ "$(id -u)" -eq 0 ] || { echo "must run as root: cups-pdf reads its settings only from /etc/cups"; return; }
  [ -x /usr/sbin/cupsd ] || { echo "cupsd is missing (package cups)"; return; }
  [ -x /usr/sbin/lpadmin ] || { echo "lpadmin is missing (package cups-client)"; return; }
  if [ ! -f "$print_queue_ppd" ] || [ ! -e /usr/lib/cups/backend/cups-pdf ]; then
    echo "cups-pdf is missing (package printer-driver-cups-pdf)"; return
  fi
  command -v gs >/dev/null || { echo "gs is missing (package ghostscript)"; return; }
  [ -x /usr/bin/pdftoppm ] || { echo "pdftoppm is missing (package poppler-utils)"; return; }
}

write_print_queue_conf() {  # folder, socket
  local dir=$1 socket=$2
  cat >"$dir/cupsd.conf" <<EOF
Listen $socket
Browsing No
DefaultAuthType None
WebInterface No
LogLevel warn
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
EOF
  cat >"$dir/cups-files.conf" <<EOF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
Printcap $dir/printcap
FileDevice No
EOF
}

# Exports CUPS_SERVER (the socket), OVIRA_PRINT_QUEUE (the default queue)
# and OVIRA_PRINT_OUTPUT (the folder its PDF files land in).
start_print_queue() {
  if [ -n "${print_queue_pid:-}" ] && kill -0 "$print_queue_pid" 2>/dev/null; then return 0; fi
  local missing; missing=$(print_queue_missing)
  [ -z "$missing" ] || { echo "print queue: $missing" >&2; return 1; }
  local dir="$HOME/print" queue; queue=$(print_queue_name)
  local socket="$dir/cups.sock"
  # A Unix socket's path has a limit of 107 bytes.
  [ "${#socket}" -lt 100 ] || { echo "print queue: socket path too long: $socket" >&2; return 1; }
  stop_print_daemons "$dir"
  rm -rf "$dir"
  mkdir -p "$dir/spool" "$dir/tmp" "$dir/cache" "$dir/state" "$dir/log" "$dir/ppd" "$dir/pdf" "$dir/spool-pdf"
  # The filters run as an unprivileged user and write to the temporary folder.
  chmod 1777 "$dir/tmp"
  write_print_queue_conf "$dir" "$socket"
  cat >"/etc/cups/cups-pdf-$queue.conf" <<EOF
Out $dir/pdf
AnonDirName $dir/pdf
Spool $dir/spool-pdf
Log $dir/log
Grp root
EOF
  /usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
  print_queue_pid=$!
  local _
  for _ in $(seq 1 50); do
    [ -S "$socket" ] && break
    kill -0 "$print_queue_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -S "$socket" ]; then
    echo "print queue: cupsd did not listen on $socket within 5 s (see $dir/log/)" >&2
    stop_print_queue; return 1
  fi
  if ! CUPS_SERVER=$socket /usr/sbin/lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P "$print_queue_ppd" \
       >"$dir/log/lpadmin.out" 2>&1 ||
     ! CUPS_SERVER=$socket /usr/sbin/lpadmin -d "$queue" >>"$dir/log/lpadmin.out" 2>&1; then
    echo "print queue: lpadmin could not add $queue: $(head -n 1 "$dir/log/lpadmin.out")" >&2
    stop_print_queue; return 1
  fi
  export CUPS_SERVER=$socket OVIRA_PRINT_QUEUE=$queue OVIRA_PRINT_OUTPUT=$dir/pdf
}

# The cupsd serving this folder, found by its exact configuration path: the
# one an interrupted run left behind is still running after use_private_home
# removed its folder.
print_queue_daemons() {  # folder
  local cmdline pid
  for cmdline in /proc/[0-9]*/cmdline; do
    pid=${cmdline#/proc/}; pid=${pid%/cmdline}
    { tr '\0' ' ' <"$cmdline"; } 2>/dev/null | grep -qxF -- "/usr/sbin/cupsd -f -c $1/cupsd.conf -s $1/cups-files.conf " &&
      echo "$pid"
  done
}

stop_print_daemons() {  # folder
  local pids _; pids=$(print_queue_daemons "$1")
  [ -n "$pids" ] || return 0
  # shellcheck disable=SC2086
  kill $pids 2>/dev/null
  for _ in $(seq 1 30); do
    # shellcheck disable=SC2086
    kill -0 $pids 2>/dev/null || return 0
    sleep 0.1
  done
}

stop_print_queue() {
  [ -n "${HOME:-}" ] || return 0
  stop_print_daemons "$HOME/print"
  [ -n "${print_queue_pid:-}" ] && wait "$print_queue_pid" 2>/dev/null
  print_queue_pid=
  rm -f "/etc/cups/cups-pdf-$(print_queue_name).conf"
  forget_print_queue
}

# The user's own run prints to the user's printers, even when it is started
# from a shell where a test queue runs.
forget_print_queue() {
  [ -n "${OVIRA_PRINT_QUEUE:-}" ] && unset CUPS_SERVER
  unset OVIRA_PRINT_QUEUE OVIRA_PRINT_OUTPUT
  return 0
}
