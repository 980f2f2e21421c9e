# Sourced by the fuzz scripts of the readers: compiling the core's sources once with the sanitizers,
# and running one libFuzzer target for a while.
#   top, out, CXX and flags must be set before the functions are called.

# Compiles each source (again only when it is newer than its object) and leaves the objects in `objects`.
fuzz_objects() {
  objects=()
  local src obj
  for src in "$@"; do
    obj="$out/obj/$(echo "${src#$top/}" | tr / _).o"
    if [[ ! -f "$obj" || "$src" -nt "$obj" ]]; then
      "$CXX" "${flags[@]}" -fsanitize=fuzzer-no-link -c "$src" -o "$obj"
    fi
    objects+=("$obj")
  done
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
