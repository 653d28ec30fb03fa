#!/usr/bin/env python3
"""Checks the stream that SDL's disk audio driver wrote for a game of dunestride against the engine log.

usage: sound-stream.py STREAM LOG

The stream is the game's mix: mono, 16-bit little-endian samples at 22050 frames a second. The log says at which
stream frame each cue was asked for ("sound catch at stream frame N") and where the sound was muted. Checked:
- the first catch is heard within 100 ms of the catch: the first sample louder than anything but the catch sound
  (0.6 of full scale) within a second around it comes no earlier than the catch and at most 100 ms after it;
- no sample anywhere reaches full scale (the catch over a warning and the wind used to be cut flat there);
- after the mute nothing at all is heard, though a later catch was asked for and the stream runs on past it.
"""
import array
import re
import sys

RATE = 22050
LOUD = int(0.6 * 32768)
# The mix that was under way when the mute came may still sound: one device buffer, with room to spare.
MUTE_SLACK_FRAMES = 2048


def frames_logged(log_text, event):
    return [int(n) for n in re.findall(r"sound %s at stream frame (\d+)$" % event, log_text, re.MULTILINE)]


def main():
    stream_path, log_path = sys.argv[1], sys.argv[2]
    samples = array.array("h")
    with open(stream_path, "rb") as stream:
        samples.frombytes(stream.read())
    if sys.byteorder != "little":
        samples.byteswap()
    with open(log_path, errors="replace") as log:
        log_text = log.read()
    catches = frames_logged(log_text, "catch")
    mutes = frames_logged(log_text, "muted")
    print("stream: %.1f s; catches at frames %s; muted at %s" % (len(samples) / RATE, catches, mutes))
    if len(catches) < 2 or len(mutes) != 1:
        sys.exit("FAIL: the log should name two catches and one mute")
    catch, mute = catches[0], mutes[0]

    start = max(0, catch - RATE)
    loud = next((i for i in range(start, min(len(samples), catch + RATE)) if abs(samples[i]) > LOUD), None)
    if loud is None:
        sys.exit("FAIL: no catch sound within a second of the catch")
    delay_ms = (loud - catch) * 1000.0 / RATE
    print("catch sound %.1f ms after the catch" % delay_ms)
    if not 0 <= delay_ms <= 100:
        sys.exit("FAIL: the catch sound is not within 100 ms after the catch")

    full = [i for i, sample in enumerate(samples) if sample >= 32767 or sample <= -32767]
    print("loudest sample %d of 32767" % max(abs(max(samples)), abs(min(samples))))
    if full:
        sys.exit("FAIL: %d samples at full scale, the first %.3f s after the catch" % (len(full), (full[0] - catch) / RATE))

    if not catch < mute < catches[1] < len(samples):
        sys.exit("FAIL: the stream does not run from the first catch through the mute past the second catch")
    heard = [i for i in range(mute + MUTE_SLACK_FRAMES, len(samples)) if samples[i] != 0]
    if heard:
        sys.exit("FAIL: sound %.3f s after the mute" % ((heard[0] - mute) / RATE))
    print("silent for %.1f s after the mute" % ((len(samples) - mute) / RATE))


if __name__ == "__main__":
    main()
