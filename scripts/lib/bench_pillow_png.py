"""Times Pillow's default PNG save (compress_level 6, its own choice of row filters) of a PPM
picture, in memory, for scripts/bench-save. Prints one line: pillow <median ms> <bytes>.

    bench_pillow_png.py PICTURE.ppm RUNS [OUT.png]
"""

import io
import statistics
import sys
import time

from PIL import Image

picture = Image.open(sys.argv[1])
picture.load()
runs = int(sys.argv[2])

def save():
    buffer = io.BytesIO()
    start = time.perf_counter()
    picture.save(buffer, "PNG")
    return time.perf_counter() - start, buffer.getvalue()

save()  # warm-up, as for ours
samples = [save() for _ in range(runs)]
data = samples[-1][1]
if len(sys.argv) > 3:
    with open(sys.argv[3], "wb") as out:
        out.write(data)
print(f"pillow {statistics.median(s[0] for s in samples) * 1000:.3f} {len(data)}")
