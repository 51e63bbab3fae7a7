#!/usr/bin/env bash
# The command-line program as a user meets it: every subcommand's help, the
# exit status and the one-line error of a bad argument, a failed property
# shown as a failure, never as the host's missing value, and answers checked
# against published values.
# Usage: check_cli.sh PATH-TO-kviapws97
set -uo pipefail
program=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# status | arguments (shell words) | expectation:
#   status 2: the start of the one line on standard error, after "kviapws97: ";
#   status 1: standard error says why, each line "kviapws97: ...";
#   a last word ">/dev/full" sends standard output there;
#   "json: key=value±tolerance ...": values of the one JSON record printed;
#   otherwise an extended regular expression that the output must match.
trim() { local t=${1#"${1%%[![:space:]]*}"}; printf '%s' "${t%"${t##*[![:space:]]}"}"; }
while IFS='|' read -r status args expect; do
  status=${status// /}
  [[ -z $status || $status == \#* ]] && continue
  eval "words=($args)"
  args=$(trim "$args") expect=$(trim "$expect")
  stdout="$scratch/out"
  if ((${#words[@]})) && [[ ${words[-1]} == '>/dev/full' ]]; then
    unset 'words[-1]'
    stdout=/dev/full
    : >"$scratch/out"
  fi
  (cd "$scratch" && "$program" "${words[@]}") >"$stdout" 2>"$scratch/err"
  got=$?
  out=$(<"$scratch/out") err=$(<"$scratch/err")
  problem=""
  if [[ $got != "$status" ]]; then
    problem="exit status $got, expected $status"
  elif [[ $status == 2 ]]; then
    if [[ -n $out || -z $err || $err == *$'\n'* ]]; then
      problem="a bad argument must give one line on standard error and nothing on standard output"
    elif [[ $err != "kviapws97: $expect"* ]]; then
      problem="the message does not start with 'kviapws97: $expect'"
    fi
  elif [[ $status == 1 ]] && grep -qv '^kviapws97: ' <<<"$err"; then
    problem="a failure must say why on standard error, each line starting 'kviapws97: '"
  elif [[ $expect == json:* ]]; then
    # Each value within its tolerance, plus a few units of double rounding.
    problem=$(awk -v checks="${expect#json:}" '{ record = record $0 } END {
      n = split(checks, c, " ")
      for (i = 1; i <= n; i++) {
        split(c[i], kv, "="); split(kv[2], wt, "±")
        got = ""
        if (match(record, "\"" kv[1] "\": [^,}]*")) got = substr(record, RSTART + length(kv[1]) + 4, RLENGTH - length(kv[1]) - 4)
        e = got - wt[1]; if (e < 0) e = -e
        w = wt[1] < 0 ? -wt[1] : wt[1]
        if (got == "" || got == "null" || e > wt[2] + 1e-9 * w)
          printf "%s: got %s, expected %s ± %s, error %.3g; ", kv[1], got == "" ? "nothing" : got, wt[1], wt[2], got - wt[1]
      } }' "$scratch/out")
  elif [[ -n $expect ]] && ! grep -qE -- "$expect" <<<"$out"$'\n'"$err"; then
    problem="the output lacks /$expect/"
  fi
  if [[ -z $problem && $out =~ -1(\.0*)?[eE]\+?35 ]]; then
    problem="the missing value printed as a number"
  fi
  if [[ -n $problem ]]; then
    failures=$((failures + 1))
    echo "FAIL: kviapws97 $args: $problem"
    head -20 <<<"$out" | sed 's/^/  out: /'
    head -5 <<<"$err" | sed 's/^/  err: /'
  fi
done <<'CASES'
0 | --help                                         | ^Usage: kviapws97 \[OPTIONS\] SUBCOMMAND
0 | --version                                      | ^kviapws97 [0-9]+\.[0-9]+\.[0-9]+$
0 | state --help                                   | ^Usage: kviapws97 state
0 | eos --help                                     | ^Usage: kviapws97 eos
0 | prop --help                                    | ^Usage: kviapws97 prop
0 | region --help                                  | ^Usage: kviapws97 region
0 | table --help                                   | ^Usage: kviapws97 table
0 | chart --help                                   | ^Usage: kviapws97 chart
0 | map --help                                     | ^Usage: kviapws97 map
0 | demo --help                                    | ^Usage: kviapws97 demo
# bad arguments: exit status 2 and one line naming the argument
2 |                                                | give a subcommand: state, table
2 | bogus                                          | unknown subcommand 'bogus'
2 | eso 300 1e5                                    | unknown subcommand 'eso'
2 | eos 300                                        | eos: P is required
2 | eos abc 1e5                                    | T: 'abc' is not a number
2 | eos '' 1e5                                     | T: the value is empty
2 | eos 300 -inf                                   | P: '-inf' is not a finite number
2 | eos inf 1e5                                    | T: 'inf' is not a finite number
2 | eos 300 1e5 --phase gas                        | --phase: 'gas' is not auto, liquid, vapour, vapor or steam
2 | eos 300 1e5 --fugacity none                    | --fugacity: 'none' is not formulation or vapour-pressure
2 | region 300 1e5 extra                           | region: unexpected argument 'extra'
2 | prop foo 300 1e5                               | prop: unknown property 'foo'
2 | prop 0 300 1e5                                 | prop: unknown property '0'
2 | prop 15 300 1e5                                | prop: unknown property '15'
2 | prop enthalpy nan 1e5 --region 1               | T: 'nan' is not a finite number
2 | prop enthalpy 300 1e5 --units lb               | --units: 'lb' is not si, eng or host
2 | prop enthalpy 300 1e5 --region one             | --region: 'one' is not an IF97 region
2 | prop enthalpy 300 1e5 --region 7               | --region: '7' is not an IF97 region
2 | prop enthalpy 300 1e5 --region 0               | --region: '0' is not an IF97 region
2 | prop enthalpy 300 1e5 --region -1              | --region: '-1' is not an IF97 region
2 | prop enthalpy 300 1e5 --region 12345678901234567890 | --region: '12345678901234567890' is not an IF97 region
2 | prop enthalpy 300 1e5 --extrapolate            | --extrapolate: needs --region 1, 2, 3 or 5
2 | prop volume 300 1e5 --region 6                 | --region: '6' is not an IF97 region
2 | table                                          | table: give one of --temperature FROM TO STEP and --pressure
2 | table --temperature 300 400                    | --temperature: needs 3 values, got 2
2 | table --temperature 400 300 10                 | --temperature: the range needs FROM <= TO
2 | table --temperature 300 400 0                  | --temperature: the range needs FROM <= TO
2 | table --temperature 300 400 10 --pressure 1e5 2e5 1e4 | table: give one of --temperature
2 | table --temperature 0 1e9 1e-9                 | --temperature: the range gives more than 100000 rows
2 | table --temperature 300 inf 1                  | --temperature: 'inf' is not a finite number
2 | table --temperature 300C 400C 10bar            | --temperature: '10bar': unknown unit 'bar'
2 | table --isobar 10bar --pressure 1bar 2bar 1bar | --isobar: rows by --temperature
2 | state --p 10bar                                | state: give two of --p, --T, --h, --s, --x, or --rho with one of --p, --T, --h, --s, --u, or --u with --p; got --p
2 | state --p 10bar --T 200C --h 2800kJ/kg         | state: give two of
2 | state --p 10bars --T 200C                      | --p: '10bars': unknown unit 'bars'
2 | state --x 0.5 --rho 5                          | state: give two of
2 | state --T 300 --u 1e5                          | state: give two of
2 | state --p 10bar --T 200C --csv --json          | state: --csv and --json exclude each other
2 | map --mark 300                                 | --mark: '300' is not T,P
2 | map --mark 300,1e5,gas                         | --mark '300,1e5,gas': phase: 'gas' is not auto
2 | map --mark 300,1e5x                            | --mark: '300,1e5x' is not T,P
2 | map --mark 300,1e5,liquid,                     | --mark: '300,1e5,liquid,' is not T,P
2 | map --mark nan,1e5                             | --mark: 'nan,1e5' is not T,P
2 | map --mark 300,1e5 -o /nonexistent/dir/map.svg | map: -o /nonexistent/dir/map.svg: cannot write
2 | map -o /dev/full                               | map: -o /dev/full: cannot write: No space left on device
2 | chart xy                                       | diagram: 'xy' is not Ts, hs or ph
2 | chart Ts --mark p=1bar                         | --mark 'p=1bar': give two of
2 | chart Ts --mark p=1bar,q=3                     | --mark 'p=1bar,q=3': 'q=3' is not p=
2 | chart Ts --mark p=1bar,T=300C --path           | --path: needs two marks or more
2 | chart hs --mark p=1bar,T=300C -o /dev/full     | chart: -o /dev/full: cannot write
2 | --plugin /nonexistent/libkviapws97.so demo     | cannot load the plug-in /nonexistent/libkviapws97.so
# a state outside the region named is refused; --extrapolate evaluates it, but
# a value that no physical state has fails all the same
2 | prop enthalpy 700 1e5 --region 1               | --region 1: T = 700 K, P = 100000 Pa lies in IF97 region 2; --extrapolate
2 | prop enthalpy 300 2e8 --region 1               | --region 1: P = 200000000 Pa is above 100 MPa
2 | prop viscosity 1500 1e5 --region 5             | --region 5: T = 1500 K is above 1173.15 K, where IAPWS R12-08
2 | prop enthalpy 0 1e5 --region 1                 | --region 1: T = 0 K is not above 0 K
2 | prop conductivity 647.35 1e5 --region 1 --volume 0.0811 | --region 1: T = 647.35 K, P = 100000 Pa lies in IF97 region 2
2 | prop conductivity 647.35 1e5 --region 2 --volume 0.0811 --units host | --volume: 0.0811 m3/kmol does not belong to T = 647.35 K
2 | prop enthalpy 300 1e5 --volume 0.01805 | --volume: 0.01805 m3/kg does not belong
1 | prop cv 700 1e5 --region 1 --extrapolate | prop: cv: failed: the equation gives a heat capacity not above 0
1 | prop sound-speed 700 1e5 --region 1 --extrapolate | prop: sound-speed: failed, error flag 1: the equation gives a negative squared speed of sound
1 | prop viscosity 300 1e5 --region 2 --extrapolate | prop: viscosity: failed, error flag 1: the equation gives a volume not above 0
1 | prop pressure 550 1e5 --volume 0.1 --units host | prop: pressure: failed: the equation gives a pressure not above 0
0 | prop enthalpy 1500 1e5 --region 1 --extrapolate | region-1 equation is extrapolated
0 | prop viscosity 300 1e5 --volume 0.0011 | ^viscosity = 0\.000
# failures name the bound they broke, with exit status 1
1 | prop volume 300 1e5 --region 4 --phase liquid | prop: volume: failed, error flag 1: T = 300 K and P = 100000 Pa are not one saturated state: Tsat\(P\) = 372\.7559
1 | prop enthalpy 300 2e8                          | prop: enthalpy: failed, error flag 1: P = 200000000 Pa is above 100 MPa
1 | prop viscosity 1500 1e5                        | prop: viscosity: failed, error flag 1: T = 1500 K is above 1173.15 K, where IAPWS R12-08
1 | prop conductivity 1200 1e5                     | R15-11 \(thermal conductivity\) ends
1 | prop enthalpy 700 -1 --region 4 --phase liquid | prop: enthalpy: failed, error flag 1: T = 700 K is off the saturation line
1 | prop volume 1000 -1 --region 4 --phase vapour  | prop: volume: failed
1 | eos 300 -1e5                                   | ^  H +failed
1 | eos 300 5e-324 --phase vapour                  | ^  G +failed
1 | region 0 1e5 --phase liquid                    | failed
2 | map --mark 300,-1e5 -o map.svg                 | --mark '300,-1e5': P = -100000 Pa is not above 0 Pa
2 | table --temperature 640 660 10                 | --temperature: T = 660 K is above 647.096 K, where the saturation line ends
1 | state --p 2000bar --T 300C                     | state: no state at --p 2000bar --T 300C: pressure above 100 MPa
1 | state --T 20C --h 5000kJ/kg                    | no state at this temperature has this specific enthalpy
1 | chart ph --mark p=0.1bar,s=20kJ/kgK -o c.svg  | no state
# phase words
0 | prop enthalpy 300 1e5 --phase vapor            | vapour in region 2 found by the library
0 | prop enthalpy 300 1e5 --phase steam            | vapour in region 2 found by the library
0 | map --mark 300,1e5,steam -o map.svg            | vapour 300 K, 100000 Pa → region 2
# answers: IAPWS-IF97 Table 5 (300 K, 3 MPa), Table 35 (psat at 300 K), Table 36
# (Tsat at 0.1 and 1 MPa), and the saturated states at 1 MPa of the IF97 steam
# tables (h" 2777.12 kJ/kg, s' 2.1384 kJ/(kg K), v" 0.194349 m3/kg)
0 | prop cp 300 3e6 --region 1 --units eng --digits 10 | ^cp = 4\.173012
0 | prop enthalpy 300 3e6 --region 1 --units eng --digits 9 | ^enthalpy = 115\.331273 kJ/kg
0 | prop enthalpy -1 1e6 --region 4 --phase vapour --units eng | ^enthalpy = 2777\.1
0 | prop entropy 453.0356 -1 --region 4 --phase liquid --units eng | ^entropy = 2\.138
0 | prop volume -1 1e6 --region 4 --phase vapour | ^volume = 0\.19434
0 | prop volume 300 3e6 --volume 0.00100215 --digits 11 | ^volume = 0\.0010021516
0 | prop 11 300 1e5 --digits 8                     | ^psat = 3536\.5894
0 | prop cp 300 1e5 --units host                   | departure cp - cp0\(T\)
0 | prop enthalpy 700 1e7 --phase liquid           | region 3 found by the library
0 | region 700 1e7 --phase liquid                  | IF97 region +3
0 | region 1500 6e7 --phase vapour                 | 0\.500E\+08
0 | eos 300 1000 --phase liquid                    | 0\.100E\+04 .* 0\.354E\+04
0 | table --pressure 1e5 1e5 1                     | 372\.7559
0 | table --pressure 10bar 10bar 1bar --units eng --csv | ^10,179\.885632
0 | table --pressure 1e5 1e5 1 --csv --units host  | ^P \[Pa\],Tsat \[K\],v' \[m3/kmol\],"v"" \[m3/kmol\]",h' \[J/kmol\],"h"" \[J/kmol\]","h""-h' \[J/kmol\]"
0 | table --isobar 30bar --temperature 26.85C 26.85C 1C | 115331\.3
0 | table --isotherm 26.85C --pressure 30bar 30bar 1bar --units si --csv | ^3000000,300,1,0\.0010021516(8|79)[0-9]*,115331\.27
1 | prop pressure 300 1e5                          | prop: pressure: failed: the equation gives a pressure not above 0
0 | map --mark 700,1e7,liquid --mark 250,100 -o map.svg | wrote map.svg
0 | chart Ts --mark p=100bar,T=550C --mark p=0.1bar,s=6.7584kJ/kgK --path -o ts.svg | wrote ts.svg
0 | demo                                           | ^liquid 300 K, 100000 Pa +1
# state: IAPWS-IF97 Tables 7 and 9 (T from (p, h) and (p, s), region 1) and Tables
# 24 and 29 (region 2), to the backward equations' tolerated inconsistency with
# the basic equations: 25 mK in region 1 (Eqs. (12), (14)) and in region 2 below
# s = 5.85 kJ/(kg K), 10 mK above
0 | state --p 3MPa --h 500kJ/kg --json             | json: T=391.798509±0.025
0 | state --p 80MPa --h 500kJ/kg --json            | json: T=378.108626±0.025
0 | state --p 80MPa --h 1500kJ/kg --json           | json: T=611.041229±0.025
0 | state --p 3MPa --s '0.5kJ/(kg K)' --json       | json: T=307.842258±0.025
0 | state --p 80MPa --s '0.5kJ/(kg K)' --json      | json: T=309.979785±0.025
0 | state --p 80MPa --s '3kJ/(kg K)' --json        | json: T=565.899909±0.025
0 | state --p 0.001MPa --h 3000kJ/kg --json        | json: T=534.433241±0.01
0 | state --p 3MPa --h 3000kJ/kg --json            | json: T=575.373370±0.01
0 | state --p 3MPa --h 4000kJ/kg --json            | json: T=1010.77577±0.01
0 | state --p 5MPa --h 3500kJ/kg --json            | json: T=801.299102±0.01
0 | state --p 5MPa --h 4000kJ/kg --json            | json: T=1015.31583±0.01
0 | state --p 25MPa --h 3500kJ/kg --json           | json: T=875.279054±0.01
0 | state --p 40MPa --h 2700kJ/kg --json           | json: T=743.056411±0.025
0 | state --p 60MPa --h 2700kJ/kg --json           | json: T=791.137067±0.025
0 | state --p 60MPa --h 3200kJ/kg --json           | json: T=882.756860±0.025
0 | state --p 0.1MPa --s 7.5kJ/kgK --json          | json: T=399.517097±0.01
0 | state --p 0.1MPa --s 8kJ/kgK --json            | json: T=514.127081±0.01
0 | state --p 2.5MPa --s 8kJ/kgK --json            | json: T=1039.84917±0.01
0 | state --p 8MPa --s 6kJ/kgK --json              | json: T=600.484040±0.01
0 | state --p 8MPa --s 7.5kJ/kgK --json            | json: T=1064.95556±0.01
0 | state --p 90MPa --s 6kJ/kgK --json             | json: T=1038.01126±0.01
0 | state --p 20MPa --s 5.75kJ/kgK --json          | json: T=697.992849±0.025
0 | state --p 80MPa --s 5.25kJ/kgK --json          | json: T=854.011484±0.025
0 | state --p 80MPa --s 5.75kJ/kgK --json          | json: T=949.017998±0.025
# state in bar and degC: IAPWS-IF97 Table 5 (region 1), Table 15 (region 2) and
# Table 33 (region 3, at T and rho), to half a unit of the last printed digit
0 | state --p 30bar --T 26.85C --units eng --json  | json: v=0.00100215168±5e-12 h=115.331273±5e-7 u=112.324818±5e-7 s=0.392294792±5e-10 cp=4.17301218±5e-9 w=1507.73921±5e-6
0 | state --p 800bar --T 26.85C --units eng --json | json: v=0.000971180894±5e-13 h=184.142828±5e-7 u=106.448356±5e-7 s=0.368563852±5e-10 cp=4.01008987±5e-9 w=1634.69054±5e-6
0 | state --p 30bar --T 226.85C --units eng --json | json: v=0.001202418±5e-12 h=975.542239±5e-7 u=971.934985±5e-7 s=2.58041912±5e-9 cp=4.65580682±5e-9 w=1240.71337±5e-6
0 | state --p 0.035bar --T 26.85C --units eng --json | json: v=39.4913866±5e-8 h=2549.91145±5e-6 u=2411.6916±5e-5 s=8.52238967±5e-9 cp=1.91300162±5e-9 w=427.920172±5e-7
0 | state --p 0.035bar --T 426.85C --units eng --json | json: v=92.3015898±5e-8 h=3335.68375±5e-6 u=3012.62819±5e-6 s=10.1749996±5e-8 cp=2.08141274±5e-9 w=644.289068±5e-7
0 | state --p 300bar --T 426.85C --units eng --json | json: v=0.00542946619±5e-12 h=2631.49474±5e-6 u=2468.61076±5e-6 s=5.17540298±5e-9 cp=10.3505092±5e-8 w=480.386523±5e-7
0 | state --T 376.85C --rho 500 --units eng --json | json: p=255.837018±5e-7 h=1863.43019±5e-6 u=1812.26279±5e-6 s=4.05427273±5e-9 cp=13.8935717±5e-8 w=502.005554±5e-7
0 | state --T 376.85C --rho 200 --units eng --json | json: p=222.930643±5e-7 h=2375.12401±5e-6 u=2263.65868±5e-6 s=4.85438792±5e-9 cp=44.6579342±5e-8 w=383.444594±5e-7
0 | state --T 476.85C --rho 500 --units eng --json | json: p=783.095639±5e-7 h=2258.68845±5e-6 u=2102.06932±5e-6 s=4.46971906±5e-9 cp=6.34165359±5e-9 w=760.696041±5e-7
# the pairs found by a search, back to published states: Table 15 (700 K, 30 MPa),
# Table 36 (Tsat at 1 MPa) with s' 2.1384 of the steam tables, two states of h"
0 | state --T 426.85C --h 2631.49474kJ/kg --units eng --json | json: p=300±1e-4
0 | state --T 426.85C --s 5.17540298kJ/kgK --units eng --json | json: p=300±1e-4
0 | state --x 0 --s 2.1384kJ/kgK --units eng --json | json: T=179.885632±0.006
1 | state --x 1 --h 2777.12kJ/kg --units eng      | 2 saturated states .* \(at T = 179\.88.* and
# the flashes of conservative variables back to IAPWS-IF97 Table 33 (650 K, rho 500 kg/m3)
0 | state --rho 500 --u 1812.26279kJ/kg --units eng --json | json: T=376.85±1e-5 p=255.837018±1e-4
0 | state --p 25.5837018MPa --rho 500 --units eng --json | json: T=376.85±1e-5
# two-phase states: the saturated phases beside the mixture, n/a where undefined
# wet steam at 0.1 bar: x = (s - s')/(s" - s') with s' 0.6492 and s" 8.1488 kJ/(kg K) of the steam tables
0 | state --p 0.1bar --s 6.7584kJ/kgK --json       | json: x=0.8146±1e-4
0 | state --T 100C --x 0.5 --json                  | "cp": null, "cv": null, "w": null, "mu": null, "lambda": null, "liquid": \{"p"
0 | state --T 100C --x 0.5 --units eng             | ^  cp .* +n/a +4\.21.* +2\.07
0 | state --p 1bar --T 1000C                       | ^n/a: mu, lambda: IAPWS R12-08
# What a newcomer met (section 2 of issue 23): every failure says why, in one line
# on standard error; exit status 2 for a bad argument or unwritable output
0 | table --isobar 10bar --temperature 800C 1000C 100C --units eng | ^n/a: mu, lambda: IAPWS R12-08 \(mu\) and R15-11 \(lambda\) hold up to 1173\.15 K
2 | table --isobar -10bar --temperature 800C 1000C 100C | --isobar: P = -1000000 Pa is not above 0 Pa
2 | table --pressure 1e17 1.00000000000000016e17 1 | --pressure: STEP 1 is below the resolution of FROM 1e17
2 | table --isotherm 300 --pressure 1bar 2000bar 1bar | --pressure: P = 200000000 Pa is above 100 MPa
2 | table --isobar 10bar --temperature 300 3000 100 | --temperature: T = 3000 K is above 2273.15 K
1 | chart ph --mark p=1bar,T=300 --mark p=0.1bar,s=20kJ/kgK -o c.svg | chart: --mark p=0.1bar,s=20kJ/kgK: no state: entropy above
2 | state --p 10bar --T 300C '>/dev/full'            | cannot write standard output: No space left on device
2 | table --pressure 1bar 2bar 1bar '>/dev/full'      | cannot write standard output
2 | --help '>/dev/full'                              | cannot write standard output
2 | --version '>/dev/full'                           | cannot write standard output
2 | state --P 10bar --t 300C                         | state: --P is not an option of state; did you mean --p?
2 | state --T                                        | --T: needs a value
2 | state --T 300C --T 400C                          | --T: given twice
2 | region 300 1e5 --units eng                       | region: --units is not an option of region
2 | state --p 10bar --T 300C --unit eng              | state: --unit is not an option of state; did you mean --units?
2 | table --temprature 300 400 10                    | table: --temprature is not an option of table; did you mean --temperature?
2 | stat --p 1bar                                    | unknown subcommand 'stat'; did you mean state?
1 | state --p -5bar --T 300C                         | state: no state at --p -5bar --T 300C: pressure not above 0
2 | chart Ts --mark p=1bar,T=300C,y=3                | --mark 'p=1bar,T=300C,y=3': 'y=3' is not p=, T=, h=, s=, x=, rho= or u=
2 | chart Ts --mark p=1bar                           | --mark 'p=1bar': give two of p=, T=, h=, s=, x=, or rho= with one of p=, T=, h=, s=, u=, or u= with p=; got p=
2 | map --mark 1e9,1e12,vapour                       | --mark '1e9,1e12,vapour': T = 1000000000 K: the map takes temperatures below 10000 K
2 | map --mark -5,1e5                                | --mark '-5,1e5': T = -5 K is not above 0 K
1 | eos 300 0 --phase vapour                         | eos: no vapour state at T = 300 K, P = 0 Pa: P = 0 Pa is not above 0 Pa
1 | region 300 0                                     | region: no region for the vapour at T = 300 K, P = 0 Pa: P = 0 Pa is not above 0 Pa
2 | state --p $'1\n0bar' --T 300                     | --p: '1\n0bar': unknown unit
# One set of conventions (section 3): --units si, eng or host in every
# subcommand that prints values, SI the default, one digit count and --digits
0 | prop enthalpy 300 3e6 --region 1               | ^enthalpy = 115331\.3 J/kg
0 | prop enthalpy 300 3e6 --region 1 --units eng   | ^enthalpy = 115\.3313 kJ/kg
0 | prop enthalpy 300 3e6 --region 1 --units host  | J/kmol
0 | table --isobar 30bar --temperature 300 300 1   | ^ +K +Pa +m3/kg +J/kg +J/\(kg K\)
0 | table --isobar 30bar --temperature 300 300 1 --units host | J/kmol
0 | table --isobar 30bar --temperature 300 300 1 --units eng | ^ +26\.85 +30 +1 +0\.001002152 +115\.3313 +0\.3922948
0 | state --p 30bar --T 300 --units eng             | ^  h +specific enthalpy +115\.3313  kJ/kg
0 | state --p 30bar --T 300 --digits 9              | ^  h +specific enthalpy +115331\.273  J/kg
0 | table --isobar 30bar --temperature 300 300 1 --digits 9 | 115331\.273
2 | state --p 1bar --T 300 --units host             | state: --units host: state works on the SI state API
2 | state --p 1bar --T 300 --digits 0               | --digits: '0' is not a whole number from 1 to 17
2 | table --pressure 1bar 2bar 1bar --units kg      | --units: 'kg' is not si, eng or host
# chart options: the picture's width, the height in proportion, the drawing unchanged
0 | chart hs --size 500                             | <svg [^>]*width="500\.0" height="[0-9.]+" viewBox="0 0 1000\.0
2 | chart hs --size 20                              | --size: '20' is not a width from 300 to 5000 px
0 | chart ph --units eng --x-range 500:3000 --y-range 1:300 --mark p=10bar,T=300C -o r.svg | wrote r.svg
0 | chart ph --x-range 5e5:3e6 --y-range 1e5:3e7 --mark p=10bar,T=300C -o r.svg | ^1  p = 1000000 Pa, T = 573.15 K .*: T = 573.15 K, p = 1e6 Pa, h = 3.0517e6 J/kg
0 | chart Ts --units eng --mark p=10bar,T=300C -o r.svg | ^1  p = 10 bar, T = 300 °C .*: T = 300 °C, p = 10 bar, h = 3051.7 kJ/kg, s = 7.1247 kJ/\(kg K\)
2 | chart Ts --units host                           | chart: --units host: chart works on the SI state API
2 | chart Ts --units kg                             | --units: 'kg' is not si, eng or host
2 | chart ph --y-range 0:300                        | --y-range: '0:300': the axis is logarithmic, MIN must be above 0
2 | chart Ts --x-range 3:2                          | --x-range: '3:2' is not MIN:MAX
# --derivatives: w of IAPWS-IF97 Table 5 from (dp/drho)_s; the line's slope in K/bar at 1 bar, the inverse of
# dpsat/dT = 3.577 kPa/K there; T at constant p has no derivative in a two-phase state
0 | state --p 30bar --T 226.85C --units eng --derivatives | ^  w +speed of sound +1240\.713 +m/s
0 | state --p 1bar --x 0.5 --units eng --derivatives | ^  dTsat/dp .* 27\.95[0-9]* +K/bar
0 | state --p 1bar --x 0.5 --derivatives           | ^  cp +isobaric heat capacity +n/a
2 | state --p 10bar --T 200C --derivatives --json  | state: --derivatives goes with the text, not --csv or --json
# a phase request: supersaturated steam of IAPWS-IF97 Table 18 (v at 440 K and
# 1 MPa), "metastable" beside the phase; past its bound a status names it
0 | state --p 1MPa --T 440K --phase vapour --json     | json: v=0.186212297±0.0000000005
0 | state --p 1MPa --T 440K --phase vapour            | ^vapour metastable, IF97 region 2
0 | state --p 1bar --T 110C --phase liquid            | ^liquid metastable, IF97 region 1
0 | state --p 1bar --T 110C --phase vapour            | ^vapour, IF97 region 2
1 | state --p 1MPa --T 400K --phase vapour            | 5 % equilibrium-moisture line
2 | state --T 400K --x 0.5 --phase liquid             | state: --phase goes with --p
2 | state --p 1MPa --T 400K --phase solid             | --phase: 'solid' is not liquid or vapour
CASES

# A chart with a mark that has no state writes no file.
(cd "$scratch" && "$program" chart Ts --mark p=1bar,T=300 --mark p=1bar,T=1e9 -o failed.svg) >/dev/null 2>&1
if [[ -e $scratch/failed.svg ]]; then
  failures=$((failures + 1))
  echo "FAIL: kviapws97 chart with a mark that has no state wrote its file"
fi

if ((failures)); then
  echo "$failures case(s) failed"
  exit 1
fi
echo "all cases passed"
