#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes MIDI files with mido into FOLDER and prints the parts mido's reading of them gives, one
line a part: "FILE TRACK CHANNEL PROGRAM ONSETS CHORDS: SLOT..." (a rest as -1)."""
import os
import random
import sys

import mido


def write(folder, name, kind, tracks):
    midi = mido.MidiFile(type=kind, ticks_per_beat=120)
    for events in tracks:
        track = mido.MidiTrack()
        now = 0
        for tick, message in sorted(events, key=lambda e: e[0]):
            track.append(message.copy(time=tick - now))
            now = tick
        midi.tracks.append(track)
    midi.save(os.path.join(folder, name))


def notes(rng, channel, low, high, count, program=None):
    events = [] if program is None else [(0, mido.Message('program_change', channel=channel, program=program))]
    tick = 0
    for _ in range(count):
        tick, key, off = tick + rng.choice([0, 60, 120, 240, 400, 1300]), rng.randint(low, high), rng.choice(['note_off', 'note_on'])
        events.append((tick, mido.Message('note_on', channel=channel, note=key, velocity=90)))
        events.append((tick + rng.choice([30, 120, 500]), mido.Message(off, channel=channel, note=key, velocity=0)))
    return events


def parts(path):
    midi = mido.MidiFile(path)
    beat = midi.ticks_per_beat
    lines = []
    for number, track in enumerate(midi.tracks, 1):
        tick, sounding, done = 0, {}, {}
        for message in track:
            tick += message.time
            if message.type == 'note_on' and message.velocity > 0:
                sounding.setdefault((message.channel, message.note), []).append(tick)
            elif message.type in ('note_on', 'note_off'):
                started = sounding.get((message.channel, message.note))
                if started:
                    done.setdefault(message.channel, []).append((started.pop(0), tick, message.note))
        for (channel, key), starts in sounding.items():
            done.setdefault(channel, []).extend((start, tick, key) for start in starts)
        programs = {m.channel: m.program for m in reversed(track) if m.type == 'program_change'}
        for channel in sorted(done):
            if channel == 9:
                continue
            played = sorted(done[channel])
            onsets = sorted({start for start, _, _ in played})
            slots, chords, end = [], 0, None
            for onset in onsets:
                here = [key for start, _, key in played if start == onset]
                chords += len(here) > 1
                if end is not None and onset - end >= beat:
                    slots += [-1] * min(4, (onset - end) // beat)
                slots.append(max(here))
                end = max([end or 0] + [stop for start, stop, _ in played if start == onset])
            lines.append(f"{os.path.basename(path)} {number} {channel + 1} {programs.get(channel, 0)} "
                         f"{len(onsets)} {chords}: {' '.join(map(str, slots))}")
    return lines


def main(folder):
    rng = random.Random(16)
    tempo = [(0, mido.MetaMessage('set_tempo', tempo=400000)), (2000, mido.MetaMessage('set_tempo', tempo=700000))]
    write(folder, 'zero.mid', 0, [tempo + notes(rng, 0, 55, 80, 40, 73) + notes(rng, 3, 40, 60, 20)])
    write(folder, 'one.mid', 1, [tempo, notes(rng, 0, 60, 84, 50, 80) + notes(rng, 9, 35, 50, 30),
                                 notes(rng, 1, 30, 55, 35, 33) + notes(rng, 2, 60, 72, 10, 0)])
    for name in ('zero.mid', 'one.mid'):
        print('\n'.join(parts(os.path.join(folder, name))))


if __name__ == '__main__':
    main(sys.argv[1])
