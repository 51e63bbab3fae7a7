#!/usr/bin/env bash
# Every example of the README gives the output shown. A ```console block holds
# commands ("$ kviapws97 ...") each followed by its output; they run in a
# scratch directory, with standard error after standard output. A file that
# an example writes and that the repository also keeps under docs/ must be
# the same as the kept one. With a third argument the examples run in that
# directory instead, and what they write stays there (the documentation's
# build draws its pictures so).
# Usage: check_readme.sh README.md PATH-TO-kviapws97 [DIRECTORY]
set -uo pipefail
readme=$1
program=$(realpath "$2")
docs=$(dirname "$readme")/docs
[[ -d $docs ]] || docs=$(dirname "$readme")  # a page under docs/
if (($# > 2)); then
  scratch=$3
else
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
fi
failures=0
examples=0

run_example() {
  [[ -z $command ]] && return
  examples=$((examples + 1))
  local got
  got=$(cd "$scratch" && bash -c "$command" kviapws97 2>&1; printf x)
  got=${got%x}
  got=${got//$'\r'/}  # CSV records end with CRLF; the README shows them as lines
  if [[ "$got" != "$expected" ]]; then
    failures=$((failures + 1))
    echo "FAIL: \$ $command"
    diff <(printf '%s' "$expected") <(printf '%s' "$got") | head -30
  fi
}

in_block=0
command=""
expected=""
while IFS= read -r line; do
  if ((in_block == 0)); then
    [[ $line == '```console' ]] && in_block=1
    continue
  fi
  if [[ $line == '```' ]]; then
    run_example
    in_block=0
    command=""
    continue
  fi
  if [[ $line == '$ '* ]]; then
    run_example
    command="\"$program\" ${line#\$ kviapws97 }"
    [[ $line == '$ kviapws97 '* ]] || command=${line#\$ }
    expected=""
  else
    expected+="$line"$'\n'
  fi
done <"$readme"

for file in "$scratch"/*; do
  [[ -f $file && -f $docs/$(basename "$file") ]] || continue
  if ! cmp -s "$file" "$docs/$(basename "$file")"; then
    failures=$((failures + 1))
    echo "FAIL: docs/$(basename "$file") differs from what the example writes"
  fi
done

echo "$examples examples, $failures failed"
((examples > 0 && failures == 0))
