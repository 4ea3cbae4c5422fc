# Writes the bash completion of orvoview-cli from its own help texts: the commands of the
# overview, and per command the options its --help names.
# cmake -DPROGRAM=<orvoview-cli> -DOUT=<file> -P BashCompletion.cmake
include(${CMAKE_CURRENT_LIST_DIR}/HelpOf.cmake)

# The options a help text names, and those of them that take a value ("--out FILE"); a value
# from a list ("--overwrite yes|no") adds a case that offers its words.
function(options_of text all valued)
    string(REGEX MATCHALL "--[a-z][a-z-]*( [A-Z][A-Z.|-]*| [a-z]+[|][a-z|]+)?" found "${text}")
    set(names)
    set(takes)
    foreach(option IN LISTS found)
        string(REGEX MATCH "^--[a-z-]+" name "${option}")
        list(APPEND names ${name})
        if(option MATCHES " ")
            list(APPEND takes ${name})
        endif()
        get_property(known GLOBAL PROPERTY orvo_choices)
        string(FIND "${known}" "    ${name})" seen)
        if(option MATCHES " ([a-z]+[|][a-z|]+)$" AND seen EQUAL -1)
            string(REPLACE "|" " " words "${CMAKE_MATCH_1}")
            set_property(GLOBAL APPEND_STRING PROPERTY orvo_choices
                "    ${name}) COMPREPLY=($(compgen -W \"${words}\" -- \"$cur\")); return ;;\n")
        endif()
    endforeach()
    list(REMOVE_DUPLICATES names)
    list(REMOVE_DUPLICATES takes)
    list(JOIN names " " names)
    list(JOIN takes "|" takes)
    set(${all} "${names}" PARENT_SCOPE)
    set(${valued} "${takes}" PARENT_SCOPE)
endfunction()

help_of(overview)
string(REGEX MATCHALL "\n  [a-z][a-z-]+ " lines "${overview}")
set(commands)
set(cases)
set(valued_all)
foreach(line IN LISTS lines)
    string(STRIP "${line}" command)
    list(APPEND commands ${command})
    help_of(text ${command})
    options_of("${text}" names valued)
    string(APPEND cases "        ${command}) options=\"${names}\" ;;\n")
    if(valued)
        list(APPEND valued_all ${valued})
    endif()
endforeach()
options_of("${overview}" global global_valued)
list(APPEND valued_all ${global_valued})
list(JOIN valued_all "|" valued_all)
string(REPLACE "|" ";" valued_list "${valued_all}")
list(REMOVE_DUPLICATES valued_list)
list(JOIN valued_list "|" valued_all)
list(JOIN commands " " commands)
get_property(choices GLOBAL PROPERTY orvo_choices)

file(WRITE "${OUT}" "# bash completion for orvoview-cli; made from its help texts, do not edit.
_orvoview_cli() {
    local cur=\${COMP_WORDS[COMP_CWORD]} prev=\${COMP_WORDS[COMP_CWORD-1]}
    local command='' i
    for ((i = 1; i < COMP_CWORD; i++)); do
        case \${COMP_WORDS[i]} in
        ${valued_all}) ((i++)) ;;
        -*) ;;
        *)
            command=\${COMP_WORDS[i]}
            break
            ;;
        esac
    done
    case \$prev in
    --home) COMPREPLY=(\$(compgen -d -- \"\$cur\")); return ;;
    --out | --file) COMPREPLY=(\$(compgen -f -- \"\$cur\")); return ;;
${choices}    ${valued_all}) COMPREPLY=(); return ;;
    esac
    local options=''
    case \$command in
${cases}        '') COMPREPLY=(\$(compgen -W \"${commands} ${global}\" -- \"\$cur\")); return ;;
    esac
    if [[ \$cur == -* ]]; then
        COMPREPLY=(\$(compgen -W \"\$options ${global}\" -- \"\$cur\"))
    else
        COMPREPLY=(\$(compgen -f -- \"\$cur\"))
    fi
}
complete -o filenames -F _orvoview_cli orvoview-cli
")
