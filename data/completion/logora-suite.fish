# Fish completion for logora and vettle. Installed once under each program's
# name in fish's vendor completions folder; each copy completes both.

complete -c logora -f
complete -c logora -s h -l help -d 'Show the help'
complete -c logora -l version -d 'Show the version'
complete -c logora -l out-dir -r -f -a '(__fish_complete_directories)' -d 'Convert every input into this folder'
complete -c logora -l format -x -a 'csv table dbf xlsx sqlite' -d 'The outputs of --out-dir'
complete -c logora -l jobs -x -d 'Inputs converted at once'
complete -c logora -l into -r -F -d 'Convert every input into a table of this SQLite database'
complete -c logora -l setup -r -F -d 'The alarm setup file of every .alm input'
complete -c logora -l codepage -x -a '1252 65001 1250 1251 932' -d 'The code page of the texts for this run'
complete -c logora -l quiet -d 'Show no progress line'
complete -c logora -a '/sd' -d 'Zarn datalog'
complete -c logora -a '/md' -d 'Vell datalog'
complete -c logora -a '/ma' -d 'Vell alarm log'
complete -c logora -a '/dbf' -d 'dBASE table'
complete -c logora -a '/table' -d 'CSV in table form'
complete -c logora -a '/ce /3xx /4xx /ce6 /6xx' -d 'Alarm log version (after /ma)'
complete -c logora -a '/tz' -d 'Hours of the time zone'
complete -c logora -a '(__fish_complete_suffix .dat .DAT .obf .OBF .log .LOG .alm .ALM .rpp .RPP .dbf .DBF .mal .csv .xlsx .sqlite .db)'

complete -c vettle -f
complete -c vettle -s i -r -F -d 'The data logs to check'
complete -c vettle -s o -r -F -d 'The report file (- for standard output)'
complete -c vettle -l json -d 'The report as JSON'
complete -c vettle -l quiet -d 'Show no progress line'
complete -c vettle -l help -d 'Show the help'
complete -c vettle -l version -d 'Show the version'
complete -c vettle -a '(__fish_complete_suffix .csv .CSV)'
