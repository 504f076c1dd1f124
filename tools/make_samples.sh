#!/bin/sh
# Makes the game's 19 sample files, dat/samples/<name>.ogg, from nothing but sox's synthesiser,
# and the small test recordings under tests/audio/data. Run from anywhere:
#     tools/make_samples.sh
# Needs sox with Ogg Vorbis support (Debian: sox, libsox-fmt-all). Each sound is one line
# below: change it and run the script again. Every file is 44100 Hz mono; the game plays a
# mono file on both sides.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/dat/samples"
testData="$root/tests/audio/data"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out" "$testData"

# Vorbis quality 2: small files, and these short synthetic sounds lose nothing audible.
QUALITY=2
# The same noise and the same stream serial numbers on every run, so a remake changes only
# what was changed here.
export SOX_OPTS=-R

# encode NAME PEAK_DB INPUT [EFFECTS...]: mixes INPUT down to mono, scales its peak to PEAK_DB
# and writes it as dat/samples/NAME.ogg.
encode() {
    name=$1
    peak=$2
    input=$3
    shift 3
    sox "$input" -C "$QUALITY" "$out/$name.ogg" "$@" remix - gain -n "$peak"
}

# sound NAME PEAK_DB SYNTH_ARGS...: one mono take from sox's synthesiser; the arguments start
# at the synth effect and go on with any effects after it.
sound() {
    name=$1
    peak=$2
    shift 2
    sox -n -r 44100 -c 1 -b 16 "$work/$name.wav" "$@"
    encode "$name" "$peak" "$work/$name.wav"
}

# Light percussion, drum0..drum7: the music plays these most often, so they stay soft and
# short.
sound drum0 -9 synth 0.05 whitenoise gain -6 highpass 7000 fade l 0 0.05 0.048             # closed hat
sound drum1 -11 synth 0.12 whitenoise gain -6 bandpass 6000 2000 fade q 0.03 0.12 0.09     # shaker
sound drum2 -9 synth 0.03 sine 1800 synth 0.03 whitenoise mix fade l 0 0.03 0.028  # rim
sound drum3 -10 synth 0.012 square 2600 fade l 0 0.012 0.011                        # click
sound drum4 -9 synth 0.12 whitenoise gain -12 bandpass 1400 900 fade l 0 0.12 0.11 \
    pad 0 0.03 echos 0.6 0.9 11 0.7 23 0.6 trim 0 0.15 fade l 0 0.15 0.05           # soft clap
sound drum5 -10 synth 0.16 whitenoise gain -6 highpass 6000 fade l 0 0.16 0.15              # open hat
sound drum6 -9 synth 0.07 sine 820 synth 0.07 sine mix 1640 fade l 0 0.07 0.066     # woodblock
sound drum7 -10 synth 0.02 whitenoise gain -6 lowpass 3000 fade l 0 0.02 0.019              # soft tick

# Heavier accents, drum8..drumF: on the strong beats.
sound drum8 -3 synth 0.32 sine 140:42 fade l 0 0.32 0.3                             # deep kick
sound drum9 -3 synth 0.22 sine 180:50 synth 0.22 whitenoise mix fade l 0 0.22 0.21  # tight kick
sound drumA -4 synth 0.2 whitenoise gain -6 bandpass 1800 1400 synth 0.2 sine mix 190 \
    fade l 0 0.2 0.19                                                               # snare
sound drumB -4 synth 0.15 whitenoise gain -6 highpass 2500 synth 0.15 sine mix 240 \
    fade l 0 0.15 0.14                                                              # bright snare
sound drumC -4 synth 0.4 sine 110:75 fade l 0 0.4 0.38                              # low tom
sound drumD -4 synth 0.32 sine 165:115 fade l 0 0.32 0.3                            # mid tom
sound drumE -4 synth 0.26 sine 240:175 fade l 0 0.26 0.25                           # high tom
sound drumF -6 synth 1.1 whitenoise gain -6 highpass 4500 fade l 0.002 1.1 1.05             # cymbal

# The game's effects.
sound jump -2 synth 0.16 square 380:1400 gain -6 lowpass 3500 fade q 0.005 0.16 0.06 # rising blip
# The chime: a rising arpeggio of bell tones, C6 E6 G6 C7, 70 ms apart; each tone is its
# fundamental with a softer octave partial, struck at once and ringing out.
bell() { # bell FILE START FREQUENCY OCTAVE_UP
    sox -n -r 44100 -c 2 "$1" synth 0.6 sine "$3" sine "$4" \
        remix 1v0.7,2v0.25 fade l 0.002 0.6 0.58 pad "$2"
}
bell "$work/c6.wav" 0 1046.5 2093
bell "$work/e6.wav" 0.07 1318.5 2637
bell "$work/g6.wav" 0.14 1568 3136
bell "$work/c7.wav" 0.21 2093 4186
sox -m "$work/c6.wav" "$work/e6.wav" "$work/g6.wav" "$work/c7.wav" "$work/bells.wav"
encode birth -3 "$work/bells.wav"

# The time paradox: a falling triangle tone that warbles three semitones up and down every
# 0.15 s and slowly shakes, fading out over the last 0.7 s of the 2.3 s dissolve.
warble="0,150,0.08"
for i in 1 2 3 4 5 6 7; do warble="$warble 0,-300,0.15 0,300,0.15"; done
sound paradox -3 synth 2.3 triangle 900:60 gain -6 bend $warble tremolo 7 30 fade q 0.02 2.3 0.7

# Test recordings: 4410 frames (0.1 s) each, mono, stereo with a silent right channel, and
# three channels, each channel its own tone.
sox -n -r 44100 -c 1 -C 0 "$testData/mono.ogg" synth 0.1 sine 440 gain -6
# The same at 48000 and 8000 Hz, for the rate conversion, and 12 s at 8000 Hz for the length
# limit.
sox -n -r 48000 -c 1 -C 0 "$testData/mono48k.ogg" synth 0.1 sine 440 gain -6
sox -n -r 8000 -c 1 -C 0 "$testData/mono8k.ogg" synth 0.1 sine 440 gain -6
sox -n -r 8000 -c 1 -C 0 "$testData/long8k.ogg" synth 12 sine 440 gain -6
sox -n -r 44100 -C 0 "$testData/stereo.ogg" synth 0.1 sine 440 sine 0 \
    remix 1 2v0 gain -6
sox -n -r 44100 -C 0 "$testData/three.ogg" synth 0.1 sine 440 sine 880 sine 1760 gain -6
