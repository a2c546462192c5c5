#include "ManPage.h"

#include "Subcommand.h"

#include <ostream>
#include <sstream>

namespace zephyra::cli {

namespace {
// Text for roff: backslashes escaped, dashes as minus signs (so that they can be searched and
// copied), and no line that starts with a control character.
std::string Roff(std::string_view text)
{
    std::string out;
    bool lineStart = true;
    for (const char c : text) {
        if (lineStart && (c == '.' || c == '\''))
            out += "\\&";
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
        lineStart = c == '\n';
    }
    return out;
}

// A paragraph of the help, which breaks its lines for 100 columns: roff fills them again.
std::string Paragraph(std::string_view text)
{
    std::string joined(text);
    while (!joined.empty() && joined.back() == '\n')
        joined.pop_back();
    for (char& c : joined)
        if (c == '\n')
            c = ' ';
    return Roff(joined);
}

void WriteOption(std::ostream& out, const CommandOption& o)
{
    out << ".TP\n";
    std::string names(o.names);
    for (std::size_t comma; (comma = names.find(',')) != std::string::npos;)
        names.replace(comma, 1, " ");
    std::istringstream words(names);
    bool first = true;
    for (std::string name; words >> name; first = false)
        out << (first ? "" : ", ") << "\\fB" << Roff(name) << "\\fR";
    if (!o.value.empty())
        out << " \\fI" << Roff(o.value) << "\\fR";
    out << "\n" << Paragraph(o.help) << "\n";
}
} // namespace

void WriteManPage(std::ostream& out, std::string_view version)
{
    out << ".\\\" Written by the build from the option tables of the commands.\n"
        << ".TH ZEPHYRA 1 \"\" \"zephyra " << version << "\" \"User Commands\"\n"
        << ".SH NAME\nzephyra \\- find, compute and draw strange attractors on the command line\n"
        << ".SH SYNOPSIS\n.B zephyra\n.RB [ \\-h | \\-\\-help ]\n.RB [ \\-\\-version ]\n"
        << ".I command\n.RI [ options ]\n.RB [ \\-\\- ]\n.RI [ arguments ]\n"
        << ".SH DESCRIPTION\n"
        << "Every attractor is named by a short text code such as \\fBEWM?MPMMWMMMM\\fR (the H\\['e]non "
           "map):\n"
        << "its first letter is the case (the kind of map or system), the other letters its coefficients.\n"
        << ".B zephyra\ncomputes attractors, searches for new ones, draws pictures and animations and lists\n"
        << "what documents and pictures hold; it needs no display. The window program is\n"
        << ".BR zephyra\\-explorer (1).\n.PP\n"
        << "Options take their value as \\fB\\-\\-name\\fR \\fIvalue\\fR or "
           "\\fB\\-\\-name=\\fR\\fIvalue\\fR; "
        << "after \\fB\\-\\-\\fR every word is an argument. Data (CSV, JSON, the finds) goes to standard "
           "output; "
        << "progress, notes and errors go to standard error.\n"
        << ".SH OPTIONS\n"
        << ".TP\n\\fB\\-h\\fR, \\fB\\-\\-help\\fR\nThe commands, or with a command its options.\n"
        << ".TP\n\\fB\\-\\-version\\fR\nThe version.\n"
        << ".TP\n\\fB\\-q\\fR, \\fB\\-\\-quiet\\fR\nNo progress bar and no \\(lqWrote\\(rq line; "
        << "every command takes it too.\n"
        << ".SH COMMANDS\n";
    for (const Subcommand& c : Subcommands()) {
        out << ".SS \"" << Roff(c.name) << "\"\n.B zephyra\n"
            << Roff(c.usage) << "\n.PP\n"
            << Paragraph(c.about) << "\n";
        for (const CommandOption& o : c.options) {
            if (o.IsHeading())
                out << ".PP\n" << Paragraph(o.help) << "\n";
            else
                WriteOption(out, o);
        }
        if (!c.notes.empty())
            out << ".PP\n" << Paragraph(c.notes) << "\n";
    }
    out << ".SH EXIT STATUS\n"
        << ".TP\n.B 0\nDone.\n"
        << ".TP\n.B 1\nThe work failed: a refused code, an unreadable or unwritable file, no memory.\n"
        << ".TP\n.B 2\nThe command line is wrong; the reason and the usage are on standard error.\n"
        << ".TP\n.B 130\nStopped by Ctrl+C. A picture or animation is not written; a search still prints "
           "and writes what it found.\n"
        << ".SH FILES\n"
        << ".TP\n.I ~/.config/zephyra\\-explorer/zephyra\\-explorer.xml\n"
        << "The configuration of the window program, which \\fBlist\\fR shows without a file (the folder is "
           "\\fB$XDG_CONFIG_HOME/zephyra\\-explorer\\fR when that is set; a writable "
           "\\fIzephyra\\-explorer.xml\\fR already beside the programs is used instead).\n"
        << ".SH EXAMPLES\n"
        << ".EX\nzephyra render \\(aqEWM?MPMMWMMMM\\(aq \\-\\-density \\-o henon.png\n"
        << "zephyra render \\-\\-from henon.png \\-\\-size=7680x4320 \\-o big.png\n"
        << "zephyra search L \\-\\-count 24 \\-\\-sheet l.png \\-o l.zpr\n"
        << "zephyra variants \\(aqEWM?MPMMWMMMM\\(aq \\-\\-count 12 \\-\\-json\n"
        << "zephyra animate \\(aqEWM?MPMMWMMMM\\(aq \\-\\-frames 90 \\-o turn.webp\n.EE\n"
        << ".SH SEE ALSO\n.BR zephyra\\-explorer (1)\n";
}

} // namespace zephyra::cli
