#!/usr/bin/python3
"""Side by side: the image operations of imaging_bench against ImageMagick's
`convert` doing the same operation on a picture of the same size (6000 x 4000).

Usage: bench/imagemagick_compare.py BUILD_DIR [--repeat N]

ImageMagick reads its picture from an .mpc pixel cache (memory-mapped, so the
decoding of a file is not counted) and writes to null:, so its figure is one
whole `convert` run doing the operation. Ours is the operation alone in memory
(imaging_bench, wall time). Both are medians of N runs. A second table times
whole commands, BMP file in and BMP file out: `lumivorexan-cli image` against
`convert`.
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

# Debian's policy caps ImageMagick at 256 MiB of memory, after which its pixel cache
# goes to disk (a 150 % rescale or a turned 6000 x 4000 picture needs more at 16
# bits per component) and -limit cannot go above it; a copy of the policy with
# higher limits keeps every picture in memory, as ours is.
RAISED = {'name="memory" value="256MiB"': 'name="memory" value="4GiB"',
          'name="map" value="512MiB"': 'name="map" value="4GiB"',
          'name="area" value="128MP"': 'name="area" value="1GP"',
          'name="disk" value="1GiB"': 'name="disk" value="8GiB"'}


def raise_policy(work):
    with open("/etc/ImageMagick-6/policy.xml") as f:
        policy = f.read()
    for old, new in RAISED.items():
        policy = policy.replace(old, new)
    with open(os.path.join(work, "policy.xml"), "w") as f:
        f.write(policy)
    os.environ["MAGICK_CONFIGURE_PATH"] = work

# name in imaging_bench -> ImageMagick arguments for the same operation
OPERATIONS = [
    ("brightness_20", ["+level", "20%,100%"]),
    ("contrast_150", ["-function", "polynomial", "1.5,-0.251"]),
    ("binary_127", ["-grayscale", "average", "-threshold", "49.8%"]),
    ("balance", ["-channel", "R", "+level", "20%,100%", "-channel", "G", "-level", "0%,90%",
                 "-channel", "B", "-level", "0%,77%", "+channel"]),
    ("saturation_50", ["-modulate", "100,150"]),
    ("grey", ["-grayscale", "average"]),
    ("invert", ["-negate"]),
    ("flip_h", ["-flop"]),
    ("flip_v", ["-flip"]),
    ("scale_50", ["-filter", "Triangle", "-resize", "50%"]),
    ("scale_150", ["-filter", "Triangle", "-resize", "150%"]),
    ("rotate_30", ["-background", "white", "-rotate", "-30"]),
    ("rotate_90", ["-rotate", "-90"]),
    ("low_pass_uniform", ["-convolve", ",".join(["0.111111"] * 9)]),
    ("low_pass_peaked", ["-convolve", "0.0666667,0.133333,0.0666667,0.133333,0.2,"
                                      "0.133333,0.0666667,0.133333,0.0666667"]),
    ("high_pass_weak", ["-convolve", "-0.25,-0.25,-0.25,-0.25,3,-0.25,-0.25,-0.25,-0.25"]),
    ("high_pass_strong", ["-convolve", "0,-1,0,-1,5,-1,0,-1,0"]),
]

# whole commands: (our CLI options, ImageMagick arguments)
COMMANDS = [
    (["--invert"], ["-negate"]),
    (["--rotate", "30"], ["-background", "white", "-rotate", "-30"]),
    (["--low-pass", "2"], OPERATIONS[14][1]),
]


def timed(command, repeat):
    times = []
    for _ in range(repeat):
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
    return statistics.median(times) * 1000.0


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    build = sys.argv[1]
    repeat = int(sys.argv[3]) if len(sys.argv) > 3 and sys.argv[2] == "--repeat" else 3
    bench = os.path.join(build, "bench", "imaging_bench")
    cli = os.path.join(build, "cli", "lumivorexan-cli")
    with tempfile.TemporaryDirectory() as work:
        raise_policy(work)
        mpc = os.path.join(work, "photo.mpc")
        bmp = os.path.join(work, "photo.bmp")
        subprocess.run(["convert", "-size", "6000x4000", "radial-gradient:white-black",
                        "-function", "Sinusoid", "30,90", "-depth", "8", "-type", "TrueColor", bmp],
                       check=True)
        subprocess.run(["convert", bmp, mpc], check=True)
        result = subprocess.run([bench, "--benchmark_format=json",
                                 f"--benchmark_repetitions={repeat}",
                                 "--benchmark_report_aggregates_only=true"],
                                check=True, capture_output=True, text=True)
        ours = {}
        for b in json.loads(result.stdout)["benchmarks"]:
            if b.get("aggregate_name") == "median":
                name = b["run_name"].split("/")[1]
                ours[name] = b["real_time"]
        print(f"load average: {os.getloadavg()[0]:.1f}\n")
        print("| Operation (6000 x 4000) | Lumivorexan (ms) | ImageMagick `convert` (ms) | IM arguments |")
        print("|---|---|---|---|")
        for name, args in OPERATIONS:
            im = timed(["convert", mpc] + args + ["null:"], repeat)
            print(f"| {name} | {ours.get(name, float('nan')):.0f} | {im:.0f} | `{' '.join(args)}` |")
        print("\n| Whole command, BMP in and out | lumivorexan-cli (ms) | convert (ms) |")
        print("|---|---|---|")
        out = os.path.join(work, "out.bmp")
        for cli_args, im_args in COMMANDS:
            a = timed([cli, "image", bmp, out] + cli_args, repeat)
            b = timed(["convert", bmp] + im_args + [out], repeat)
            print(f"| {' '.join(cli_args)} | {a:.0f} | {b:.0f} |")


if __name__ == "__main__":
    main()
