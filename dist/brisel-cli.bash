# bash completion for brisel-cli
_brisel_cli() {
  local cur prev
  cur="${COMP_WORDS[COMP_CWORD]}"
  prev="${COMP_WORDS[COMP_CWORD-1]}"
  case "$prev" in
    --qpf-template|--rep|--cmp|--qpf|--mnt|--bom|--rak|--txt|--zirkan|--placements)
      COMPREPLY=($(compgen -f -- "$cur"))
      compopt -o filenames 2>/dev/null
      return ;;
    --decimal-separator)
      COMPREPLY=($(compgen -W ". ," -- "$cur"))
      return ;;
    --units)
      COMPREPLY=($(compgen -W "mm mil in" -- "$cur"))
      return ;;
    --force|--columns)
      return ;;
  esac
  # write-placements=PATH and preview=PATH: bash splits the word at '='.
  if [[ "$prev" == "=" && ( "${COMP_WORDS[COMP_CWORD-2]}" == write-placements ||
        "${COMP_WORDS[COMP_CWORD-2]}" == preview ) ]]; then
    COMPREPLY=($(compgen -f -- "$cur"))
    compopt -o filenames 2>/dev/null
    return
  fi
  local settings="--qpf-template --rep --cmp --qpf --mnt --bom --rak --txt --zirkan --placements
    --columns --units --mils
    --comma --no-comma --english --force --decimal-separator --keep-going --quiet --help --version"
  # The operations as the program's own help lists them, cut before their argument.
  local operations
  operations=$(brisel-cli --help 2>/dev/null |
    sed -n '/^Operations:/,/^$/{s/^  \([^ ]*\).*/\1/p}' | sed 's/=.*/=/')
  if [[ "$cur" == -* ]]; then
    COMPREPLY=($(compgen -W "$settings" -- "$cur"))
  else
    COMPREPLY=($(compgen -W "$operations" -- "$cur"))
    [[ ${#COMPREPLY[@]} -eq 1 && "${COMPREPLY[0]}" == *= ]] && compopt -o nospace 2>/dev/null
  fi
}
complete -F _brisel_cli brisel-cli
