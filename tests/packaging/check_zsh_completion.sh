#!/usr/bin/env bash
# The zsh completion of q6config-cli, loaded the way zsh loads it (autoloaded from a folder in
# $fpath under its #compdef name) in a bare `zsh -f`. For each command line typed so far the
# completion function gets zsh's $words and $CURRENT; compadd, _files and compset stand in for the
# completion system and collect what would be offered, filtered by what was typed as zsh does.
# What it offers is checked against the tool's own --help.
# Usage: check_zsh_completion.sh <completion file> <q6config-cli>
set -uo pipefail
completion="$1"
cli="$2"
if ! command -v zsh >/dev/null 2>&1; then
  echo "zsh is not installed (scripts/install-test-deps.sh installs it)"
  exit 77
fi
[[ -f "$completion" ]] || { echo "FAIL: no completion file $completion"; exit 1; }
head -1 "$completion" | grep -qx '#compdef q6config-cli' || {
  echo "FAIL: $completion does not start with '#compdef q6config-cli'"
  exit 1
}
help="$("$cli" --help)" || { echo "FAIL: $cli --help failed"; exit 1; }
folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
cp "$completion" "$folder/_q6config-cli"

tests="$(sed -n '/^Tests (test NAME):/,/^$/p' <<<"$help" | sed '1d' | tr ',' '\n' | tr -d ' ' | sed '/^$/d')"
options="$(grep -oE -- '(^|[^-[:alnum:]])--[a-z][a-z-]*' <<<"$help" | grep -oE -- '--[a-z][a-z-]*' | sort -u)"
settings="$(sed -n '/^Settings (--set NAME=ENTRY)/,/^An entry is named/p' <<<"$help" |
  sed -nE 's/^  ([a-z][a-z0-9-]*)  .*/\1/p')"
entries="$(sed -n '/^  form-feed  /{n;p}' <<<"$help" | sed -E 's/^ *both models: //' | tr ',' '\n' | tr -d ' ')"

# Each check: "exactly|has|lacks<TAB>line typed so far<TAB>words...", run in one zsh.
checks="$(
  printf 'has\tq6config-cli \tapply reset test show list-targets\n'
  printf 'exactly\tq6config-cli re\trecord reset\n'
  printf 'exactly\tq6config-cli test \t%s\n' "$(tr '\n' ' ' <<<"$tests")"
  printf 'exactly\tq6config-cli test self\tself-test\n'
  printf 'exactly\tq6config-cli apply --\t%s\n' "$(tr '\n' ' ' <<<"$options")"
  printf 'exactly\tq6config-cli apply --model \tQLX500 QLX600\n'
  printf 'exactly\tq6config-cli apply --model=QLX5\t--model=QLX500\n'
  printf 'has\tq6config-cli apply --set \t%s\n' "$(sed 's/$/=/' <<<"$settings" | tr '\n' ' ')"
  printf 'has\tq6config-cli apply --model QLX500 --set \tpaper-width= context-cut= form-feed=\n'
  printf 'lacks\tq6config-cli apply --model QLX600 --set \tpaper-width= context-cut=\n'
  printf 'exactly\tq6config-cli apply --set form-feed=\t%s\n' "$(sed 's/^/form-feed=/' <<<"$entries" | tr '\n' ' ')"
  printf 'exactly\tq6config-cli apply --model QLX600 --set form-feed=pa\tform-feed=partial-cut\n'
  printf 'has\tq6config-cli apply --model qlx500 --set speed=\tspeed=optimum-density\n'
  printf 'lacks\tq6config-cli apply --model QLX600 --set speed=\tspeed=optimum-density\n'
  printf 'exactly\tq6config-cli test self-test --to tc\ttcp://\n'
  printf 'exactly\tq6config-cli test self-test --to st\tstored\n'
  printf 'has\tq6config-cli test self-test --to stored --\t--json --jobs --html --junit\n'
  printf 'exactly\tq6config-cli apply --preset \t<files>\n'
)"

FOLDER="$folder" CHECKS="$checks" zsh -f <<'ZSH'
fpath=("$FOLDER" $fpath)
autoload -Uz _q6config-cli
typeset -ga offered
typeset -g typed
compadd() {
  local -a prefix suffix quiet
  zparseopts -D -E P:=prefix S:=suffix q=quiet
  [[ "$1" == -- ]] && shift
  local p="${prefix[2]:-}" s="${suffix[2]-}" w
  [[ "$s" == " " ]] && s=""
  for w in "$@"; do
    [[ "$p$w" == "$typed"* ]] && offered+=("$p$w$s")
  done
  return 0
}
_files() { offered+=("<files>"); return 0 }
compset() { return 0 }
offers() {
  local line="$1"
  words=(${(z)line})
  [[ "$line" == *" " ]] && words+=("")
  CURRENT=${#words}
  typed="${words[CURRENT]}"
  offered=()
  _q6config-cli
  print -rl -- ${(ou)offered}
}
failures=0
for check in "${(@f)CHECKS}"; do
  parts=("${(@ps:\t:)check}")
  kind="${parts[1]}" line="${parts[2]}"
  want=(${=parts[3]})
  got=("${(@f)$(offers "$line")}")
  case "$kind" in
    exactly)
      sorted_got=(${(ou)got})
      sorted_want=(${(ou)want})
      if [[ "${sorted_got[*]}" != "${sorted_want[*]}" ]]; then
        print -r -- "FAIL: '$line' offers: ${sorted_got[*]}; expected: ${sorted_want[*]}"
        ((failures++))
      fi
      ;;
    has)
      for w in $want; do
        if (( ! ${got[(Ie)$w]} )); then
          print -r -- "FAIL: '$line' does not offer '$w' (offers: ${got[*]})"
          ((failures++))
        fi
      done
      ;;
    lacks)
      for w in $want; do
        if (( ${got[(Ie)$w]} )); then
          print -r -- "FAIL: '$line' offers '$w'"
          ((failures++))
        fi
      done
      ;;
  esac
done
(( failures == 0 )) || exit 1
print "zsh completion: commands, options, tests, settings and their entries per model all offered"
ZSH
