#!/usr/bin/env bash
# The bash completion of q6config-cli, run the way bash runs it: the completion file is sourced, and
# for each command line typed so far the completion function gets bash's COMP_* variables and fills
# COMPREPLY. What it offers is checked against the tool's own --help.
# Usage: check_completion.sh <completion file> <q6config-cli>
set -uo pipefail
completion="$1"
cli="$2"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

[[ -f "$completion" ]] || { echo "FAIL: no completion file $completion"; exit 1; }
# shellcheck source=/dev/null
source "$completion"
complete -p q6config-cli >/dev/null 2>&1 || fail "the file does not register a completion for q6config-cli"

# The words the user would get for the line typed so far (the cursor at its end), whole: bash's own
# last word (after a '=' or ':') is replaced by each reply.
offers() {
  local line="$1"
  COMP_LINE="$line"
  COMP_POINT=${#line}
  # Bash splits at blanks and also at '=' and ':', each run of those a word of its own.
  local spaced
  spaced="$(sed -E 's/([=:]+)/ \1 /g' <<<"$line")"
  read -r -a COMP_WORDS <<<"$spaced"
  if [[ "$line" =~ [[:space:]]$ ]]; then
    COMP_WORDS+=("")
  fi
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  local before="${line%"${COMP_WORDS[COMP_CWORD]}"}"
  local typed="${before##*[[:space:]]}"
  COMPREPLY=()
  _q6config_cli q6config-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]:-}"
  local reply
  for reply in "${COMPREPLY[@]}"; do
    printf '%s\n' "$typed$reply"
  done | sort
}

expect_has() {  # line word...
  local line="$1"
  shift
  local got
  got="$(offers "$line")"
  local word
  for word in "$@"; do
    grep -qxF -- "$word" <<<"$got" || fail "'$line' does not offer '$word' (offers: $(tr '\n' ' ' <<<"$got"))"
  done
}
expect_lacks() {
  local line="$1"
  shift
  local got
  got="$(offers "$line")"
  local word
  for word in "$@"; do
    grep -qxF -- "$word" <<<"$got" && fail "'$line' offers '$word'"
  done
}
expect_exactly() {  # line, then the whole sorted offer, one word an argument
  local line="$1"
  shift
  local got want
  got="$(offers "$line")"
  want="$(printf '%s\n' "$@" | sort)"
  [[ "$got" == "$want" ]] || fail "'$line' offers: $(tr '\n' ' ' <<<"$got"); expected: $(tr '\n' ' ' <<<"$want")"
}

help="$("$cli" --help)" || fail "$cli --help failed"

# Commands, and the test names as --help lists them.
expect_has "q6config-cli " apply reset test show list-targets history state record
expect_exactly "q6config-cli re" record reset
expect_has "q6config-cli show " apply reset test
tests="$(sed -n '/^Tests (test NAME):/,/^$/p' <<<"$help" | sed '1d' | tr ',' '\n' | tr -d ' ' | sed '/^$/d')"
[[ "$(wc -l <<<"$tests")" -ge 10 ]] || fail "--help lists too few tests: $tests"
# shellcheck disable=SC2086
expect_exactly "q6config-cli test " $tests
expect_exactly "q6config-cli test self" self-test

# Every option --help names.
options="$(grep -oE -- '(^|[^-[:alnum:]])--[a-z][a-z-]*' <<<"$help" | grep -oE -- '--[a-z][a-z-]*' | sort -u)"
# shellcheck disable=SC2086
expect_exactly "q6config-cli apply --" $options
expect_has "q6config-cli apply --mo" --model
expect_exactly "q6config-cli apply --model " QLX500 QLX600
expect_exactly "q6config-cli apply --model=QLX5" --model=QLX500

# Setting names: each --help names is offered with its "=", model by model.
settings="$(sed -n '/^Settings (--set NAME=ENTRY)/,/^An entry is named/p' <<<"$help" |
  sed -nE 's/^  ([a-z][a-z0-9-]*)  .*/\1/p')"
[[ "$(wc -l <<<"$settings")" -ge 15 ]] || fail "--help lists too few settings: $settings"
for name in $settings; do
  expect_has "q6config-cli apply --set " "$name="
done
expect_has "q6config-cli apply --model QLX500 --set " paper-width= context-cut= form-feed=
expect_lacks "q6config-cli apply --model QLX600 --set " paper-width= context-cut=
expect_has "q6config-cli apply --model QLX600 --set form-feed=full-cut " code-page=

# Entries, per model, after NAME=.
expect_exactly "q6config-cli apply --model QLX600 --set form-feed=" \
  form-feed=no-change form-feed=feed-no-cut form-feed=full-cut form-feed=partial-cut
expect_exactly "q6config-cli apply --model QLX600 --set form-feed=pa" form-feed=partial-cut
expect_has "q6config-cli apply --model QLX500 --set speed=" speed=optimum-density speed=180mm-second
expect_lacks "q6config-cli apply --model QLX600 --set speed=" speed=optimum-density
expect_has "q6config-cli apply --set speed=" speed=optimum-density speed=150mm-second
expect_has "q6config-cli apply --model qlx500 --set speed=" speed=optimum-density
expect_has "q6config-cli apply --set cut-offset=" cut-offset=off
expect_has "q6config-cli apply --model QLX500 --set context-cut-feeds=" context-cut-feeds=2
# The entries --help gives for the form feed are the ones offered.
entries="$(sed -n '/^  form-feed  /{n;p}' <<<"$help" | sed -E 's/^ *both models: //' | tr ',' '\n' | tr -d ' ')"
# shellcheck disable=SC2086
expect_exactly "q6config-cli apply --set form-feed=" $(sed 's/^/form-feed=/' <<<"$entries")

# Targets, and the options after them.
expect_exactly "q6config-cli test self-test --to tc" tcp://
expect_exactly "q6config-cli test self-test --to st" stored
expect_has "q6config-cli test self-test --to stored --" --json --jobs --html --junit
expect_has "q6config-cli state --to stored --" --html --junit --json
expect_has "q6config-cli apply --set form-feed=full-cut --to stored --" --changes-only --check \
  --diff --force --record --no-record
expect_has "q6config-cli history --to stored --" --limit --record --json

if [[ $failures -ne 0 ]]; then
  exit 1
fi
echo "bash completion: commands, options, tests, settings and their entries per model all offered"
