#compdef tessaly
_arguments -s \
  '*'{-d,--folder}'[search this folder or file]:path:_files' \
  {-c,--category}'[search the folders of a Category]:name:' \
  '--data-dir[folder of the data files]:folder:_directories' \
  '--settings[start from the saved options]' \
  {-C,--match-case}'[match upper and lower case]' \
  {-s,--smart}'[stop passages at punctuation]' \
  '--no-subfolders[only the folders themselves]' \
  {-t,--types}'[only these extensions]:list:' \
  '--past-months[changed in the past N months]:months:' \
  '--from[changed on or after]:date:' \
  '--to[changed on or before]:date:' \
  {-b,--starts-with}'[file names beginning with]:text:' \
  {-w,--context}'[words around a hit]:count:(10 20 30)' \
  {-a,--all-hits}'[every passage]' \
  {-n,--nearby}'[NEARBY distance]:words:' \
  {-l,--names-only}'[names without passages]' \
  '*--exclude-dir[do not enter folders matching]:pattern:' \
  '--hidden[search hidden files and folders]' \
  '--binary[search binary files too]' \
  '--max-filesize[pass over larger files]:size (K, M or G may follow):' \
  '--raw[search documents as raw bytes]' \
  '--document-time-limit[processor time for one document]:seconds:' \
  '--no-index[neither use nor add to the remembered words]' \
  '--index-info[show where the remembered words are kept and exit]' \
  {-f,--format}'[output format]:format:(text paths rtf json)' \
  {-o,--output}'[write to this file]:file:_files' \
  {-j,--threads}'[files searched at once]:count:' \
  {-0,--null}'[end each path with a NUL]' \
  '--color[colour]:when:(auto always never)' \
  '--passed-over[name every entry passed over]' \
  {-h,--help}'[show the options]' \
  '--version[show the version]' \
  '*:word or operator:(AND OR NOT NEARBY)'
