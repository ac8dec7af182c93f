#!/bin/bash
# Compares every include of one src/ folder by another with the layer table of
# docs/architecture.md, the table the build links and includes by: prints each include the table
# does not allow, each folder without a row, and each cycle in the table. Fails when it finds any.
# A file counts as a view when its folder's CMakeLists.txt lists it (or the .cpp of its name)
# among the VIEWS; views may include the table's third column besides the second.
# Usage: check-layers.sh [SOURCE_DIR [TABLE_FILE]]   (default: src/ and docs/architecture.md)
set -euo pipefail
here="$(dirname "$0")"
src=${1:-"$here/../src"}
table=${2:-"$here/../docs/architecture.md"}
[ -d "$src" ] || { echo "check-layers: no folder $src" >&2; exit 2; }
[ -f "$table" ] || { echo "check-layers: no file $table" >&2; exit 2; }

# "folder code|views allowed..." for each row of the table.
rules=$(sed -nE 's/^\| `([a-z_]+)` \|([^|]*)\|([^|]*)\|$/\1|\2|\3/p' "$table" |
    awk -F'|' '{ gsub(/[`,]/, " ", $2); gsub(/[`,]/, " ", $3)
                 n = split($2, c, " "); code = ""; for (i = 1; i <= n; ++i) code = code " " c[i]
                 n = split($3, v, " "); views = ""; for (i = 1; i <= n; ++i) views = views " " v[i]
                 print $1 "|" code "|" views }')

# "folder kind target file:line" for every include of another folder.
includes=$(
    for dir in "$src"/*/; do
        folder=$(basename "$dir")
        views=" "
        if [ -f "$dir/CMakeLists.txt" ]; then
            views=" $(awk '/^[[:space:]]*VIEWS[[:space:]]*$/ { on = 1; next }
                           on && /^[[:space:]]*[A-Za-z0-9_]+\.cpp[[:space:]]*$/ { sub(/\.cpp/, ""); print $1; next }
                           { on = 0 }' "$dir/CMakeLists.txt" | tr '\n' ' ')"
        fi
        for file in "$dir"*.h "$dir"*.cpp "$dir"*.in; do
            [ -f "$file" ] || continue
            stem=$(basename "$file"); stem=${stem%%.*}
            kind=code
            case "$views" in *" $stem "*) kind=views ;; esac
            { grep -noE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][A-Za-z0-9_]+/' "$file" || true; } |
                sed -E 's/^([0-9]+):.*["<]([A-Za-z0-9_]+)\/$/\1 \2/' |
                while read -r line target; do
                    if [ "$target" != "$folder" ] && [ -d "$src/$target" ]; then
                        echo "$folder $kind $target ${file#"$src"/}:$line"
                    fi
                done
        done
    done
)
folders=$(for dir in "$src"/*/; do basename "$dir"; done)

{ printf '%s\n' "$rules" | sed 's/^/rule|/'; printf '%s\n' "$folders" | sed 's/^/folder|/'
  printf '%s\n' "$includes" | sed 's/^/include|/'; } | awk -F'|' '
    $1 == "rule" { has_row[$2] = 1; code[$2] = $3 " "; views[$2] = $3 " " $4 " "
                   out[$2] = $3 " " $4; next }
    $1 == "folder" && $2 != "" { if (!($2 in has_row)) { print "no row in the table: " $2; bad++ } next }
    $1 == "include" && $2 != "" {
        split($2, f, " ")    # folder kind target place
        allowed = (f[2] == "views") ? views[f[1]] : code[f[1]]
        if (index(" " allowed, " " f[3] " ") == 0) {
            print "not allowed: " f[4] " (" f[1] (f[2] == "views" ? " views" : "") ") includes " f[3]
            bad++
        }
        next
    }
    # Depth-first search over the table; a folder met again while on the path closes a cycle.
    function visit(node, path,    n, i, next_nodes) {
        state[node] = 1
        n = split(out[node], next_nodes, " ")
        for (i = 1; i <= n; ++i) {
            if (state[next_nodes[i]] == 1) {
                print "cycle in the table: " path node " -> " next_nodes[i]
                bad++
            } else if (state[next_nodes[i]] == 0) {
                visit(next_nodes[i], path node " -> ")
            }
        }
        state[node] = 2
    }
    END {
        for (node in has_row) if (state[node] == 0) visit(node, "")
        if (bad > 0) { print bad " finding(s)"; exit 1 }
        print "every include follows the layer table; the table has no cycles"
    }'
