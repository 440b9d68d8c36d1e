#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Prints what a MIDI file holds, as read by mido: the header, then every event in file order with
its time in seconds (tempo applied), each note at its note-on with the length up to its note-off.
Exits 1 when mido refuses the file."""
import sys

import mido


def main(path):
    try:
        midi = mido.MidiFile(path)
    except Exception as error:  # mido raises many kinds on a malformed file
        print(f"refused {error}")
        return 1
    print(f"type {midi.type} tracks {len(midi.tracks)} division {midi.ticks_per_beat}")
    now = 0.0
    sounding = {}
    events = []
    for message in midi:  # time in seconds since the message before
        now += message.time
        if message.type == "set_tempo":
            events.append((now, f"tempo {message.tempo}"))
        elif message.type == "program_change":
            events.append((now, f"program {message.program} channel {message.channel}"))
        elif message.type == "note_on" and message.velocity > 0:
            sounding[(message.channel, message.note)] = (len(events), now, message.velocity)
            events.append(None)
        elif message.type in ("note_on", "note_off"):
            at, start, velocity = sounding.pop((message.channel, message.note))
            events[at] = (start, f"note {message.note} velocity {velocity} "
                                 f"channel {message.channel} length {now - start:.3f}")
        elif message.type == "end_of_track":
            events.append((now, "end"))
        else:
            events.append((now, f"other {message}"))
    for (channel, note), (at, start, _) in sounding.items():
        events[at] = (start, f"unended {note} channel {channel}")
    for time, text in events:
        print(f"{time:.3f} {text}")
    last = midi.tracks[0][-1] if midi.tracks and midi.tracks[0] else None
    print("last " + (last.type if last else "none"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
