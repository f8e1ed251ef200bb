#!/usr/bin/env bash
# Loads the completion of makewords as bash does and asks it for options and
# for the values of --sort: completion.sh COMPLETION-FILE
set -euo pipefail
source /usr/share/bash-completion/bash_completion
source "$1"

complete_words() {
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="${COMP_WORDS[*]}"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _makewords makewords "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    echo "${COMPREPLY[*]}"
}

[[ "$(complete_words makewords --so)" == "--sort" ]] || { echo "--so: $(complete_words makewords --so)"; exit 1; }
[[ "$(complete_words makewords --sort s)" == "score" ]] || { echo "--sort s: $(complete_words makewords --sort s)"; exit 1; }
[[ "$(complete_words makewords --format j)" == "json" ]] || { echo "--format j: $(complete_words makewords --format j)"; exit 1; }
[[ "$(complete_words makewords --tiles f)" == "fr" ]] || { echo "--tiles f: $(complete_words makewords --tiles f)"; exit 1; }
[[ "$(complete_words makewords --fold)" == "--fold-accents" ]] || { echo "--fold: $(complete_words makewords --fold)"; exit 1; }
echo "completion: options and values complete"
