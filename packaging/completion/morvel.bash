# bash completion for morvel. The commands, their options and the kinds of file they take come
# from morvel's own --help at completion time, so they follow the installed program.

# The names in the "Commands:" block of `morvel --help`.
_morvel_commands()
{
    "$1" --help 2>/dev/null | awk '/^Commands:/ { listing = 1; next }
                                   listing && /^$/ { exit }
                                   listing && /^  [a-z]/ { print $1 }'
}

# The long options of one command, each followed by " VALUE" when it takes a value.
_morvel_options()
{
    local line pattern='^ +(-[[:alnum:]], )?(--[[:alnum:]-]+)( [^ ]+)?(  |$)'
    while IFS= read -r line; do
        [[ $line =~ $pattern ]] && printf '%s%s\n' "${BASH_REMATCH[2]}" "${BASH_REMATCH[3]}"
    done < <("$1" "$2" --help 2>/dev/null)
}

# Port names: those `morvel ports` lists where that command exists, else the terminal devices
# but the virtual consoles (/dev/tty, /dev/tty0 ...).
_morvel_ports()
{
    if _morvel_commands "$1" | grep -qx ports; then
        "$1" ports 2>/dev/null | awk 'NF { print $1 }'
    else
        compgen -G '/dev/tty*' | grep -v -E '^/dev/tty[0-9]*$'
    fi
}

# Files with the extensions the given names carry (SETTINGS.orv, IMAGE.bin; .orv when none
# does), and folders.
_morvel_files()
{
    local cur=$1 names=$2 extension extensions
    extensions=$(grep -o '\.[[:alnum:]]\+\b' <<<"$names" | sort -u | tr -d .)
    compgen -d -- "$cur"
    for extension in ${extensions:-orv}; do
        compgen -f -X "!*.$extension" -- "$cur"
    done
}

_morvel()
{
    local program=${COMP_WORDS[0]} cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    if ((COMP_CWORD == 1)); then
        mapfile -t COMPREPLY < <(compgen -W "$(_morvel_commands "$program") --help --version" -- "$cur")
        return
    fi
    local command=${COMP_WORDS[1]} options
    options=$(_morvel_options "$program" "$command")

    # The value of an option that takes one: a port, or a file of the kind its value name says.
    local value
    value=$(awk -v option="$prev" '$1 == option && NF > 1 { print $2 }' <<<"$options")
    if [[ $prev == --* && -n $value ]]; then
        if [[ $prev == --port ]]; then
            mapfile -t COMPREPLY < <(compgen -W "$(_morvel_ports "$program")" -- "$cur")
        else
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(_morvel_files "$cur" "$value")
        fi
        return
    fi
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(cut -d ' ' -f 1 <<<"$options")" -- "$cur")
        return
    fi
    # A file named in the command's usage line.
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(_morvel_files "$cur" "$("$program" "$command" --help 2>/dev/null | head -n 1)")
}

complete -F _morvel morvel
