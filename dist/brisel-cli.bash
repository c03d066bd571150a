# bash completion for brisel-cli
_brisel_cli() {
  local cur prev help
  cur="${COMP_WORDS[COMP_CWORD]}"
  prev="${COMP_WORDS[COMP_CWORD-1]}"
  # Every word comes from the program's own help: "  --rep PATH   the REP..."
  # lists a setting and its argument, "  sort=COL   sort..." an operation.
  help=$(brisel-cli --help 2>/dev/null)
  local settings="" word argument
  while read -r word argument; do
    settings+=" $word"
    [[ "$prev" == "$word" && -n "$argument" ]] || continue
    case "$argument" in
      PATH)
        COMPREPLY=($(compgen -f -- "$cur"))
        compopt -o filenames 2>/dev/null ;;
      *)
        case "$word" in
          --decimal-separator) COMPREPLY=($(compgen -W ". ," -- "$cur")) ;;
          --units) COMPREPLY=($(compgen -W "mm mil in" -- "$cur")) ;;
        esac ;;
    esac
    return
  done < <(sed -n '/^Settings:/,/^$/{s/^  \(--[^ ]*\)\( [^ ]*\)\{0,1\}  .*/\1\2/p}' <<<"$help")
  # write-placements=PATH and preview=PATH: bash splits the word at '='.
  local writes
  writes=$(sed -n '/^Operations:/,/^$/{s/^  \([^ =]*\)=PATH .*/\1/p}' <<<"$help")
  if [[ "$prev" == "=" ]] && grep -qxF -- "${COMP_WORDS[COMP_CWORD-2]}" <<<"$writes"; then
    COMPREPLY=($(compgen -f -- "$cur"))
    compopt -o filenames 2>/dev/null
    return
  fi
  # print=WHAT (rules-report, rak-report...): the printouts --help lists.
  if [[ "$prev" == "=" && "${COMP_WORDS[COMP_CWORD-2]}" == "print" ]]; then
    COMPREPLY=($(compgen -W "$(sed -n '/^Operations:/,/^$/{s/^  print=\([^ ]*\) .*/\1/p}' <<<"$help")" -- "$cur"))
    return
  fi
  # The operations, cut before their argument.
  local operations
  operations=$(sed -n '/^Operations:/,/^$/{s/^  \([^ ]*\).*/\1/p}' <<<"$help" | sed 's/=.*/=/' | sort -u)
  if [[ "$cur" == -* ]]; then
    COMPREPLY=($(compgen -W "$settings" -- "$cur"))
  else
    COMPREPLY=($(compgen -W "$operations" -- "$cur"))
    [[ ${#COMPREPLY[@]} -eq 1 && "${COMPREPLY[0]}" == *= ]] && compopt -o nospace 2>/dev/null
  fi
}
complete -F _brisel_cli brisel-cli
