#!/usr/bin/env bash
# Every example of the README gives the output shown. A ```console block holds
# commands ("$ kviapws97 ...") each followed by its output; they run in a
# scratch directory, with standard error after standard output. (The
# pictures an example writes are checked by the chart tests, by what they
# show, not byte for byte against docs/.) A ```sh block after the line
# "<!-- check_readme: run -->" runs as written, in a scratch directory where
# `build` is the build tree and main.c the README's C program (its ```c block
# with main); a command with a trailing "# text" must print text last.
# With a fourth argument the examples run in that directory instead, and what
# they write stays there (the documentation's build draws its pictures so).
# Usage: check_readme.sh README.md PATH-TO-kviapws97 [BUILD-DIR [DIRECTORY]]
set -uo pipefail
readme=$1
program=$(realpath "$2")
build=$(realpath "${3:-$(dirname "$program")/..}")
if (($# > 3)); then
  scratch=$4
  mkdir -p "$scratch"
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

# A ```sh block marked to run: each command as written; one with a trailing
# "# text" must print text as its last line.
run_block() {
  examples=$((examples + 1))
  local dir="$scratch/sh$examples" script="" got
  mkdir -p "$dir" && ln -s "$build" "$dir/build" && printf '%s\n' "$c_program" >"$dir/main.c"
  while IFS= read -r l; do
    [[ -z $l ]] && continue
    if [[ $l =~ ^(.*[^[:space:]])[[:space:]]+#[[:space:]]+(.*)$ && ${l:0:1} != '#' ]]; then
      script+="got=\$(${BASH_REMATCH[1]}) || exit 1; [[ \${got##*\$'\\n'} == $(printf '%q' "${BASH_REMATCH[2]}") ]] || { echo \"printed \$got\"; exit 1; }"$'\n'
    else
      script+="$l || exit 1"$'\n'
    fi
  done <<<"$block"
  if [[ $block == *build/python/module* && ! -d $build/python/module ]]; then
    return  # the Python module was not built
  fi
  if [[ -n ${KVIAPWS97_SANITIZED:-} ]]; then
    return  # a sanitizer build: a plain compiler or interpreter cannot load what it built
  fi
  if ! got=$(cd "$dir" && bash -c "$script" 2>&1); then
    failures=$((failures + 1))
    printf 'FAIL: %s\n%s\n' "$block" "$got" | head -30
  fi
}

# The README's C program, for the blocks that build it.
c_program=$(awk '/^```c$/ { on = 1; text = ""; next } on && /^```$/ { on = 0; if (text ~ /int main\(/) { printf "%s", text; exit } }
                 on { text = text $0 "\n" }' "$readme")

in_block=0
command=""
expected=""
marked=0
block=""
while IFS= read -r line; do
  if ((in_block == 2)); then
    if [[ $line == '```' ]]; then
      run_block
      in_block=0
    else
      block+="$line"$'\n'
    fi
    continue
  fi
  if ((in_block == 0)); then
    [[ $line == '```console' ]] && in_block=1
    [[ $line == '```sh' ]] && ((marked)) && in_block=2 && block=""
    [[ $line == '<!-- check_readme: run -->' ]] && marked=1 || marked=0
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

echo "$examples examples, $failures failed"
((examples > 0 && failures == 0))
