# bash completion for tessaly
_tessaly() {
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}
    case $prev in
        -d|--folder)
            COMPREPLY=($(compgen -f -- "$cur")); return ;;
        --data-dir)
            COMPREPLY=($(compgen -d -- "$cur")); return ;;
        -o|--output)
            COMPREPLY=($(compgen -f -- "$cur")); return ;;
        -f|--format)
            COMPREPLY=($(compgen -W "text paths rtf json" -- "$cur")); return ;;
        --color)
            COMPREPLY=($(compgen -W "auto always never" -- "$cur")); return ;;
        -w|--context)
            COMPREPLY=($(compgen -W "10 20 30" -- "$cur")); return ;;
        -c|--category|-t|--types|--past-months|--from|--to|-b|--starts-with|-n|--nearby|-j|--threads|\
        --exclude-dir|--max-filesize|--document-time-limit)
            return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "-d --folder -c --category --data-dir --settings -C --match-case -s --smart
            --no-subfolders -t --types --past-months --from --to -b --starts-with -w --context -a --all-hits
            -n --nearby -l --names-only -f --format -o --output -j --threads -0 --null --color --passed-over
            --exclude-dir --hidden --binary --max-filesize --raw --document-time-limit --no-index --index-info -h --help --version" -- "$cur"))
    else
        COMPREPLY=($(compgen -W "AND OR NOT NEARBY" -- "$cur"))
    fi
}
complete -F _tessaly tessaly
