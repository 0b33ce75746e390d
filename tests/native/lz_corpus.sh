#!/bin/sh
# The expander and the compressor held to the other tools of the format: every corpus file
# compressed by mscompress expands through lzpack to its bytes, and every file lzpack
# compresses expands through msexpand to its bytes. (mscompress codes files under four bytes
# wrongly, so they go only through lzpack.)
# Usage: lz_corpus.sh LZPACK WORKDIR
set -eu
lzpack=$1
work=$2
rm -rf "$work"; mkdir -p "$work"; cd "$work"
python3 - <<'PY'
import os, random
r = random.Random(11)
def put(name, data):
    open(name, "wb").write(data)
for n in (0, 1, 2, 3, 18, 4095, 4096, 4097, 65536, 300001):
    put("random%d.bin" % n, bytes(r.randrange(256) for _ in range(n)))
    put("text%d.txt" % n, (b"[Files]\r\nREADME.TXT,1:README.TX_\r\n" * (n // 30 + 1))[:n])
put("blanks.txt", b" " * 9000 + b"end")
put("runs.bin", b"".join(bytes([r.randrange(4)]) * r.randrange(1, 40) for _ in range(20000)))
PY
failures=0
for f in *.bin *.txt; do
  if [ "$(wc -c <"$f")" -ge 4 ]; then
    cp "$f" "ms_$f"
    mscompress "ms_$f"
    "$lzpack" -x "ms_$f"_ "$f.ours" && cmp -s "$f" "$f.ours" || { echo "FAIL lzpack -x of mscompress: $f"; failures=$((failures+1)); }
  fi
  cp "$f" "in_$f"
  "$lzpack" "in_$f"
  packed=$(ls "in_${f%?}_" 2>/dev/null || ls "in_$f"_)
  msexpand <"$packed" >"$f.theirs" && cmp -s "$f" "$f.theirs" || { echo "FAIL msexpand of lzpack: $f"; failures=$((failures+1)); }
done
echo "$(ls ms_* | wc -l) corpus files, $failures failures"
[ $failures -eq 0 ]
