#!/usr/bin/env bash
# Runs every fuzz target for a bounded time on a copy of its seed corpus and fails on the
# first finding (a crash, a sanitizer report, a broken check, a hang over 10 s or more than
# 2 GB of memory). What a target finds is kept under BUILD/fuzz/hallazgos.
#
#   fuzz/ejecutar.sh BUILD [SECONDS] [TARGET...]
#
# The mutations follow a fixed seed (ALKOR_FUZZ_SEMILLA, 1), so that a run repeats what the
# last one tried and a finding is a change in the code, not luck; a campaign gives its own.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"
segundos="${2:-60}"
shift $(( $# >= 2 ? 2 : 1 ))
objetivos=("$@")
if [ ${#objetivos[@]} -eq 0 ]; then
    objetivos=(practica plantilla cabecera rtf fuentes ciclo equilibrio vapor)
fi
hallazgos="$build/fuzz/hallazgos"
mkdir -p "$hallazgos"
export LSAN_OPTIONS="suppressions=$raiz/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
for t in "${objetivos[@]}"; do
    corpus="$(mktemp -d)"
    cp "$raiz/fuzz/semillas/$t/"* "$corpus/"
    echo "== fuzz_$t: ${segundos} s"
    if ! "$build/fuzz/fuzz_$t" -max_total_time="$segundos" -timeout=10 -rss_limit_mb=2048 \
        -seed="${ALKOR_FUZZ_SEMILLA:-1}" \
        -print_final_stats=1 -artifact_prefix="$hallazgos/$t-" "$corpus" \
        > "$hallazgos/$t.log" 2>&1; then
        tail -n 60 "$hallazgos/$t.log"
        echo "fuzz_$t encontró un fallo: $hallazgos" >&2
        rm -rf "$corpus"
        exit 1
    fi
    grep -E "^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::new_units_added)" \
        "$hallazgos/$t.log" || true
    rm -rf "$corpus"
done
