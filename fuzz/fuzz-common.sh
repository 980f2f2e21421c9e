# Sourced by the fuzz scripts of the readers: compiling the core's sources once with the sanitizers,
# making the first corpus, and running each libFuzzer target for a while.
#   top must be set before this file is sourced; a script then calls fuzz_setup first.

# fuzz_setup NAME DEFAULT_SECONDS [SECONDS] [TARGET...]: sets out (fuzz/out/NAME), seconds, names
# (the targets asked for, else every key of the associative array `targets`, which maps a target's
# name to its source), CXX and flags.
fuzz_setup() {
  local name=$1
  seconds=${3:-$2}
  names=("${@:4}")
  if [[ ${#names[@]} -eq 0 ]]; then mapfile -t names < <(printf '%s\n' "${!targets[@]}" | sort); fi
  out="$top/fuzz/out/$name"
  mkdir -p "$out/obj"
  CXX=${CXX:-clang++}
  flags=(-std=c++20 -g -O1 -fno-omit-frame-pointer -I"$top/src" -I"$top/tests" -I"$top/fuzz/$name"
         -fsanitize=address,undefined -fno-sanitize-recover=all)
}

# Compiles each source (again only when it is newer than its object), two at a time, and leaves the
# objects in the archive "$out/core.a", so that a target links only what it uses.
fuzz_objects() {
  local src obj
  local -a objects=()
  for src in "$@"; do
    obj="$out/obj/$(echo "${src#$top/}" | tr / _).o"
    if [[ ! -f "$obj" || "$src" -nt "$obj" ]]; then echo "$src $obj"; fi
  done | xargs -r -P2 -n2 sh -c "$CXX ${flags[*]} -fsanitize=fuzzer-no-link -c \"\$0\" -o \"\$1\""
  for src in "$@"; do objects+=("$out/obj/$(echo "${src#$top/}" | tr / _).o"); done
  rm -f "$out/core.a"
  ar rcs "$out/core.a" "${objects[@]}"
}

# fuzz_seeds MAKER.cpp: makes the corpus folders of the targets asked for and runs the seed maker,
# which writes the program's own files into them.
fuzz_seeds() {
  local name
  for name in "${names[@]}"; do mkdir -p "$out/corpus/$name" "$out/crashes/$name"; done
  "$CXX" "${flags[@]}" "$1" "$out/core.a" -ldl -o "$out/make-seeds"
  "$out/make-seeds" "$out/corpus"
}

# fuzz_run NAME SECONDS: runs $out/fuzz_NAME on $out/corpus/NAME; a fault leaves its input in
# $out/crashes/NAME/ and makes the call fail.
fuzz_run() {
  local name=$1 seconds=$2 status=0
  echo "== $name: ${seconds}s"
  if ! "$out/fuzz_$name" "$out/corpus/$name" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
       -artifact_prefix="$out/crashes/$name/" -print_final_stats=1 2>"$out/$name.log"; then
    echo "!! $name found a fault; see $out/$name.log and $out/crashes/$name/"
    status=1
  fi
  grep -E "^stat::number_of_executed_units|^#[0-9]+.*DONE" "$out/$name.log" | tail -2 || true
  return $status
}

# fuzz_targets DIR: links each target asked for from its source in DIR and runs it; fails when any of
# them found a fault.
fuzz_targets() {
  local name status=0
  for name in "${names[@]}"; do
    mkdir -p "$out/corpus/$name" "$out/crashes/$name"
    "$CXX" "${flags[@]}" -fsanitize=fuzzer "$1/${targets[$name]}" "$out/core.a" -ldl -o "$out/fuzz_$name"
    fuzz_run "$name" "$seconds" || status=1
  done
  return $status
}
