#!/usr/bin/env bash
# Wall time of the command-line program as a whole process, as a shell starts
# it: the median of many runs of `state`, next to /bin/true started the same
# way (what the machine spends on starting any process), and `table` over
# 10,000 rows of the saturation line and of an isobar.
# Usage: cli_bench.sh [PATH-TO-kviapws97] [RUNS]
#        cli_bench.sh --first-use: the README's first command (without its
#        apt-get, the Debian packages being present) on a fresh clone of this
#        repository's HEAD: its wall and CPU time and the load it ran under.
set -euo pipefail
if [[ ${1:-} == --first-use ]]; then
  source_dir=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
  clone=$(mktemp -d)
  trap 'rm -rf "$clone"' EXIT
  git clone --quiet "$source_dir" "$clone/kviapws97"
  first=$(grep -A1 -m1 '^# First use' "$clone/kviapws97/README.md" | tail -1)
  first=${first#apt-get*libcli11-dev && }
  echo "first command: $first"
  echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
  cd "$clone/kviapws97"
  TIMEFORMAT='wall %R s, CPU %U s user + %S s system'
  time (bash -c "$first" >"$clone/log" 2>&1 || { tail -20 "$clone/log"; exit 1; })
  echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg); demo printed $(grep -c ' K, ' "$clone/log") states"
  echo "compiled $(grep -c 'Building C' "$clone/log") source files, linked $(grep -c 'Linking' "$clone/log") targets"
  exit 0
fi
program=$(realpath "${1:-build/tools/kviapws97}")
runs=${2:-200}

# The median wall time, ms, of `runs` runs of a command.
median_ms() {
  local times=() t0 t1
  for ((i = 0; i < runs; ++i)); do
    t0=$EPOCHREALTIME
    "$@" >/dev/null
    t1=$EPOCHREALTIME
    times+=("$(((${t1/./} - ${t0/./})))")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "%.2f", a[int((NR + 1) / 2)] / 1000 }'
}

"$program" state --p 10bar --h 2800kJ/kg >/dev/null  # warm the caches
echo "state --p 10bar --h 2800kJ/kg:   $(median_ms "$program" state --p 10bar --h 2800kJ/kg) ms (median of $runs)"
echo "state --T 300C --h 2800kJ/kg:    $(median_ms "$program" state --T 300C --h 2800kJ/kg) ms (a searched pair)"
echo "/bin/true, for comparison:       $(median_ms /bin/true) ms"
runs=5
rows=$("$program" table --temperature 273.16 373.15 0.01 | wc -l)
echo "table, saturation, $((rows - 2)) rows:  $(median_ms "$program" table --temperature 273.16 373.15 0.01) ms (median of $runs)"
rows=$("$program" table --isobar 10bar --temperature 0.01C 99.99C 0.01C | wc -l)
echo "table, isobar, $((rows - 2)) rows:      $(median_ms "$program" table --isobar 10bar --temperature 0.01C 99.99C 0.01C) ms"
