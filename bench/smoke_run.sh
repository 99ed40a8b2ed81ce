#!/usr/bin/env bash
# smoke_run.sh PATTERN COMMAND...: runs a benchmark on a tiny size and passes when it exits 0
# and its output has a table row matching PATTERN (an extended regular expression). The figures
# of such a run mean nothing; what is checked is that the benchmark still builds, runs and
# measures.
set -u
pattern="$1"
shift
output="$("$@" 2>&1)"
status=$?
printf '%s\n' "$output"
if [ "$status" -ne 0 ]; then
    echo "smoke run failed: exit status $status" >&2
    exit 1
fi
if ! grep -Eq "$pattern" <<<"$output"; then
    echo "smoke run failed: no line matches $pattern" >&2
    exit 1
fi
