#include "BashCompletion.h"

#include "AttractorCase.h"
#include "Subcommand.h"

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
    out << "-q --quiet -h --help'\n";
    if (const std::string positional = PositionalWords(c); !positional.empty())
        out << "        [[ $cur != -* ]] && " << positional << "\n";
    out << "        case $prev in\n";
    for (const CommandOption& o : c.options) {
        if (o.IsHeading() || o.value.empty())
            continue;
        out << "        " << Replaced(o.names, ',', '|') << ") ";
        if (TakesFile(o.value))
            out << "files=1 letters=0 words= ;;\n";
        else if (o.value.find('|') != std::string_view::npos)
            out << "files=0 letters=0 words='" << Replaced(o.value, '|', ' ') << "' ;;\n";
        else
            out << "return ;;\n";
    }
    out << "        esac ;;\n";
}
} // namespace

void WriteBashCompletion(std::ostream& out)
{
    out << "# bash completion for zephyra; written by the build from the option tables of the commands.\n"
           "_zephyra()\n{\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
           "    local commands='";
    for (const Subcommand& c : Subcommands())
        out << (&c == &Subcommands().front() ? "" : " ") << c.name;
    out << "'\n"
           "    local command= options= words= files=0 letters=0 i\n"
           "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
           "        [[ ${COMP_WORDS[i]} != -* ]] && { command=${COMP_WORDS[i]}; break; }\n"
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
           "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
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
