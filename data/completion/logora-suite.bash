# Bash completion for logora and vettle. Installed once under each program's
# name, since bash-completion loads the file named after the command.
# Self-contained: needs none of bash-completion's helpers.

# Completes the current word with folders and the files whose extension, in
# any letter case, matches the regular expression $1.
_logora_suite_files()
{
    local cur=$2 file
    local IFS=$'\n'
    compopt -o filenames 2>/dev/null
    for file in $(compgen -f -- "$cur"); do
        if [[ -d $file || ${file,,} =~ \.($1)$ ]]; then
            COMPREPLY+=("$file")
        fi
    done
}

# Adds the words of $1 that begin with $2, without pathname expansion (the
# switch "/?" must stay as it is).
_logora_suite_words()
{
    local word
    while IFS= read -r word; do
        COMPREPLY+=("$word")
    done < <(compgen -W "$1" -- "$2")
}

_logora()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    case $prev in
        --out-dir)
            compopt -o filenames 2>/dev/null
            local IFS=$'\n'
            COMPREPLY=($(compgen -d -- "$cur"))
            return ;;
        --format)
            _logora_suite_words 'csv table dbf xlsx sqlite' "$cur"
            return ;;
        --into)
            _logora_suite_files 'sqlite|sqlite3|db' "$cur"
            return ;;
        --setup)
            _logora_suite_files 'mal' "$cur"
            return ;;
        --jobs | --codepage)
            return ;;
    esac
    case $cur in
        -*)
            _logora_suite_words '--help --version --out-dir --format --jobs --into --setup --quiet --codepage --
                -sd -md -ma -dbf -table -ce -3xx -4xx -ce6 -6xx -tz' "$cur"
            return ;;
        /*/*) ;;
        /*)
            _logora_suite_words '/sd /md /ma /dbf /table /ce /3xx /4xx /ce6 /6xx /tz /?' "$cur" ;;
    esac
    _logora_suite_files 'dat|obf|log|alm|rpp|dbf|mal|csv|xlsx|sqlite|sqlite3|db' "$cur"
}

_vettle()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    COMPREPLY=()
    case $COMP_CWORD in
        1) _logora_suite_words '-i ? --help --version' "$cur" ;;
        2) _logora_suite_files 'csv' "$cur" ;;
        3) [[ ${COMP_WORDS[1]} == [-/][iI] ]] && _logora_suite_words '-o' "$cur" ;;
        4)
            _logora_suite_words '-' "$cur"
            _logora_suite_files 'txt' "$cur" ;;
    esac
}

complete -F _logora logora
complete -F _vettle vettle
