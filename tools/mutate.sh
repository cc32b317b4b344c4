#!/bin/sh
# Mutation check of the suite: applies each mutation of a list alone, rebuilds the test programs
# named on its line, runs them and prints the tests that fail. Every file is restored afterwards.
# A line of the list: file ~ sed expression ~ test programs.
# Usage: tools/mutate.sh BUILD_DIR [LIST]   (LIST defaults to tools/mutations.txt)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
list=${2:-$root/tools/mutations.txt}
grep -v '^#' "$list" | grep -v '^ *$' | while IFS='~' read -r file expression programs; do
    file=$(printf '%s' "$file" | xargs)
    expression=$(printf '%s' "$expression" | sed 's/^ *//; s/ *$//')
    cp -p "$root/$file" "$root/$file.orig"
    sed -i "$expression" "$root/$file"
    caught=""
    if cmp -s "$root/$file" "$root/$file.orig"; then
        caught="NOT APPLIED"
    elif ! cmake --build "$build" --target $programs -j2 >/dev/null 2>&1; then
        caught="(does not compile)"
    else
        for program in $programs; do
            output=$(timeout 900 "$build/$program" --gtest_brief=1 2>&1)
            status=$?
            failed=$(echo "$output" | sed -n 's/^\[  FAILED  \] \([A-Za-z0-9_/.]*\).*/\1/p' | sort -u | tr '\n' ' ')
            if [ -z "$failed" ] && [ "$status" -ne 0 ]; then
                failed="$program:exit-$status "
            fi
            caught="$caught$failed"
        done
    fi
    mv "$root/$file.orig" "$root/$file"
    touch "$root/$file"
    echo "$file | $expression | ${caught:-NOT CAUGHT}"
done
