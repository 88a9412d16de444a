# bash completion for wakeburst                                   -*- shell-script -*-
# Commands, options and option choices are read from the tool's own --help, so they keep
# step with it (read in English, whose layout the patterns below know, whatever the user's
# language); file arguments complete to host lists (.mp) and directories.

_wakeburst_files() {  # _wakeburst_files CUR [all]: .mp files (or all files) and directories
    compopt -o filenames 2>/dev/null
    if [[ $2 == all ]]; then
        mapfile -t COMPREPLY < <(compgen -f -- "$1")
    else
        mapfile -t COMPREPLY < <(compgen -f -X '!*.[mM][pP]' -- "$1"; compgen -d -- "$1")
    fi
}

_wakeburst() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local tool=${COMP_WORDS[0]} cmd=${COMP_WORDS[1]} help
    COMPREPLY=()
    if ((COMP_CWORD == 1)); then
        mapfile -t COMPREPLY < <(compgen -W "$(LANGUAGE=en "$tool" --help 2>/dev/null |
            sed -n 's/^  wakeburst \([a-z][a-z-]*\).*/\1/p') --help --version" -- "$cur")
        return
    fi
    help=$(LANGUAGE=en "$tool" "$cmd" --help 2>/dev/null) || return
    # Subcommands: the lowercase word after the command in its usage lines; once one is
    # given, its own help names its options.
    local subs
    subs=$(sed -n "s/^ *\(usage: \)\{0,1\}wakeburst $cmd \([a-z][a-z-]*\).*/\2/p" <<<"$help")
    if [[ -n $subs ]] && grep -qx -- "${COMP_WORDS[2]}" <<<"$subs"; then
        help=$(LANGUAGE=en "$tool" "$cmd" "${COMP_WORDS[2]}" --help 2>/dev/null) || return
    fi

    # The value of an option: "  --name VALUE  text" in the help, choices written a|b|c,
    # and "[,...]" after them when several may be joined by commas.
    local value=""
    [[ $prev =~ ^--?[a-zA-Z][a-zA-Z-]*$ ]] &&
        value=$(sed -n "s/^  \(-[a-zA-Z], \)\{0,1\}$prev \([^ ]\{1,\}\).*/\2/p" <<<"$help" | head -n 1)
    if [[ -n $value ]]; then
        case $prev in
            --dir) compopt -o filenames 2>/dev/null
                   mapfile -t COMPREPLY < <(compgen -d -- "$cur") ;;
            -o | --file) _wakeburst_files "$cur" ;;
            --interface) mapfile -t COMPREPLY < <(compgen -W \
                "$(ls /sys/class/net 2>/dev/null)" -- "$cur") ;;
            *) if [[ $value == *'|'*'[,...]' ]]; then
                   local done=""
                   [[ $cur == *,* ]] && done=${cur%,*},
                   value=${value%'[,...]'}
                   mapfile -t COMPREPLY < <(compgen -P "$done" -W "${value//|/ }" -- "${cur##*,}")
               elif [[ $value == *'|'* ]]; then
                   mapfile -t COMPREPLY < <(compgen -W "${value//|/ }" -- "$cur")
               fi ;;
        esac
        return
    fi
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(sed -n 's/^  \(-[^ ,]*\)\(, \(--[^ ]*\)\)\{0,1\}.*/\1 \3/p' \
            <<<"$help")" -- "$cur")
        return
    fi
    if [[ -n $subs ]]; then
        ((COMP_CWORD == 2)) && mapfile -t COMPREPLY < <(compgen -W "$subs" -- "$cur")
        return
    fi
    case $cmd in
        check | wake | export) _wakeburst_files "$cur" ;;
        import) _wakeburst_files "$cur" all ;;
    esac
}

complete -F _wakeburst wakeburst
