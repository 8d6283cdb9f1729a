#include "tools/shell_completion.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "tools/command_table.h"

namespace lorvenna {
namespace {

// compgen expands its word list again, so a word goes in only when no
// character of it means anything to the shell; a word that would is left
// out rather than run.
bool sicura(std::string_view parola) {
  return !parola.empty() && std::all_of(parola.begin(), parola.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == ' ' || c == '_' || c == '.' ||
           c == '-';
  });
}

// The words one a line, as an ANSI-C quoted string: the script splits its
// lists at new lines only, so that a topic of two words stays one.
template <typename Parole>
std::string lista(const Parole& parole) {
  std::string s;
  for (const auto& p : parole) {
    if (!sicura(p)) continue;
    s += (s.empty() ? "" : "\\n") + std::string(p);
  }
  return "$'" + s + "'";
}

std::string coppia(const comando& c, const opzione& o) {
  return "'" + std::string(c.nome) + ":" + o.nome + "'";
}

// The value of an option: one of its few values, a file when its value
// names one ("FILE.svg"), and nothing to offer otherwise ("NAME").
std::string valori(std::span<const comando* const> tabella) {
  std::string s;
  for (const comando* c : tabella) {
    for (const opzione& o : c->opzioni) {
      if (!o.prende_valore() || !sicura(o.nome)) continue;
      if (!o.valori.empty()) {
        s += "            " + coppia(*c, o) + ") COMPREPLY=($(compgen -W " + lista(o.valori) +
             " -- \"$cur\")) ;;\n";
      } else if (std::string_view(o.valore).starts_with("FILE")) {
        s += "            " + coppia(*c, o) +
             ") compopt -o filenames 2>/dev/null; COMPREPLY=($(compgen -f -- \"$cur\")) ;;\n";
      }
    }
  }
  return s;
}

std::string prende_valore(std::span<const comando* const> tabella) {
  std::string coppie;
  for (const comando* c : tabella) {
    for (const opzione& o : c->opzioni) {
      if (o.prende_valore() && sicura(o.nome)) {
        coppie += (coppie.empty() ? "" : " | ") + coppia(*c, o);
      }
    }
  }
  if (coppie.empty()) coppie = "''";  // a table with no such option
  return "# Whether option $2 of command $1 takes a value.\n"
         "_scenario_tool_takes_value()\n"
         "{\n"
         "    case $1:$2 in\n"
         "        " +
         coppie +
         ") return 0 ;;\n"
         "    esac\n"
         "    return 1\n"
         "}\n";
}

std::string comandi_e_loro_parole(std::span<const comando* const> tabella,
                                  const std::vector<std::string>& argomenti) {
  std::string s;
  for (const comando* c : tabella) {
    if (!sicura(c->nome)) continue;
    std::vector<std::string_view> opzioni;
    for (const opzione& o : c->opzioni) opzioni.push_back(o.nome);
    opzioni.push_back("--help");
    s += "        '" + std::string(c->nome) + "') options=" + lista(opzioni) +
         " folders=" + std::to_string(c->cartelle.size());
    if (c->argomento) s += " other=" + lista(argomenti);
    s += " ;;\n";
  }
  return s;
}

// The first word: a command, or an option of scenario-tool's own.
std::string primo_argomento(std::span<const comando* const> tabella) {
  std::vector<std::string_view> primi;
  for (const comando* c : tabella) primi.push_back(c->nome);
  primi.insert(primi.end(), {"--help", "--version"});
  return "    if [[ $COMP_CWORD -eq 1 ]]; then\n"
         "        COMPREPLY=($(compgen -W " +
         lista(primi) +
         " -- \"$cur\"))\n"
         "        return\n"
         "    fi\n";
}

std::string valore_di_opzione(std::span<const comando* const> tabella) {
  return "    # An option's value, also after '=', which bash splits off as a word\n"
         "    # unless '=' was taken out of COMP_WORDBREAKS.\n"
         "    local prefix=\n"
         "    if [[ $cur == -*=* ]]; then\n"
         "        option=${cur%%=*} prefix=${cur%%=*}= cur=${cur#*=}\n"
         "    elif [[ $cur == = ]]; then\n"
         "        option=$prev cur=\n"
         "    elif [[ $prev == = && $COMP_CWORD -ge 3 ]]; then\n"
         "        option=${COMP_WORDS[COMP_CWORD-2]}\n"
         "    else\n"
         "        option=$prev\n"
         "    fi\n"
         "    if _scenario_tool_takes_value \"$command\" \"$option\"; then\n"
         "        case $command:$option in\n" +
         valori(tabella) +
         "        esac\n"
         "        [[ -n $prefix ]] && COMPREPLY=(\"${COMPREPLY[@]/#/$prefix}\")\n"
         "        return\n"
         "    fi\n";
}

// Past the command: its options, its folders, then its other word.
std::string parole_del_comando(std::span<const comando* const> tabella,
                               const std::vector<std::string>& argomenti) {
  return "    local options= folders=0 other=\n"
         "    case $command in\n" +
         comandi_e_loro_parole(tabella, argomenti) +
         "        *) return ;;\n"
         "    esac\n"
         "    # The folders and the other word given so far, past the options and\n"
         "    # their values.\n"
         "    local i=2 given=0\n"
         "    while [[ $i -lt $COMP_CWORD ]]; do\n"
         "        if [[ ${COMP_WORDS[i]} == -?* ]]; then\n"
         "            if [[ ${COMP_WORDS[i+1]} == = ]]; then\n"
         "                i=$((i + 2))\n"
         "            elif _scenario_tool_takes_value \"$command\" \"${COMP_WORDS[i]}\"; then\n"
         "                i=$((i + 1))\n"
         "            fi\n"
         "        else\n"
         "            given=$((given + 1))\n"
         "        fi\n"
         "        i=$((i + 1))\n"
         "    done\n"
         "    if [[ $cur != -* && $given -lt $folders ]]; then\n"
         "        compopt -o filenames 2>/dev/null\n"
         "        COMPREPLY=($(compgen -d -- \"$cur\"))\n"
         "    elif [[ $cur != -* && $given -eq $folders && -n $other ]]; then\n"
         "        compopt -o filenames 2>/dev/null\n"
         "        COMPREPLY=($(compgen -W \"$other\" -- \"$cur\"))\n"
         "    else\n"
         "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
         "    fi\n";
}

}  // namespace

std::string completamento_bash(std::span<const comando* const> tabella,
                               const std::vector<std::string>& argomenti) {
  return "# bash completion for scenario-tool, made from its command table at build time:\n"
         "# edit the table (tools/command_*.cpp), not this file.\n"
         "\n" +
         prende_valore(tabella) +
         "\n"
         "_scenario_tool()\n"
         "{\n"
         "    local IFS=$'\\n'\n"
         "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
         "    local command=${COMP_WORDS[1]} option=\n"
         "    COMPREPLY=()\n" +
         primo_argomento(tabella) + valore_di_opzione(tabella) +
         parole_del_comando(tabella, argomenti) +
         "}\n"
         "complete -F _scenario_tool scenario-tool\n";
}

}  // namespace lorvenna
