"""Listening by numbers: renders the tune through FluidSynth with the
TimGM6mb soundfont, as the game plays it, and prints what sox measures for
the tune, each of its parts alone and each effect: duration, peak, RMS and
leading silence; for effect 9 also the level while the portrait's mouth is
open and shut.

    /usr/bin/python3 tools/sound/measure.py [assets/sound]"""

import os
import re
import subprocess
import sys
import tempfile

import make_tune
from make_effects import MOUTH_OPEN
from midi_file import smf_bytes

SOUNDFONT = '/usr/share/sounds/sf2/TimGM6mb.sf2'
SILENCE_DB = -60


def sox_stats(path, *effects):
    out = subprocess.run(['sox', path, '-n', *effects, 'stats'], capture_output=True,
                         text=True, check=True).stderr
    fields = {}
    for line in out.splitlines():
        m = re.match(r'(\S.*?)\s{2,}(\S+)', line)
        if m:
            fields[m.group(1)] = m.group(2)
    return fields


def duration(path):
    return float(subprocess.run(['sox', '--i', '-D', path], capture_output=True,
                                text=True, check=True).stdout)


def leading_silence(path):
    """Seconds before the first sample above SILENCE_DB dBFS."""
    trimmed = sox_stats(path, 'silence', '1', '0', f'{SILENCE_DB}d')
    return duration(path) - float(trimmed.get('Length s', 0))


def trailing_silence(path):
    trimmed = sox_stats(path, 'reverse', 'silence', '1', '0', f'{SILENCE_DB}d')
    return duration(path) - float(trimmed.get('Length s', 0))


def report(label, path):
    st = sox_stats(path)
    print(f'{label:<16} {duration(path):8.3f} s  peak {st["Pk lev dB"]:>7} dB  '
          f'RMS {st["RMS lev dB"]:>7} dB  lead {max(0.0, leading_silence(path)) * 1000:6.1f} ms  '
          f'tail {trailing_silence(path) * 1000:7.1f} ms')


def render(midi_path, wav_path):
    subprocess.run(['fluidsynth', '-ni', '-q', '-g', '1.0', '-r', '44100', '-F', wav_path,
                    SOUNDFONT, midi_path], check=True, capture_output=True)


def main(sound_dir):
    with tempfile.TemporaryDirectory() as tmp:
        tune_wav = os.path.join(tmp, 'tune.wav')
        render(os.path.join(sound_dir, 'tune.mid'), tune_wav)
        report('tune', tune_wav)
        for channel, name in make_tune.PART_NAMES:
            mid = os.path.join(tmp, f'{name}.mid')
            with open(mid, 'wb') as f:
                f.write(smf_bytes(make_tune.compose(only=channel), make_tune.DIVISION))
            wav = os.path.join(tmp, f'{name}.wav')
            render(mid, wav)
            report(f'  {name} alone', wav)
    for i in range(10):
        report(f'sfx{i}', os.path.join(sound_dir, f'sfx{i}.wav'))
    sfx9 = os.path.join(sound_dir, 'sfx9.wav')
    edges = sorted({0.0, *[t for span in MOUTH_OPEN for t in span]})
    end = duration(sfx9)
    for a, b in zip(edges, edges[1:] + [end]):
        b = min(b, end)
        if b <= a:
            continue
        state = 'open' if any(o <= a < c for o, c in MOUTH_OPEN) else 'shut'
        st = sox_stats(sfx9, 'trim', f'{a:.4f}', f'={b:.4f}')
        print(f'  sfx9 {a:5.3f}-{b:5.3f} s mouth {state}: RMS {st["RMS lev dB"]:>7} dB  '
              f'peak {st["Pk lev dB"]:>7} dB')


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else
         os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'assets', 'sound'))
