#!/usr/bin/env bash
# Checks what the compiler does not: every source file is formatted with the repository's
# .clang-format, and every #include respects the layers (each folder uses only the rows above
# it; the model uses nothing but the standard library). Run from anywhere; exits non-zero with
# the offending files listed.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
cd "$raiz"
fallos=0

# Layers, bottom to top, and which project folders each may include.
declare -A permitidas=(
    [model]="model"
    [equipment]="model equipment"
    [document]="model equipment document"
    [bench]="model equipment document bench"
    [app]="model equipment document bench app"
    [tools]="model equipment document tools"
)

# The model's own standard-library-only rule: no angle include outside the C++ library
# (a Qt or system header there would tie the chemistry to a toolkit).
estandar='^(algorithm|array|atomic|bit|cassert|cctype|cerrno|cfloat|charconv|chrono|climits|cmath|compare|concepts|cstddef|cstdint|cstdio|cstdlib|cstring|deque|exception|filesystem|fstream|functional|initializer_list|iomanip|ios|iosfwd|iostream|istream|iterator|limits|list|locale|map|memory|mutex|new|numbers|numeric|optional|ostream|queue|random|ranges|ratio|set|span|sstream|stack|stdexcept|string|string_view|system_error|tuple|type_traits|typeinfo|unordered_map|unordered_set|utility|variant|vector)$'

while IFS= read -r f; do
    capa="${f%%/*}"
    [ -n "${permitidas[$capa]+x}" ] || continue
    while IFS= read -r linea; do
        destino="$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"$linea")"
        carpeta="${destino%%/*}"
        if [ "$carpeta" = "$destino" ]; then
            # A bare name is only allowed for generated files (moc, ui) beside the source.
            case "$destino" in *.moc | moc_* | ui_*) continue ;; esac
            echo "$f: incluye \"$destino\" sin su carpeta" >&2
            fallos=1
            continue
        fi
        if [[ " ${permitidas[$capa]} " != *" $carpeta "* ]]; then
            echo "$f: la capa $capa no puede incluir \"$destino\"" >&2
            fallos=1
        fi
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$f" || true)
    if [ "$capa" = model ]; then
        while IFS= read -r cab; do
            if ! [[ "$cab" =~ $estandar ]]; then
                echo "$f: el modelo incluye <$cab>, que no es de la biblioteca estándar" >&2
                fallos=1
            fi
        done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*<' "$f" |
            sed -E 's/.*<([^>]+)>.*/\1/' || true)
    fi
done < <(git ls-files '*.cpp' '*.h')

# Formatting: clang-format's own verdict, file by file.
formato="$(command -v clang-format || true)"
if [ -z "$formato" ]; then
    echo "Falta clang-format (paquete clang-format)." >&2
    exit 1
fi
while IFS= read -r f; do
    if ! "$formato" --dry-run -Werror "$f" >/dev/null 2>&1; then
        echo "$f: no sigue .clang-format (clang-format -i $f)" >&2
        fallos=1
    fi
done < <(git ls-files '*.cpp' '*.h')

exit "$fallos"
