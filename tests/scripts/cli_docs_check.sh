#!/usr/bin/env bash
# The manual pages and the bash completion must not drift from the programs:
# every subcommand that `veltramarlin-cli --help` lists, and every option that
# a subcommand's --help shows, must be in veltramarlin-cli.1 and in the
# completion; every option of `veltramarlin-sim --help` in veltramarlin-sim.1.
# Usage: cli_docs_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build_dir=$1
source_dir=$2
cli="$build_dir/cli/veltramarlin-cli"
sim="$build_dir/tools/veltramarlin-sim"
completion="$source_dir/packaging/bash-completion/veltramarlin-cli"
failures=0

# The page's text as a reader sees it: roff's \- is a hyphen, fonts are dropped.
page_text() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$source_dir/docs/man/$1"; }
cli_page=$(page_text veltramarlin-cli.1)
sim_page=$(page_text veltramarlin-sim.1)
completion_text=$(cat "$completion")

# has TEXT WORD: WORD occurs in TEXT, not as part of a longer name.
has() { grep -qE -- "(^|[^a-z-])$2([^a-z-]|\$)" <<< "$1"; }
options_of() { grep -oE -- '--[a-z][a-z-]*' | sort -u; }
missing() { echo "$1 lacks $2"; failures=$((failures + 1)); }

subcommands=$("$cli" --help | awk '/^subcommands:/ { on = 1; next } on && NF { print $1 }')
[ -n "$subcommands" ] || { echo "no subcommands in veltramarlin-cli --help"; exit 1; }
for sub in $subcommands; do
  has "$cli_page" "$sub" || missing veltramarlin-cli.1 "subcommand $sub"
  has "$completion_text" "$sub" || missing "the completion" "subcommand $sub"
  for opt in $("$cli" "$sub" --help 2>&1 | options_of); do
    has "$cli_page" "$opt" || missing veltramarlin-cli.1 "$sub $opt"
    has "$completion_text" "$opt" || missing "the completion" "$sub $opt"
  done
done
for opt in $("$sim" --help | options_of) --version; do
  has "$sim_page" "$opt" || missing veltramarlin-sim.1 "$opt"
done

# The completion itself: a subcommand, an option of that subcommand, an
# option's fixed values, and file names after a subcommand.
complete_words() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
           _veltramarlin_cli; echo "${COMPREPLY[*]}"' _ "$completion" "$@"
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
touch "$work/sample.txt"
while IFS='|' read -r words want; do
  # shellcheck disable=SC2086
  got=$(complete_words $words)
  [ "$got" = "$want" ] || { echo "completing '$words': '$got', want '$want'"; failures=$((failures + 1)); }
done <<TABLE
veltramarlin-cli d|dxf download downloads
veltramarlin-cli dxf --m|--metres
veltramarlin-cli dxf --type m|measurement
veltramarlin-cli download --parity e|even
veltramarlin-cli excel $work/sam|$work/sample.txt
TABLE

if [ "$failures" -ne 0 ]; then
  echo "$failures missing or wrong: document them in docs/man and packaging/bash-completion"
  exit 1
fi
echo "manual pages and completion cover every subcommand and option"
