#!/usr/bin/env bash
# The bash completion of morvel, run against the built morvel:
#   completion_test.sh COMPLETION_SCRIPT MORVEL
set -uo pipefail
completion=$1
morvel=$(realpath "$2")
# shellcheck source=/dev/null
source "$completion"

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
mkdir customers
touch a.orv b.txt c.bin

passed=0
failed=0
# Completes the words after "morvel" (the last one is being typed) and prints the sorted replies.
complete_words()
{
    COMP_WORDS=("$morvel" "$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _morvel
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}
expect()
{
    local expected=$1
    shift
    local got
    got=$(complete_words "$@")
    if [[ $got == "$expected" ]]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "morvel $* <TAB>: expected [$expected], got [$got]"
    fi
}

expect "--help --version decode defaults diff dump encode ports program read report set verify" ""
expect "program" "pro"
expect "--backup --help --json --no-verify --port --trace --trace-codes --wait" program --
expect "--help --onto" decode --
expect "a.orv customers" dump ""
expect "a.orv c.bin customers" encode a.orv ""
expect "a.orv customers" decode --onto ""
expect "a.orv customers" read --port /dev/ttyUSB0 ""

# Ports: what `morvel ports` lists where that command exists, else serial terminals only.
ports=$(complete_words read --port "")
if "$morvel" --help | grep -q '^  ports\b'; then
    expected=$("$morvel" ports 2>/dev/null | awk 'NF { print $1 }' | sort | tr '\n' ' ' | sed 's/ $//')
    [[ $ports == "$expected" ]] && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "ports: [$ports], morvel ports: [$expected]"; }
else
    bad=$(tr ' ' '\n' <<<"$ports" | grep -v -E '^$' | grep -v -E '^/dev/tty' ; tr ' ' '\n' <<<"$ports" | grep -E '^/dev/tty[0-9]*$')
    [[ -z $bad ]] && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "not serial ports: $bad"; }
fi

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
