# Sourced by scripts/fuzz-smoke.sh and scripts/fuzz-all.sh: builds every fuzzer with clang (ASan,
# UBSan, libFuzzer) into build-fuzz, and prepares a fuzzer's corpus.
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPELKO_BUILD_FUZZERS=ON -DPELKO_BUILD_EDITOR=OFF -DPELKO_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target fuzzers -j "$(nproc)"

# prepare_corpus FUZZER: sets name, corpus (kept in build-fuzz/corpus, filled by the fuzzer's
# seed program when it has one) and seeds (fuzz/seeds/<name>, or empty).
prepare_corpus() {
  name=$(basename "$1")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  seeds="fuzz/seeds/$name"
  [ -d "$seeds" ] || seeds=""
  local seeder="$build/fuzz/${name%_fuzzer}_seed_corpus"
  if [ -x "$seeder" ]; then "$seeder" "$corpus" >/dev/null; fi
}
