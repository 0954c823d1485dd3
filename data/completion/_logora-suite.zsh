#compdef logora vettle
# Zsh completion for logora and vettle. Installed once under each program's
# name (_logora, _vettle) in zsh's site functions.

_logora_suite_logora() {
  local -a switches
  switches=(/sd /md /ma /dbf /table /ce /3xx /4xx /ce6 /6xx /tz '/\?')
  _arguments -s -S \
    '(- *)'{-h,--help}'[show the help]' \
    '(- *)--version[show the version]' \
    '--out-dir[convert every input into this folder]:folder:_directories' \
    '--format[the outputs of --out-dir]:format:(csv table dbf xlsx sqlite)' \
    '--jobs[inputs converted at once]:number: ' \
    '--into[convert every input into a table of this SQLite database]:database:_files -g "*.(sqlite|sqlite3|db)(-.)"' \
    '--setup[the alarm setup file of every .alm input]:setup file:_files -g "*.(#i)mal(-.)"' \
    '--codepage[the code page of the texts for this run]:code page:(1252 65001 1250 1251 932)' \
    '--quiet[show no progress line]' \
    '*:input or output:->files'
  if [[ $state == files ]]; then
    if [[ $PREFIX == /* && $PREFIX != /*/* ]]; then
      compadd -Q -a switches
    fi
    _files -g '*.(#i)(dat|obf|log|alm|rpp|dbf|mal|csv|xlsx|sqlite|sqlite3|db)(-.)'
  fi
}

_logora_suite_vettle() {
  case $CURRENT in
    2) compadd -- -i '?' --help --version ;;
    3) _files -g '*.(#i)csv(-.)' ;;
    *)
      compadd -- -o --json --quiet
      [[ $words[CURRENT-1] == -o ]] && { compadd -- -; _files -g '*.(#i)txt(-.)'; }
      [[ $words[CURRENT-1] != -o ]] && _files -g '*.(#i)csv(-.)' ;;
  esac
}

case $service in
  logora) _logora_suite_logora "$@" ;;
  vettle) _logora_suite_vettle "$@" ;;
esac
