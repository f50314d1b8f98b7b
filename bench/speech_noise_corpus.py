#!/usr/bin/env python3
"""Makes a noisy speech corpus from a clean one (bench/speech_corpus.py).

Mixes room-like noise into the clean clips at 20 dB and 10 dB signal to
noise: pink noise, brown noise, a fan's hum and babble made of other clips
of the same part. Each noisy clip starts with a second of the noise alone,
so a detector settles as in a room, and the noise goes on after the voice.
Noise-only clips must be rejected. The clean clips picked are kept too, so
the clean figure compares the same phrases.

Writes into the output folder the grammars, clips/*.wav and manifest.tsv:
clip, expected phrase, voice, speed, part, group, condition ("clean",
"snr20", "snr10" or "noise"), and where the voice ends and where it begins,
in 16 kHz samples.
"""
import argparse
import array
import math
import os
import random
import shutil
import subprocess
import wave

RATE = 16000
LEAD = RATE  # noise alone before the voice
TAIL = RATE * 3 // 2
NOISES = ["pink", "brown", "fan", "babble"]
LEVELS = {"snr20": 20.0, "snr10": 10.0}


def read_wav(path):
    """The clip as 16 kHz mono samples (sox converts)."""
    out = subprocess.run(["sox", path, "-t", "raw", "-r", str(RATE), "-c", "1", "-b", "16",
                          "-e", "signed-integer", "-"], check=True, capture_output=True).stdout
    samples = array.array("h")
    samples.frombytes(out)
    return samples


def write_wav(path, samples):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(samples.tobytes())


def synth(seconds, *effect):
    out = subprocess.run(["sox", "-n", "-t", "raw", "-r", str(RATE), "-c", "1", "-b", "16",
                          "-e", "signed-integer", "-", "synth", str(seconds), *effect],
                         check=True, capture_output=True).stdout
    samples = array.array("h")
    samples.frombytes(out)
    return [float(s) for s in samples]


def voice_span(samples):
    """First and last sample of the voice (louder than 1000)."""
    loud = [i for i, s in enumerate(samples) if abs(s) >= 1000]
    return (loud[0], loud[-1] + 1) if loud else (0, len(samples))


def rms(values):
    return math.sqrt(sum(v * v for v in values) / max(len(values), 1)) or 1.0


def noise_tracks(seconds, babble_clips, rng):
    """A long track of each noise, to cut pieces from."""
    n = seconds * RATE
    tracks = {"pink": synth(seconds, "pinknoise"), "brown": synth(seconds, "brownnoise")}
    # A fan: the motor's hum and its harmonics, slowly wavering, over air.
    air = synth(seconds, "brownnoise", "lowpass", "400")
    fan = []
    for i in range(n):
        t = i / RATE
        wobble = 1.0 + 0.2 * math.sin(2 * math.pi * 0.3 * t)
        hum = sum(a * math.sin(2 * math.pi * f * t) for f, a in ((120, 1.0), (240, 0.5), (360, 0.3)))
        fan.append(wobble * hum * 3000 + air[i] * 0.5)
    tracks["fan"] = fan
    # Babble: four talkers at once, each a string of other clips.
    babble = [0.0] * n
    for _ in range(4):
        at = rng.randrange(RATE)
        while at < n:
            clip = rng.choice(babble_clips)
            for i, s in enumerate(clip):
                if at + i >= n:
                    break
                babble[at + i] += s
            at += len(clip)
    tracks["babble"] = babble
    return tracks


def piece(track, length, rng):
    start = rng.randrange(len(track) - length)
    return track[start:start + length]


def mixed(speech, noise, gain):
    out = array.array("h", bytes(2 * len(noise)))
    for i, v in enumerate(noise):
        s = speech[i - LEAD] if LEAD <= i < LEAD + len(speech) else 0
        out[i] = max(-32768, min(32767, int(round(s + v * gain))))
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("clean", help="clean corpus folder")
    parser.add_argument("out", help="output folder")
    parser.add_argument("--every", type=int, default=2,
                        help="take every Nth command clip (every 1.5 N-th sentence)")
    parser.add_argument("--noise-only", type=int, default=10,
                        help="noise-only clips per part, noise and level")
    args = parser.parse_args()

    os.makedirs(os.path.join(args.out, "clips"), exist_ok=True)
    for name in os.listdir(args.clean):
        if name.startswith("grammar_"):
            shutil.copy(os.path.join(args.clean, name), args.out)
    with open(os.path.join(args.clean, "manifest.tsv"), encoding="utf-8") as manifest:
        rows = [line.rstrip("\n").split("\t") for line in manifest if line.strip()]

    rng = random.Random(13)
    out_rows = []
    for part in ("tune", "test"):
        own = [r for r in rows if r[4] == part]
        commands = [r for r in own if r[1]][::args.every]
        sentences = [r for r in own if not r[1]][::max(1, args.every * 3 // 2)]
        # Babble talks in the part's own voices, never in the clip's text.
        babble_clips = [read_wav(os.path.join(args.clean, r[0])) for r in own if not r[1]]
        longest = max(len(read_wav(os.path.join(args.clean, r[0]))) for r in commands + sentences)
        tracks = noise_tracks((LEAD + longest + TAIL) // RATE + 30, babble_clips, rng)
        levels = []
        for n, row in enumerate(commands + sentences):
            speech = read_wav(os.path.join(args.clean, row[0]))
            begin, end = voice_span(speech)
            level = rms(speech[begin:end])
            levels.append(level)
            name = f"clips/{part}_{n}_clean.wav"
            write_wav(os.path.join(args.out, name), speech)
            out_rows.append([name] + row[1:6] + ["clean", str(end), str(begin)])
            for condition, snr in LEVELS.items():
                kind = NOISES[(n + len(out_rows)) % len(NOISES)]
                noise = piece(tracks[kind], LEAD + len(speech) + TAIL, rng)
                gain = level / (rms(noise) * 10 ** (snr / 20))
                name = f"clips/{part}_{n}_{condition}_{kind}.wav"
                write_wav(os.path.join(args.out, name), mixed(speech, noise, gain))
                out_rows.append([name] + row[1:6] + [condition, str(LEAD + end), str(LEAD + begin)])
        # Noise alone, as loud as under a typical voice at each level.
        typical = sorted(levels)[len(levels) // 2]
        for kind in NOISES:
            for condition, snr in LEVELS.items():
                for n in range(args.noise_only):
                    noise = piece(tracks[kind], LEAD + 2 * RATE + TAIL, rng)
                    gain = typical / (rms(noise) * 10 ** (snr / 20))
                    name = f"clips/{part}_noise_{kind}_{condition}_{n}.wav"
                    write_wav(os.path.join(args.out, name), mixed([], noise, gain))
                    out_rows.append([name, "", kind, "0", part, "other", "noise", "0", "0"])
    with open(os.path.join(args.out, "manifest.tsv"), "w", encoding="utf-8") as out:
        for row in out_rows:
            out.write("\t".join(row) + "\n")
    print(f"{len(out_rows)} clips in {args.out}")


if __name__ == "__main__":
    main()
