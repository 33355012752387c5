"""The game's sounds, synthesised: soft bells and plucks made of a few sine
partials under smooth envelopes, so that they stay pleasant after many runs.
Pure Python and deterministic (the only noise comes from a fixed-seed LCG).

Every sound is mono, 16-bit, 22 050 frames a second; each starts and ends at
silence, so that nothing clicks.
"""

import math
import struct
import wave

RATE = 22050
PEAK = 0.5          # of full scale: leaves room when several sounds overlap
FADE_SECONDS = 0.02  # every sound ends on this fade, whatever its envelope

C5 = 523.25
E5 = 659.26
G5 = 783.99
C6 = 1046.50

# How long the fanfare waits before its first note: the last checkpoint's
# chime, which the finish plays at the same moment, rings first.
FANFARE_LEAD_SECONDS = 0.25


def _frames(seconds):
    return int(round(seconds * RATE))


def _tone(seconds, frequency, partials, attack, decay, glide_to=None, vibrato=0.0):
    """A note of summed partials (multiple, amplitude, decay factor) under an
    attack ramp and an exponential decay (time constant in seconds); its
    pitch may glide exponentially to glide_to over the note."""
    count = _frames(seconds)
    out = [0.0] * count
    phase = [0.0] * len(partials)
    for i in range(count):
        t = i / RATE
        f = frequency
        if glide_to is not None:
            f = frequency * (glide_to / frequency) ** (t / seconds)
        if vibrato:
            f *= 1.0 + vibrato * math.sin(2 * math.pi * 5.5 * t)
        rise = min(1.0, t / attack) if attack > 0 else 1.0
        value = 0.0
        for k, (multiple, amplitude, decay_factor) in enumerate(partials):
            phase[k] += 2 * math.pi * f * multiple / RATE
            value += amplitude * math.sin(phase[k]) * math.exp(-t / (decay * decay_factor))
        out[i] = value * rise
    return out


def _noise(seconds, decay, seed=12345):
    """A short burst of deterministic noise, gently low-passed."""
    count = _frames(seconds)
    state = seed
    smooth = 0.0
    out = []
    for i in range(count):
        state = (1103515245 * state + 12345) & 0x7FFFFFFF
        white = state / 0x3FFFFFFF - 1.0
        smooth += 0.35 * (white - smooth)
        out.append(smooth * math.exp(-(i / RATE) / decay))
    return out


def _mix(length_seconds, *parts):
    """Sums (start seconds, samples, gain) into one track."""
    out = [0.0] * _frames(length_seconds)
    for start, samples, gain in parts:
        offset = _frames(start)
        for i, value in enumerate(samples):
            if offset + i < len(out):
                out[offset + i] += gain * value
    return out


def _finish(samples):
    """Scales to PEAK and fades the tail to silence."""
    fade = _frames(FADE_SECONDS)
    samples = list(samples)
    for i in range(fade):
        samples[-1 - i] *= i / fade
    top = max(abs(v) for v in samples)
    return [v * PEAK / top for v in samples]


BELL = [(1.0, 1.0, 1.0), (2.0, 0.3, 0.5), (3.0, 0.1, 0.3), (4.2, 0.04, 0.15)]
HORN = [(1.0, 1.0, 1.0), (2.0, 0.45, 0.8), (3.0, 0.2, 0.6), (4.0, 0.08, 0.5)]


def chime():
    """A checkpoint: a soft bell on C5; the game raises its pitch step by step."""
    return _finish(_tone(0.6, C5, BELL, attack=0.004, decay=0.15))


def fanfare():
    """The finish: C5, E5, G5 in quick steps, then a held C major chord."""
    step = 0.11
    start = FANFARE_LEAD_SECONDS
    notes = [(start + i * step, _tone(0.5, f, HORN, attack=0.01, decay=0.18), 1.0) for i, f in enumerate((C5, E5, G5))]
    held = start + 3 * step
    for f in (C5, E5, G5, C6):
        notes.append((held, _tone(0.9, f, HORN, attack=0.015, decay=0.45, vibrato=0.003), 0.3))
    return _finish(_mix(held + 0.9, *notes))


def tack_pinned():
    """A pin going in: a bright tick with a touch of noise."""
    body = _tone(0.12, 1568.0, [(1.0, 1.0, 1.0), (2.7, 0.3, 0.4)], attack=0.001, decay=0.03)
    return _finish(_mix(0.12, (0.0, body, 1.0), (0.0, _noise(0.02, 0.004), 0.5)))


def tack_freed():
    """A pin coming out: a small pop that rises."""
    return _finish(_tone(0.13, 520.0, [(1.0, 1.0, 1.0), (2.0, 0.25, 0.6)], attack=0.003, decay=0.045,
                         glide_to=940.0))


def grab():
    """Cloth taken in hand: a low, soft thump."""
    body = _tone(0.1, 330.0, [(1.0, 1.0, 1.0), (1.5, 0.3, 0.6)], attack=0.004, decay=0.03, glide_to=250.0)
    return _finish(_mix(0.1, (0.0, body, 1.0), (0.0, _noise(0.05, 0.012, seed=777), 0.25)))


def fall():
    """The ball lost: a gentle falling whistle, over before the new run starts."""
    return _finish(_tone(0.6, 740.0, [(1.0, 1.0, 1.0), (2.0, 0.15, 0.6)], attack=0.02, decay=0.35,
                         glide_to=260.0, vibrato=0.01))


def menu_choice():
    """A menu button: a short two-partial click."""
    return _finish(_tone(0.08, 1175.0, [(1.0, 1.0, 1.0), (1.5, 0.5, 0.6)], attack=0.002, decay=0.025))


def sound_table():
    """(path under assets/, maker) for every sound of the game: the files that
    SoundPlayer::fileOf names (tests/scene/SoundPlayerTest.cpp checks both)."""
    return [
        ("sounds/chime.wav", chime),
        ("sounds/fanfare.wav", fanfare),
        ("sounds/tackPinned.wav", tack_pinned),
        ("sounds/tackFreed.wav", tack_freed),
        ("sounds/grab.wav", grab),
        ("sounds/fall.wav", fall),
        ("sounds/menu.wav", menu_choice),
    ]


def write_wav(path, samples):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(round(v * 32767))) for v in samples))


def check_wav(path, samples):
    """Reads the file back: the format the game's reader takes, the samples as
    written, below full scale, starting and ending at silence."""
    with wave.open(path, "rb") as back:
        if (back.getnchannels(), back.getsampwidth(), back.getframerate()) != (1, 2, RATE):
            raise SystemExit(f"{path}: not 16-bit mono at {RATE} Hz")
        data = back.readframes(back.getnframes())
    values = struct.unpack(f"<{len(data) // 2}h", data)
    if len(values) != len(samples):
        raise SystemExit(f"{path}: {len(values)} frames, {len(samples)} written")
    if max(abs(v) for v in values) > 0.9 * 32767:
        raise SystemExit(f"{path}: too loud")
    if abs(values[0]) > 2000 or values[-1] != 0:
        raise SystemExit(f"{path}: must start and end at silence")
