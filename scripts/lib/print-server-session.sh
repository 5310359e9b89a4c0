# shellcheck shell=bash
# The session of scripts/check-print-server in one copy of the system, in a private mount
# namespace: installs the packages (with the network), then starts Debian's cupsd in a network
# namespace with only its own loopback and runs varnok-printer there.
# Usage: bash print-server-session.sh ROOT APT_ARGUMENT...
set -uo pipefail
root=$1
shift

mount --bind /proc "$root/proc"
mount --rbind /dev "$root/dev"
cp /etc/resolv.conf "$root/etc/resolv.conf"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 "$@"; }

# Packages and MiB installed.
installed() {
  in_root dpkg-query -W -f '${Installed-Size}\n' | awk '{ s += $1 } END { print NR, int(s / 1024) }'
}
read -r packages_before size_before < <(installed)
in_root apt-get update -qq
debs=()
for deb in "$root"/packages/*.deb; do debs+=("./packages/${deb##*/}"); done
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@" "${debs[@]}" \
  > "$root/apt.log" 2>&1 ||
  { tail -30 "$root/apt.log"; exit 1; }
read -r packages_after size_after < <(installed)
echo "apt-get install $* ${debs[*]}:" \
  "$((packages_after - packages_before)) packages added, $((size_after - size_before)) MiB"
in_root dpkg-query -W -f '${Package} ${Version}\n' cups cups-daemon varnok-printer printer-driver-varnok
in_root stat -c '%U %G %a %n' /etc/opt/varnok-utility/config.ini /var/lib/varnok-printer

# Debian's cupsd.conf, changed only to listen on 127.0.0.1 with browsing off; SNMP only there.
sed -i 's/^Listen localhost:631/Listen 127.0.0.1:631/; s/^Browsing .*/Browsing No/' \
  "$root/etc/cups/cupsd.conf"
grep -q '^Browsing No' "$root/etc/cups/cupsd.conf" || echo 'Browsing No' >> "$root/etc/cups/cupsd.conf"
if grep -q '^Address' "$root/etc/cups/snmp.conf" 2> /dev/null; then
  sed -i 's/^Address .*/Address 127.0.0.1/' "$root/etc/cups/snmp.conf"
else
  echo 'Address 127.0.0.1' >> "$root/etc/cups/snmp.conf"
fi

unshare --net bash -s "$root" << 'SESSION'
set -uo pipefail
root=$1
ip link set lo up
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 "$@"; }
show() {
  printf '\n$ %s\n' "$*"
  in_root "$@" 2>&1
  echo "(exit status $?)"
}
# A printer's raw port: every byte it receives lands in a file.
python3 -c '
import socket, sys
server = socket.create_server(("127.0.0.1", 9100))
with open(sys.argv[1], "ab") as out:
    while True:
        connection, _ = server.accept()
        with connection:
            while data := connection.recv(65536):
                out.write(data)
                out.flush()
' "$root/received" &
listener=$!
mkdir -p "$root/run/cups"
# Not through in_root, whose subshell would be the process stopped at the end instead of cupsd
# (chroot and env each become the next program).
chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 /usr/sbin/cupsd -f \
  > "$root/cupsd.out" 2>&1 &
cupsd=$!
for _ in $(seq 100); do
  in_root lpstat -r 2> /dev/null | grep -q 'is running' && break
  sleep 0.1
done
show lpstat -r
show varnok-printer devices
show lpinfo -v
show varnok-printer add --model "VARNOK K540 200DPI" --address 127.0.0.1:9100
show varnok-printer list
show varnok-printer set vertical-reflective 12 VARNOK_K540_200DPI
for _ in $(seq 300); do
  [ -s "$root/received" ] && break
  sleep 0.1
done
printf '\nReceived by the printer at 127.0.0.1:9100 (%s bytes):\n' "$(stat -c %s "$root/received" 2> /dev/null || echo 0)"
od -c "$root/received" 2> /dev/null

# A queue through the journaling backend: a set, and a settings file sent as a plain raw job.
: > "$root/received"
show lpadmin -p VARNOK_Journaled -E -v varnok:socket://127.0.0.1:9100 \
  -P /usr/share/ppd/varnok-utility/k540-200dpi.ppd
show varnok-printer set tear-off 12 VARNOK_Journaled
printf '#UM>FD20\r' > "$root/tmp/settings.prn"
show lp -d VARNOK_Journaled -o raw /tmp/settings.prn
for _ in $(seq 300); do
  [ -z "$(in_root lpstat -o VARNOK_Journaled 2> /dev/null)" ] && break
  sleep 0.1
done
printf '
Received through the backend (%s bytes):
' "$(stat -c %s "$root/received")"
od -c "$root/received"
show stat -c '%U %G %a %n' /var/lib/varnok-printer/journal.sqlite
show varnok-printer state VARNOK_Journaled
show varnok-printer history VARNOK_Journaled

kill "$cupsd" "$listener" 2> /dev/null
wait 2> /dev/null
echo "--- cupsd's error log, its errors"
grep -E '^E ' "$root/var/log/cups/error_log" | tail -10
SESSION
