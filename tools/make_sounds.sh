#!/usr/bin/env bash
# Synthesises the fight music and the two strike effects into data/ with sox and oggenc.
#
# Usage: tools/make_sounds.sh [output-dir]   (default: data/ next to this script)
# Needs: sox, oggenc (vorbis-tools). Same script, same files: sox runs in its
# repeatable mode (-R) so noise and dither are seeded, and the Ogg stream has a
# fixed serial number.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../data}
mkdir -p "$out"
out=$(cd "$out" && pwd)
for tool in sox oggenc; do
  command -v "$tool" >/dev/null || { echo "make_sounds: '$tool' is missing (tools/asset-packages.txt lists it)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

RATE=22050
# 126 bpm makes a sixteenth exactly 2625 samples at 22050 Hz, so every note
# starts on a whole sample and sixteen bars loop without drift.
STEP=2625
BARS=16
LOOP=$((STEP * 16 * BARS))

# Working files are mono 32-bit float so that mixing never clips on the way.
FLOAT=(-r "$RATE" -c 1 -b 32 -e floating-point)
SOX=(sox -R -V1)
# The null input sets the rate that synth works at, so it is given one.
SILENCE=(-r "$RATE" -c 1 -n)

# Semitones from A4 of a note name such as A2, C#5 or Bb3.
semitones() {
  local name=$1 letter=${1:0:1} rest=${1:1} base shift=0
  case $letter in
    C) base=-9 ;; D) base=-7 ;; E) base=-5 ;; F) base=-4 ;; G) base=-2 ;; A) base=0 ;; B) base=2 ;;
    *) echo "make_sounds: bad note '$name'" >&2; exit 1 ;;
  esac
  case $rest in
    \#*) shift=1; rest=${rest:1} ;;
    b*) shift=-1; rest=${rest:1} ;;
  esac
  echo $((base + shift + (rest - 4) * 12))
}

# Cuts or pads a sound to exactly $3 samples, with a short fade so a cut never clicks.
fit() {
  "${SOX[@]}" "$1" "$2" pad 0 "$(($3 + 1))s" trim 0 "$3s" fade t 0 "$3s" 0.004
}

# --- instruments: each writes one note of exactly N samples -----------------

instrument_bass() { # out, semitones, samples
  local p=$2 sub=$(($2 - 12))
  "${SOX[@]}" "${SILENCE[@]}" "${FLOAT[@]}" "$work/raw.wav" \
    synth "$3s" sawtooth "%$p" synth "$3s" sine mix "%$sub" \
    lowpass 700 overdrive 8 gain -n -3 fade h 0.004 "$3s" 0.05
  fit "$work/raw.wav" "$1" "$3"
}

instrument_lead() {
  local oct=$(($2 + 12))
  "${SOX[@]}" "${SILENCE[@]}" "${FLOAT[@]}" "$work/raw.wav" \
    synth "$3s" square "%$2" 0 0 30 synth "$3s" sawtooth mix "%$oct" \
    lowpass 2800 gain -n -3 fade h 0.006 "$3s" 0.06
  fit "$work/raw.wav" "$1" "$3"
}

instrument_arp() { # sox plucks only at 44.1 kHz and up; the output rate brings it down
  "${SOX[@]}" -r 44100 -c 1 -n "${FLOAT[@]}" "$work/raw.wav" \
    synth 0.2 pluck "%$2" 0 0 60 lowpass 3500 gain -n -3 fade l 0.002 0.2 0.18
  fit "$work/raw.wav" "$1" "$3"
}

# A chord: three detuned sawtooth pairs, softened, swelling in and out over its bar.
instrument_pad() { # out, "a b c" semitones, samples
  local tones=() s
  for s in $2; do
    tones+=(sawtooth "%$s" sawtooth "%$s.12")
  done
  "${SOX[@]}" -r "$RATE" -c 6 -n "${FLOAT[@]}" "$work/raw.wav" \
    synth "$3s" "${tones[@]}" remix - lowpass 1400 lowpass 2400 gain -n -3 fade h 0.08 "$3s" 0.25
  fit "$work/raw.wav" "$1" "$3"
}

# --- drum hits: one long hit per kind, cut to the gap before the next hit ----

make_drums() {
  # kick: a pitch drop from 150 Hz to 42 Hz with a fast fall, plus a click
  "${SOX[@]}" "${SILENCE[@]}" "${FLOAT[@]}" "$work/kick_body.wav" synth 0.45 sine 150/42 fade l 0 0.45 0.44
  "${SOX[@]}" "${SILENCE[@]}" "${FLOAT[@]}" "$work/kick_click.wav" synth 0.012 square 900 lowpass 3000 fade t 0 0.012 0.012 pad 0 0.438
  "${SOX[@]}" -m -v 1 "$work/kick_body.wav" -v 0.25 "$work/kick_click.wav" "$work/hit_k.wav" gain -n -1
  # snare: a 190 Hz body under a bright noise crack
  "${SOX[@]}" "${SILENCE[@]}" "${FLOAT[@]}" "$work/snare_body.wav" synth 0.12 sine 200/160 fade l 0 0.12 0.11 pad 0 0.18
  "${SOX[@]}" "${SILENCE[@]}" "${FLOAT[@]}" "$work/snare_noise.wav" synth 0.3 whitenoise highpass 1500 lowpass 9000 fade l 0 0.3 0.29
  "${SOX[@]}" -m -v 0.7 "$work/snare_body.wav" -v 0.8 "$work/snare_noise.wav" "$work/hit_s.wav" gain -n -1
  # hats: closed (short) and open (longer), high-passed noise
  "${SOX[@]}" "${SILENCE[@]}" "${FLOAT[@]}" "$work/hit_h.wav" synth 0.05 whitenoise highpass 7000 fade l 0 0.05 0.048 gain -n -1
  "${SOX[@]}" "${SILENCE[@]}" "${FLOAT[@]}" "$work/hit_o.wav" synth 0.3 whitenoise highpass 6000 fade l 0 0.3 0.29 gain -n -1
  # crash: long bright wash
  "${SOX[@]}" "${SILENCE[@]}" "${FLOAT[@]}" "$work/hit_c.wav" synth 2.0 whitenoise highpass 4000 lowpass 11000 fade l 0.002 2.0 1.98 gain -n -1
}

# --- sequencing --------------------------------------------------------------

# Writes a track of melodic notes. Tokens: NOTE:LEN or -:LEN (rest), LEN in sixteenths;
# a pad token is "A3,C4,E4:16".
sequence_notes() { # instrument, out, tokens...
  local inst=$1 dst=$2 tok name len n key file files=() s tones
  shift 2
  for tok in "$@"; do
    name=${tok%%:*} len=${tok##*:} n=$((len * STEP))
    if [ "$name" = - ]; then
      file=$work/rest_$n.wav
      [ -e "$file" ] || "${SOX[@]}" "${SILENCE[@]}" "${FLOAT[@]}" "$file" trim 0 "${n}s"
    else
      tones=""
      for s in ${name//,/ }; do tones+=" $(semitones "$s")"; done
      key=${name//#/s}; key=${key//,/_}
      file=$work/${inst}_${key}_$n.wav
      [ -e "$file" ] || "instrument_$inst" "$file" "${tones# }" "$n"
    fi
    files+=("$file")
  done
  check_length "$dst" "${#files[@]}" "$@"
  "${SOX[@]}" "${files[@]}" "$dst"
}

# Writes a drum lane from one grid string per bar: a letter is a hit of that
# kind (k kick, s snare, h closed hat, o open hat, c crash), '.' is nothing.
sequence_drums() { # out, bar grids...
  local dst=$1 grid="" i c start=-1 kind="" files=() len n file
  shift
  grid=$(printf '%s' "$@")
  [ ${#grid} -eq $((16 * BARS)) ] || { echo "make_sounds: drum lane $dst is ${#grid} steps, not $((16 * BARS))" >&2; exit 1; }
  emit() { # the sound from step $start (or silence before the first hit) up to step $1
    len=$(($1 - start)) n=$((len * STEP))
    if [ -z "$kind" ]; then
      file=$work/rest_$n.wav
      [ -e "$file" ] || "${SOX[@]}" "${SILENCE[@]}" "${FLOAT[@]}" "$file" trim 0 "${n}s"
    else
      file=$work/cut_${kind}_$n.wav
      [ -e "$file" ] || fit "$work/hit_$kind.wav" "$file" "$n"
    fi
    files+=("$file")
  }
  start=0
  for ((i = 0; i < ${#grid}; i++)); do
    c=${grid:i:1}
    [ "$c" = . ] && continue
    [ "$i" -gt "$start" ] && emit "$i"
    start=$i kind=$c
  done
  emit "${#grid}"
  "${SOX[@]}" "${files[@]}" "$dst"
}

check_length() { # out, count, tokens...: the tokens of a track must fill the loop exactly
  local dst=$1 total=0 tok
  shift 2
  for tok in "$@"; do total=$((total + ${tok##*:})); done
  [ "$total" -eq $((16 * BARS)) ] || { echo "make_sounds: track $dst is $total sixteenths, not $((16 * BARS))" >&2; exit 1; }
}

# Places a mono track in the stereo field and runs its effects. The track is
# played twice and the second pass kept, so echoes and reverb that spill past the
# end come round into the start and the loop joins without a seam.
place() { # in, out, sox effects...
  local src=$1 dst=$2
  shift 2
  "${SOX[@]}" "$src" "$src" -r "$RATE" -c 2 -b 32 -e floating-point "$dst" "$@" trim "${LOOP}s" "${LOOP}s"
}

# --- the fight theme: A minor, 16 bars ---------------------------------------

make_music() {
  local bass=() arp=() r chord
  # bars 1-8: Am F C G twice; bars 9-16: F G Em Am, F G C E (E leads back to Am)
  local roots=(A2 F2 C3 G2 A2 F2 C3 G2 F2 G2 E2 A2 F2 G2 C3 E2)
  local chords=(A3,C4,E4 F3,A3,C4 G3,C4,E4 G3,B3,D4 A3,C4,E4 F3,A3,C4 G3,C4,E4 G3,B3,D4
                F3,A3,C4 G3,B3,D4 G3,B3,E4 A3,C4,E4 F3,A3,C4 G3,B3,D4 G3,C4,E4 G#3,B3,E4)
  local arps=("A4 C5 E5 A5" "F4 A4 C5 F5" "G4 C5 E5 G5" "G4 B4 D5 G5" "A4 C5 E5 A5" "F4 A4 C5 F5" "G4 C5 E5 G5" "G4 B4 D5 G5"
              "F4 A4 C5 F5" "G4 B4 D5 G5" "E4 G4 B4 E5" "A4 C5 E5 A5" "F4 A4 C5 F5" "G4 B4 D5 G5" "G4 C5 E5 G5" "E4 G#4 B4 E5")
  local octave fifth a b c d
  for ((i = 0; i < BARS; i++)); do
    r=${roots[i]}
    octave=${r:0:-1}$((${r: -1} + 1))
    bass+=("$r:2" "$r:2" "$octave:2" "$r:2" "$r:2" "$r:2" "$octave:2" "$r:1" "$r:1")
    chord=${chords[i]}
    read -r a b c d <<<"${arps[i]}"
    arp+=("$a:1" "$b:1" "$c:1" "$d:1" "$c:1" "$b:1" "$a:1" "$b:1" "$c:1" "$d:1" "$c:1" "$b:1" "$a:1" "$c:1" "$d:1" "$c:1")
  done
  local pads=()
  for chord in "${chords[@]}"; do pads+=("$chord:16"); done

  local lead=(
    E5:3 D5:1 C5:2 A4:2 -:2 A4:2 C5:2 D5:2
    C5:4 A4:2 F4:2 -:2 F4:2 A4:2 C5:2
    G4:2 C5:2 E5:2 G5:4 E5:2 D5:2 C5:2
    D5:6 B4:2 G4:4 -:4
    E5:3 D5:1 C5:2 A4:2 -:2 A4:2 E5:2 G5:2
    A5:4 G5:2 F5:2 -:2 F5:2 E5:2 C5:2
    E5:2 G5:2 E5:2 C5:2 G4:2 C5:2 E5:4
    D5:8 -:4 B4:2 D5:2
    A5:6 G5:2 F5:4 E5:4
    D5:6 E5:2 G5:4 D5:4
    E5:6 G5:2 B5:4 G5:4
    A5:8 -:4 E5:2 G5:2
    A5:6 G5:2 F5:4 C5:4
    D5:6 E5:2 G5:4 B5:4
    C6:4 B5:2 G5:2 E5:4 G5:4
    G#5:6 E5:2 B4:4 -:4
  )

  local kicks=() snares=() hats=() crash=()
  for ((i = 1; i <= BARS; i++)); do
    case $i in 8) kicks+=(k...k...k...k.k.) ;; 16) kicks+=(k...k...k.k.k.k.) ;; *) kicks+=(k...k...k...k...) ;; esac
    case $i in 8) snares+=(....s.......s.ss) ;; 16) snares+=(....s...s.s.ssss) ;; *) snares+=(....s.......s...) ;; esac
    if [ "$i" -le 8 ]; then hats+=(..h...h...h...o.); else hats+=(h.h.h.hhh.h.h.o.); fi
    case $i in 1 | 9) crash+=(c...............) ;; *) crash+=(................) ;; esac
  done

  make_drums
  sequence_drums "$work/t_kick.wav" "${kicks[@]}"
  sequence_drums "$work/t_snare.wav" "${snares[@]}"
  sequence_drums "$work/t_hats.wav" "${hats[@]}"
  sequence_drums "$work/t_crash.wav" "${crash[@]}"
  sequence_notes bass "$work/t_bass.wav" "${bass[@]}"
  sequence_notes pad "$work/t_pad.wav" "${pads[@]}"
  sequence_notes lead "$work/t_lead.wav" "${lead[@]}"
  sequence_notes arp "$work/t_arp.wav" "${arp[@]}"

  # dotted-eighth echo on the lead; the pad is widened by a 15 ms offset between ears
  local dotted=$((STEP * 3))
  place "$work/t_kick.wav" "$work/s_kick.wav" remix 1 1
  place "$work/t_snare.wav" "$work/s_snare.wav" remix 1v0.9 1v0.8 reverb 30 50 40
  place "$work/t_hats.wav" "$work/s_hats.wav" remix 1v0.6 1v0.9
  place "$work/t_crash.wav" "$work/s_crash.wav" remix 1v0.8 1v0.7
  place "$work/t_bass.wav" "$work/s_bass.wav" remix 1 1
  place "$work/t_pad.wav" "$work/s_pad.wav" remix 1 1 delay 0 0.015 reverb 50 50 80
  place "$work/t_lead.wav" "$work/s_lead.wav" remix 1v0.9 1v0.7 echo 0.8 0.8 "$((dotted * 1000 / RATE))" 0.3 reverb 25 50 50
  place "$work/t_arp.wav" "$work/s_arp.wav" remix 1v0.5 1v0.9 reverb 30 50 50

  "${SOX[@]}" -m \
    -v 0.80 "$work/s_kick.wav" -v 0.65 "$work/s_snare.wav" -v 0.22 "$work/s_hats.wav" -v 0.15 "$work/s_crash.wav" \
    -v 0.38 "$work/s_bass.wav" -v 0.30 "$work/s_pad.wav" -v 0.45 "$work/s_lead.wav" -v 0.16 "$work/s_arp.wav" \
    "$work/mix.wav" highpass 25
  # The game adds the effects on top of the music: the music peaks at -3 dB and the effects at
  # -4 dB, so that a punch and a head punch over the loudest bar still do not clip.
  "${SOX[@]}" "$work/mix.wav" "$work/mix.wav" -b 16 "$work/music.wav" \
    compand 0.005,0.15 6:-40,-30,-12,-10,0,-6 -4 gain -n -3 trim "${LOOP}s" "${LOOP}s"
  oggenc --quiet --serial 1 -q 3 -o "$out/music.ogg" "$work/music.wav"
}

# --- effects -----------------------------------------------------------------

# The wav files are what the game opens its audio device with: 22050 Hz, 16-bit, stereo.
to_game_wav() { # in, out
  "${SOX[@]}" "$1" -r "$RATE" -b 16 -e signed-integer -c 2 "$2" gain -n -4
}

# A heavy hit: a sub boom falling from 90 to 30 Hz, a low noise burst and a crackle.
make_explosion() {
  "${SOX[@]}" "${SILENCE[@]}" "${FLOAT[@]}" "$work/boom.wav" synth 0.6 sine 90/30 overdrive 10 fade l 0.003 0.6 0.57
  "${SOX[@]}" "${SILENCE[@]}" "${FLOAT[@]}" "$work/rumble.wav" synth 0.6 brownnoise lowpass 400 fade l 0.002 0.6 0.58 gain -n -2
  "${SOX[@]}" "${SILENCE[@]}" "${FLOAT[@]}" "$work/crack.wav" synth 0.18 whitenoise highpass 800 fade l 0.001 0.18 0.17 pad 0 0.42
  "${SOX[@]}" -m -v 0.9 "$work/boom.wav" -v 0.7 "$work/rumble.wav" -v 0.45 "$work/crack.wav" "$work/explosion.wav" \
    remix 1 1 reverb 30 60 60 trim 0 0.6 fade t 0 0.6 0.05
  to_game_wav "$work/explosion.wav" "$out/explosion.wav"
}

# A punch: a short low thump with a slap of bright noise on top.
make_punch() {
  "${SOX[@]}" "${SILENCE[@]}" "${FLOAT[@]}" "$work/thump.wav" synth 0.25 sine 140/55 fade l 0.002 0.25 0.23
  "${SOX[@]}" "${SILENCE[@]}" "${FLOAT[@]}" "$work/slap.wav" synth 0.035 whitenoise highpass 1800 lowpass 7000 fade l 0.0005 0.035 0.033 pad 0 0.215
  "${SOX[@]}" -m -v 1.0 "$work/thump.wav" -v 0.6 "$work/slap.wav" "$work/punch.wav" remix 1 1 fade t 0 0.25 0.03
  to_game_wav "$work/punch.wav" "$out/sound.wav"
}

make_music
make_explosion
make_punch
echo "make_sounds: wrote music.ogg, explosion.wav and sound.wav in $out"
