#!/usr/bin/env python3
"""Counts pixels of a colour class in a region of a screenshot, for the end-to-end tests.

Usage: pixels.py [--sample PERCENT] CLASS IMAGE [LEFT TOP WIDTH HEIGHT]
       pixels.py [--sample PERCENT] centre CLASS IMAGE [LEFT TOP WIDTH HEIGHT]

The first form prints how many pixels of the region belong to CLASS, the second the mean x and y of those
pixels in the region (or nothing when there are none). --sample scales the region down first (quicker, for
large areas); counts and positions are then those of the scaled region.

Classes:
  magenta  the viewport's background colour, shown wherever nothing is drawn
  sky      the evening sky's blues and purples (blue clearly above green)
  shadow   sand in shadow: the sand's hue, darker than any sunlit sand
"""
import subprocess
import sys


def read_pixels(image, region, sample):
    crop = ["-crop", "{2}x{3}+{0}+{1}".format(*region), "+repage"] if region else []
    scale = ["-sample", "{}%".format(sample)] if sample else []
    ppm = subprocess.run(["convert", image] + crop + scale + ["-depth", "8", "ppm:-"], check=True,
                         stdout=subprocess.PIPE).stdout
    # Binary PPM: "P6", width, height, maximum, then the samples.
    fields = ppm.split(maxsplit=4)
    width, height = int(fields[1]), int(fields[2])
    data = fields[4]
    return width, height, data


def classify(name):
    if name == "magenta":
        return lambda r, g, b: r > 200 and g < 60 and b > 200
    if name == "sky":
        return lambda r, g, b: b > g + 12 and b > 60 and not (r > 200 and g < 60)
    if name == "shadow":
        return lambda r, g, b: 50 <= r < 140 and 0.7 * r <= g <= 0.86 * r and 0.4 * r <= b <= 0.62 * r
    raise SystemExit("unknown class " + name)


def matching(cls, image, region, sample):
    width, height, data = read_pixels(image, region, sample)
    for i in range(width * height):
        if cls(data[3 * i], data[3 * i + 1], data[3 * i + 2]):
            yield i % width, i // width


def main(args):
    sample = None
    if args[:1] == ["--sample"]:
        sample, args = int(args[1]), args[2:]
    centre = bool(args) and args[0] == "centre"
    if centre:
        args = args[1:]
    cls = classify(args[0])
    region = [int(v) for v in args[2:6]] if len(args) >= 6 else None
    points = list(matching(cls, args[1], region, sample))
    if not centre:
        print(len(points))
    elif points:
        print(sum(x for x, _ in points) / len(points), sum(y for _, y in points) / len(points))


main(sys.argv[1:])
