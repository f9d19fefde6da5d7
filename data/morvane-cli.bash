# bash completion for morvane-cli. The options of a command are taken from its own --help at
# completion time, so they can never drift from the program.

_morvane_cli()
{
    local cur prev words cword
    if declare -F _init_completion >/dev/null; then
        _init_completion || return
    else
        cur=${COMP_WORDS[COMP_CWORD]}
        prev=${COMP_WORDS[COMP_CWORD - 1]}
        words=("${COMP_WORDS[@]}")
        cword=$COMP_CWORD
    fi

    local commands="match recode detect list found notfound all replace restore restore-first delete-backups convert"
    if [[ $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    case $prev in
        --from | --to | --codepage)
            COMPREPLY=($(compgen -W "1251 koi8r 866 utf8 auto" -- "$cur"))
            return
            ;;
        --mode)
            COMPREPLY=($(compgen -W "simple substitute extended" -- "$cur"))
            return
            ;;
        --split-by)
            COMPREPLY=($(compgen -W "replacements matches" -- "$cur"))
            return
            ;;
        --table | --collect | --split-name)
            COMPREPLY=($(compgen -f -- "$cur"))
            return
            ;;
        -e | --find | -r | --replace | --remark | --modifiers | --mask | --split-start | --split-digits | \
            --split-sep | --substitute | --template | --path)
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        local opts
        opts=$("${words[0]}" "${words[1]}" --help 2>&1 | grep -oE -- '(^|[][ ,|])--?[a-z][a-z-]*' |
            sed -E 's/^[][ ,|]//' | sort -u)
        COMPREPLY=($(compgen -W "$opts" -- "$cur"))
        return
    fi
    COMPREPLY=($(compgen -f -- "$cur"))
}
complete -o filenames -F _morvane_cli morvane-cli
