#!/usr/bin/env bash
# Measures the viewer on folders of hostile pictures (run from the source folder after
# `make build`): six JPEGs of a few hundred bytes claiming 60000 x 2000, a real PNG of
# 11000 x 11000, and a link to /dev/zero and a FIFO named like photos. For each folder
# the viewer builds its thumbnails, shows the list, opens the first picture and steps
# the slide show once (KOV_SCREENSHOT_DIR), and reports:
#   - the web process's peak memory: its peak RSS (VmHWM) and the largest PSS seen;
#   - the longest stretch in which the viewer's window thread was away from its main
#     loop's poll, working or waiting (sampled every 20 ms from the system call it is
#     in), which is how long the window froze: from the first page painted on, the
#     driver's own screenshots (PNG files written on that thread) apart;
#   - the GdkPixbuf warnings and failed assertions on stderr.
# A second argument names the folders to run (default "bombs big devices").
# Without a display it runs itself under Xvfb.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
folders=${2:-bombs big devices}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$folders"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config" "$work/cache" "$work/bombs" "$work/big" "$work/devices"
export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1

# A 16 x 16 JPEG whose frame header claims 60000 x 2000, six times; a PNG of
# 11000 x 11000 (a pattern, so that it is quick to write and about 2 MB).
convert -size 16x16 xc:'#2060a0' "$work/small.jpg"
python3 - "$work" <<'PY'
import os, struct, sys, zlib
work = sys.argv[1]
jpeg = bytearray(open(work + '/small.jpg', 'rb').read())
at = 2
while jpeg[at + 1] != 0xC0:
    at += 2 + (jpeg[at + 2] << 8 | jpeg[at + 3])
jpeg[at + 5:at + 9] = struct.pack('>HH', 2000, 60000)
for i in range(6):
    open('%s/bombs/bomb%d.jpg' % (work, i), 'wb').write(jpeg)
side = 11000
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
row = bytes((x * 7 + (x >> 5)) & 0xFF for x in range(3 * side + 3 * 512))
packer = zlib.compressobj(6)
data = b''.join(packer.compress(b'\0' + row[3 * (y * 5 % 512):][:3 * side]) for y in range(side)) + packer.flush()
with open(work + '/big/big.png', 'wb') as out:
    out.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', side, side, 8, 2, 0, 0, 0)))
    out.write(chunk(b'IDAT', data) + chunk(b'IEND', b''))
os.symlink('/dev/zero', work + '/devices/a-zero.jpg')
os.mkfifo(work + '/devices/b-pipe.jpg')
PY

descendants() {
  local child
  for child in $(pgrep -P "$1" || true); do echo "$child"; descendants "$child"; done
}

for folder in $folders; do
  log=$work/$folder
  KOV_TRACE=$log.trace KOV_SCREENSHOT_DIR=$work/shots "$build/kov" "$work/$folder" 2> "$log.err" &
  pid=$!
  python3 - "$pid" "$log.trace" > "$log.figures" <<'PY'
import os, sys, time
pid, trace = sys.argv[1], sys.argv[2]
def read(path):
    try:
        with open(path) as f: return f.read()
    except OSError: return ''
def web_processes():
    found, todo = [], [pid]
    while todo:
        parent = todo.pop()
        for child in read('/proc/%s/task/%s/children' % (parent, parent)).split():
            todo.append(child)
            if read('/proc/%s/comm' % child).startswith('WebKitWebProces'): found.append(child)
    return found
# poll, ppoll and epoll_wait on x86-64: the main loop waiting for its next event.
IDLE = {'7', '271', '232', '281'}
since = None
stretches = []  # (start, end) in the trace's clock
peak_pss = peak_hwm = 0
while os.path.exists('/proc/%s/stat' % pid) and read('/proc/%s/stat' % pid).split(') ')[-1][:1] != 'Z':
    call = read('/proc/%s/task/%s/syscall' % (pid, pid)).split()
    if call and call[0] in IDLE:
        if since is not None: stretches.append((since, time.time()))
        since = None
    elif call and since is None:
        since = time.time()
    for web in web_processes():
        for line in read('/proc/%s/smaps_rollup' % web).splitlines():
            if line.startswith('Pss:'): peak_pss = max(peak_pss, int(line.split()[1]))
        for line in read('/proc/%s/status' % web).splitlines():
            if line.startswith('VmHWM:'): peak_hwm = max(peak_hwm, int(line.split()[1]))
    time.sleep(0.02)
events = [(float(line.split()[0]), line.split(' ', 1)[1]) for line in read(trace).splitlines() if ' ' in line]
first = min([t for t, what in events if what.startswith('painted ')] or [0])
saves = [t for t, what in events if what.startswith('screenshot ')]
# A stretch that holds a screenshot's save counts from the end of that save on.
longest = max([end - max([start] + [t for t in saves if start <= t <= end])
               for start, end in stretches if start >= first] or [0])
print('web process peak RSS %d MB, peak PSS %d MB; window thread away from its loop at most %.2f s'
      % (peak_hwm // 1024, peak_pss // 1024, longest))
PY
  wait "$pid" || true
  echo "== $folder: $(ls "$work/$folder" | tr '\n' ' ')"
  echo "   $(cat "$log.figures")"
  echo "   picture shown: $(grep -c ' painted image ' "$log.trace" || true) times;" \
       "GdkPixbuf warnings on stderr: $(grep -c 'GdkPixbuf-\(CRITICAL\|WARNING\)' "$log.err" || true);" \
       "failed assertions: $(grep -c 'assertion' "$log.err" || true)"
done
