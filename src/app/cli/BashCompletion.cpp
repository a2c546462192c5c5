#include "BashCompletion.h"

#include "AttractorCase.h"
#include "RenderOptions.h"
#include "Subcommand.h"

#include <algorithm>
#include <cctype>
#include <ostream>

namespace zephyra::cli {

namespace {
bool TakesFile(std::string_view value)
{
    for (const std::string_view word : {"FILE", "PATH", "FOLDER"})
        if (value.find(word) != std::string_view::npos)
            return true;
    return false;
}

// "-o,--output" as a bash pattern "-o|--output"; "8|16" as the words "8 16".
std::string Replaced(std::string_view text, char from, char to)
{
    std::string out(text);
    for (char& c : out)
        if (c == from)
            c = to;
    return out;
}

// The words a value can be: the choices of a table, or the literal alternatives of "8|16" and
// "RRGGBB|transparent" (a placeholder in capitals is no word to type).
std::string ValueWords(const CommandOption& o)
{
    if (o.choices && !o.choices->empty()) {
        std::string words;
        for (const std::string& choice : *o.choices)
            words.append(words.empty() ? "" : " ").append(choice);
        return words;
    }
    if (o.value.find('|') == std::string_view::npos)
        return "";
    std::string words;
    std::string_view rest = o.value;
    while (!rest.empty()) {
        const std::string_view word = rest.substr(0, rest.find('|'));
        rest.remove_prefix(std::min(rest.size(), word.size() + 1));
        if (std::any_of(word.begin(), word.end(), [](char c) {
                return std::islower(static_cast<unsigned char>(c)) ||
                       std::isdigit(static_cast<unsigned char>(c));
            }))
            words.append(words.empty() ? "" : " ").append(word);
    }
    return words;
}

// The case letters, without the backslash, which a shell word cannot take unquoted.
std::string CaseLetters()
{
    std::string letters;
    for (char letter = 'E'; letter <= '^'; ++letter)
        if (letter != '\\' && DescribeCase(letter))
            letters += std::string(letters.empty() ? "" : " ") + letter;
    return letters;
}

// What the first argument of a command is, read from its usage: "search LETTER [OPTIONS]".
std::string PositionalWords(const Subcommand& c)
{
    const std::string_view argument = c.usage.substr(c.name.size() + 1);
    if (argument.substr(0, 6) == "LETTER")
        return "letters=1";
    if (argument.substr(0, 9) == "[COMMAND]")
        return "words=\"$commands\"";
    if (argument.substr(0, 6) == "[FILE]")
        return "files=1";
    return "";
}

void WriteCommand(std::ostream& out, const Subcommand& c)
{
    out << "    " << c.name << ")\n        options='";
    for (const CommandOption& o : c.options)
        if (!o.IsHeading())
            out << Replaced(o.names, ',', ' ') << ' ';
    out << "-q --quiet -h --help'\n        valued='";
    for (const CommandOption& o : c.options)
        if (!o.IsHeading() && !o.value.empty())
            out << Replaced(o.names, ',', ' ') << ' ';
    out << "'\n";
    // Only the first argument is completed: a case letter takes no second one.
    if (const std::string positional = PositionalWords(c); !positional.empty())
        out << "        [[ $cur != -* ]] && (($(_zephyra_arguments $at \"$valued\") == 0)) && " << positional
            << "\n";
    out << "        case $prev in\n";
    for (const CommandOption& o : c.options) {
        if (o.IsHeading() || o.value.empty())
            continue;
        out << "        " << Replaced(o.names, ',', '|') << ") ";
        if (TakesFile(o.value))
            out << "files=1 letters=0 words= ;;\n";
        else if (const std::string words = ValueWords(o); !words.empty())
            out << "files=0 letters=0 words='" << words << "' ;;\n";
        else
            out << "return ;;\n";
    }
    out << "        esac ;;\n";
}
} // namespace

void WriteBashCompletion(std::ostream& out)
{
    out << "# bash completion for zephyra; written by the build from the option tables of the commands.\n"
           "# How many arguments stand between the command (at word $1) and the word completed; $2 lists\n"
           "# the options that take a value, which is no argument.\n"
           "_zephyra_arguments()\n{\n"
           "    local n=0 skip=0 i w\n"
           "    for ((i = $1 + 1; i < COMP_CWORD; i++)); do\n"
           "        w=${COMP_WORDS[i]}\n"
           "        if ((skip)); then skip=0\n"
           "        elif [[ $w == = ]]; then skip=1\n"
           "        elif [[ $w == -* ]]; then [[ \" $2 \" == *\" $w \"* && ${COMP_WORDS[i+1]} != = ]] && "
           "skip=1\n"
           "        else ((n++))\n"
           "        fi\n"
           "    done\n"
           "    echo $n\n"
           "}\n"
           "_zephyra()\n{\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
           "    local commands='";
    for (const Subcommand& c : Subcommands())
        out << (&c == &Subcommands().front() ? "" : " ") << c.name;
    out << "'\n"
           "    local command= options= valued= words= files=0 letters=0 at\n"
           "    for ((at = 1; at < COMP_CWORD; at++)); do\n"
           "        [[ ${COMP_WORDS[at]} != -* ]] && { command=${COMP_WORDS[at]}; break; }\n"
           "    done\n"
           "    case $command in\n"
           "    '')\n"
           "        options='-h --help --version -q --quiet'\n"
           "        [[ $cur != -* ]] && words=$commands ;;\n";
    for (const Subcommand& c : Subcommands())
        WriteCommand(out, c);
    out << "    *) return ;;\n"
           "    esac\n"
           "    if ((files)); then\n"
           "        compopt -o filenames 2>/dev/null\n"
           "        mapfile -t COMPREPLY < <(compgen -f -- \"$cur\")\n"
           "    elif ((letters)); then\n"
           "        COMPREPLY=($(compgen -W '"
        << CaseLetters()
        << "' -- \"$cur\"))\n"
           "    elif [[ -n $words ]]; then\n"
           "        COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n"
           "    else\n"
           "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
           "    fi\n"
           "}\n"
           "complete -F _zephyra zephyra\n";
}

} // namespace zephyra::cli
