#!/bin/bash
# Fails when a folder under the source tree includes, directly or through other folders, a
# folder that includes it back. Prints the folder graph it found, then each cycle.
# Usage: check-layers.sh [SOURCE_DIR]   (default: src/ next to this script)
set -euo pipefail
src=${1:-"$(dirname "$0")/../src"}
[ -d "$src" ] || { echo "check-layers: no folder $src" >&2; exit 2; }

edges=$(
    for dir in "$src"/*/; do
        from=$(basename "$dir")
        { grep -rhoE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][A-Za-z0-9_]+/' "$dir" \
              --include='*.h' --include='*.cpp' --include='*.in' || true; } |
            sed -E 's/.*["<]([A-Za-z0-9_]+)\/$/\1/' | sort -u |
            while read -r to; do
                if [ "$to" != "$from" ] && [ -d "$src/$to" ]; then echo "$from $to"; fi
            done
    done
)

printf '%s\n' "$edges" | awk '
    NF == 2 { out[$1] = out[$1] " " $2; nodes[$1] = 1; nodes[$2] = 1 }
    # Depth-first search; a folder met again while still on the path closes a cycle.
    function visit(node, path,    n, i, next_nodes) {
        state[node] = 1
        n = split(out[node], next_nodes, " ")
        for (i = 1; i <= n; ++i) {
            if (state[next_nodes[i]] == 1) {
                print "cycle: " cycle_from(path " " node, next_nodes[i]) " -> " next_nodes[i]
                cycles++
            } else if (state[next_nodes[i]] == 0) {
                visit(next_nodes[i], path " " node)
            }
        }
        state[node] = 2
    }
    function cycle_from(path, start,    n, i, parts, text, on) {
        n = split(path, parts, " ")
        for (i = 1; i <= n; ++i) {
            if (parts[i] == start) on = 1
            if (on) text = text (text == "" ? "" : " -> ") parts[i]
        }
        return text
    }
    END {
        for (node in nodes) print node " ->" out[node]
        for (node in nodes) if (state[node] == 0) visit(node, "")
        if (cycles > 0) { print cycles " folder cycle(s)"; exit 1 }
        print "no folder cycles"
    }'
