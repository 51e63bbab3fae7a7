#!/usr/bin/env bash
# The command-line program as a user meets it: every subcommand's help, the
# exit status and the one-line error of a bad argument, a failed property
# shown as a failure, never as the host's missing value.
# Usage: check_cli.sh PATH-TO-kviapws97
set -uo pipefail
program=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# status | arguments | what standard output must contain (grep -E; empty: anything)
while IFS='|' read -r status args pattern; do
  status=${status// /}
  [[ -z $status || $status == \#* ]] && continue
  read -r -a words <<<"$args"
  args="${words[*]}"
  pattern=$(echo "$pattern" | sed -e 's/^ *//' -e 's/ *$//')
  (cd "$scratch" && "$program" "${words[@]}") >"$scratch/out" 2>"$scratch/err"
  got=$?
  problem=""
  if [[ $got != "$status" ]]; then
    problem="exit status $got, expected $status"
  elif [[ $status == 2 && ( $(wc -l <"$scratch/err") != 1 || -s $scratch/out ) ]]; then
    problem="a bad argument must give one line on standard error and nothing on standard output"
  elif [[ -n $pattern ]] && ! grep -qE -- "$pattern" "$scratch/out"; then
    problem="standard output lacks /$pattern/"
  elif grep -qiE -- '-1(\.0*)?e\+?35' "$scratch/out"; then
    problem="the missing value printed as a number"
  fi
  if [[ -n $problem ]]; then
    failures=$((failures + 1))
    echo "FAIL: kviapws97 $args: $problem"
    sed 's/^/  out: /' "$scratch/out" | head -20
    sed 's/^/  err: /' "$scratch/err" | head -5
  fi
done <<'CASES'
0 | --help                                         | ^Usage: kviapws97 \[OPTIONS\] SUBCOMMAND
0 | eos --help                                     | ^Usage: kviapws97 eos
0 | prop --help                                    | ^Usage: kviapws97 prop
0 | region --help                                  | ^Usage: kviapws97 region
0 | table --help                                   | ^Usage: kviapws97 table
0 | map --help                                     | ^Usage: kviapws97 map
0 | demo --help                                    | ^Usage: kviapws97 demo
# bad arguments
2 |                                                |
2 | bogus                                          |
2 | eos 300                                        |
2 | eos abc 1e5                                    |
2 | eos 300 1e5 --phase gas                        |
2 | eos 300 1e5 --fugacity none                    |
2 | prop foo 300 1e5                               |
2 | prop enthalpy 300 1e5 --units lb               |
2 | prop enthalpy 300 1e5 --region one             |
2 | region 300 1e5 extra                           |
2 | table                                          |
2 | table --temperature 300 400                    |
2 | table --temperature 400 300 10                 |
2 | table --temperature 300 400 0                  |
2 | table --temperature 300 400 10 --pressure 1e5 2e5 1e4 |
2 | table --temperature 0 1e9 1e-9                 |
2 | map --mark 300                                 |
2 | map --mark 300,1e5,steam                       |
2 | map --mark 300,1e5x                            |
2 | --plugin /nonexistent/libkviapws97.so demo     |
# failures are reported as failures, with exit status 1
1 | prop volume 300 1e5 --region 6                 | ^volume: failed, error flag 1
2 | prop enthalpy nan 1e5 --region 1               |
2 | prop 0 300 1e5                                 |
2 | prop 15 300 1e5                                |
2 | eso 300 1e5                                    |
2 | eos inf 1e5                                    |
2 | table --temperature 300 inf 1                  |
2 | map --mark 300,1e5,liquid,                     |
2 | map --mark nan,1e5                             |
2 | map --mark 300,1e5 -o /nonexistent/dir/map.svg |
1 | prop enthalpy 0 1e5 --region 1                 | ^enthalpy: failed
1 | map --mark 300,-1e5 -o map.svg                 | failed
1 | prop enthalpy 700 -1 --region 4 --phase liquid | ^enthalpy: failed
1 | eos 300 -1e5                                   | ^  H +failed
1 | eos 300 5e-324 --phase vapour                  | ^  G +failed
1 | region 0 1e5 --phase liquid                    | failed
# answers: IAPWS-IF97 Table 5 (300 K, 3 MPa), Table 35 (psat at 300 K), Table 36
# (Tsat at 0.1 MPa), and the saturated states at 1 MPa of the IF97 steam tables
# (h" 2777.12 kJ/kg, s' 2.1384 kJ/(kg K), v" 0.194349 m3/kg)
0 | prop cp 300 3e6 --region 1 --units kg        | ^cp = 4\.173012
0 | prop enthalpy 300 3e6 --region 1 --units kg    | ^enthalpy = 115\.33127
0 | prop enthalpy -1 1e6 --region 4 --phase vapour --units kg | ^enthalpy = 2777\.1
0 | prop entropy 453.0356 -1 --region 4 --phase liquid --units kg | ^entropy = 2\.138
0 | prop volume -1 1e6 --region 4 --phase vapour --units kg | ^volume = 0\.19434
1 | prop volume 1000 -1 --region 4 --phase vapour  | ^volume: failed
0 | prop 11 300 1e5                                | ^psat = 3536\.5894
0 | prop enthalpy 700 1e7 --phase liquid           | region 3 found by the library
0 | region 700 1e7 --phase liquid                  | IF97 region +3
0 | region 1500 6e7 --phase vapour                 | 0\.500E\+08
0 | eos 300 1000 --phase liquid                    | LESS THAN VAPOR PRES
0 | table --pressure 1e5 1e5 1 --units kg          | 372\.756
1 | table --temperature 640 660 10                 | failed
0 | prop enthalpy 1500 1e5 --region 1              | lies in IF97 region 5
0 | prop pressure 300 1e5                          | region-3 equation
0 | map --mark 700,1e7,liquid --mark 250,100 -o map.svg | wrote map.svg
0 | demo                                           | ^liquid 300 K, 100000 Pa +1
CASES

if ((failures)); then
  echo "$failures case(s) failed"
  exit 1
fi
echo "all cases passed"
