#!/usr/bin/env bash
# Builds every libFuzzer target with clang and runs each, as many at once as
# there are cores (each fuzzer takes one), for a bounded time (FUZZ_SECONDS, 40 by default) on its corpus: the small
# self-made files and the inputs of earlier findings in fuzz/corpus/NAME, the
# generated seeds, and real files from Debian packages. Any finding (crash,
# sanitizer report, hang, leak, out of memory) fails the run; its input is
# kept in build-fuzz/findings/NAME.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-40}
build=build-fuzz
root=$PWD
jobs=$(nproc)

CC=clang CXX=clang++ cmake -S . -B "$build" -DTIKO_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j"$jobs" --target fuzz_png fuzz_jpeg fuzz_bmp fuzz_ini fuzz_wav \
  fuzz_settings fuzz_core fuzz_png_seed_files fuzz_jpeg_seed_files fuzz_bmp_seed_files > /dev/null

real="$build/fuzz-real"
rm -rf "$real" "$build/fuzz-run" "$build/findings"
mkdir -p "$real"/{png,jpeg,bmp,wav,ini,settings,core}

# Real pictures of the packages the decode comparison uses, the small ones.
# Files from several packages may share a name: each keeps its package's folder name.
n=0
while read -r file; do
  [[ -f $file && ! -L $file ]] || continue
  (($(stat -c %s "$file") <= 65536)) || continue
  n=$((n + 1))
  case "${file,,}" in
    *.png) cp "$file" "$real/png/$n-$(basename "$file")" ;;
    *.jpg | *.jpeg) cp "$file" "$real/jpeg/$n-$(basename "$file")" ;;
  esac
done < <(dpkg-query -L imagemagick-6-doc imagemagick-6.q16 libpng-dev)
# BMP in every form ImageMagick writes, from some of those pictures.
for file in $(ls "$real/png" | head -n 8); do
  for form in "BMP3:-type TrueColor" "BMP3:-type Palette" "BMP3:-type Palette -compress RLE" \
    "BMP3:-colors 16 -type Palette" "BMP3:-monochrome" "BMP2:-type Palette" \
    "BMP:-define bmp:subtype=RGB565" "BMP:-type TrueColorAlpha"; do
    format=${form%%:*}
    options=${form#*:}
    # shellcheck disable=SC2086
    convert "$real/png/$file" -alpha off $options "$format:$real/bmp/${file%.png}-$RANDOM.bmp" \
      2> /dev/null || true
  done
done
cp /usr/share/sounds/alsa/*.wav "$build"/bin/Sound/*.wav "$real/wav/"
cp assets/skin/Config.ini fuzz/ini/seeds/* "$real/ini/"
find tests/scripts -name '*.reg' -o -name '*.store' | while read -r f; do
  cp "$f" "$real/settings/$(echo "$f" | tr / _)"
done
find tests/scripts -name '*.tiko' | while read -r f; do cp "$f" "$real/core/$(echo "$f" | tr / _)"; done

failed=0
# Prints one line, or the log's end on a finding; fails on a finding.
run() {
  local name=$1 binary=$2
  shift 2
  local work="$build/fuzz-run/$name" findings="$build/findings/$name" log="$build/fuzz-run/$name.log"
  mkdir -p "$work" "$findings"
  local seeds=()
  for dir in "fuzz/corpus/$name" "$build/fuzz-seeds/$name" "$real/$name"; do
    if [[ -d $dir ]]; then seeds+=("$root/$dir"); fi
  done
  # Run in the findings folder, where libFuzzer writes the input of a finding.
  if (cd "$findings" && "$root/$build/fuzz/$name/$binary" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 "$@" "$root/$work" "${seeds[@]}") > "$log" 2>&1; then
    echo "$binary: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs in ${seconds} s, no finding"
  else
    echo "$binary: FINDING"
    tail -n 60 "$log"
    return 1
  fi
}
running=()
launch() {  # launch NAME BINARY ARGS...: in the background, waiting for a free core first
  if ((${#running[@]} >= jobs)); then
    wait "${running[0]}" || failed=1
    running=("${running[@]:1}")
  fi
  run "$@" &
  running+=($!)
}

launch png fuzz_png -malloc_limit_mb=512 -dict="$PWD/fuzz/png/png.dict"
launch jpeg fuzz_jpeg -malloc_limit_mb=512 -dict="$PWD/fuzz/jpeg/jpeg.dict"
launch bmp fuzz_bmp -malloc_limit_mb=512
launch ini fuzz_ini -dict="$PWD/fuzz/ini/ini.dict"
launch wav fuzz_wav -max_len=16384
launch settings fuzz_settings
launch core fuzz_core -dict="$PWD/fuzz/core/core.dict"
for pid in "${running[@]}"; do wait "$pid" || failed=1; done
exit "$failed"
