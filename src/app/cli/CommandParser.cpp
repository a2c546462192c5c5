#include "CommandParser.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <map>

namespace zephyra::cli {

namespace {
constexpr std::string_view HELP_NAMES = "-h,--help";
constexpr std::string_view QUIET_NAMES = "-q,--quiet";

// The commands as the parser knows them, with the flags every command has.
struct Declared {
    const Subcommand* command;
    CLI::App* app;
    std::vector<std::string> positional;
};

// A whole number within low..high; a text that is no number is told as such, not as out of range.
CLI::Validator WholeNumberIn(std::int64_t low, std::int64_t high)
{
    const CLI::Range range(low, high);
    return CLI::Validator(
        [range](std::string& input) {
            std::int64_t value = 0;
            if (!CLI::detail::lexical_cast(input, value))
                return "'" + input + "' is not a whole number";
            return range(input);
        },
        "");
}

void Declare(CLI::App& app, const Subcommand& command, std::vector<std::string>& positional)
{
    for (const CommandOption& o : command.options) {
        if (o.IsHeading())
            continue;
        if (o.value.empty())
            app.add_flag(std::string(o.names))->disable_flag_override(); // --json=false is no "false"
        else if (o.low < o.high)
            app.add_option(std::string(o.names))
                ->type_name(std::string(o.value))
                ->check(WholeNumberIn(o.low, o.high));
        else
            app.add_option(std::string(o.names))->type_name(std::string(o.value));
    }
    app.add_flag(std::string(HELP_NAMES));
    app.add_flag(std::string(QUIET_NAMES));
    app.add_option("arguments", positional);
}

ParsedArguments Collect(const CLI::App& app, std::vector<std::string> positional)
{
    ParsedArguments::OptionValues given;
    for (const CLI::Option* o : app.get_options()) {
        if (o->count() == 0 || o->get_positional() || o->get_lnames().empty())
            continue;
        const std::vector<std::string>& results = o->results();
        given[o->get_lnames().front()] =
            o->get_type_size() == 0 || results.empty() ? std::vector<std::string>{""} : results;
    }
    return {std::move(positional), std::move(given)};
}

// CLI11's wording, with the errors met most put plainly. Positional arguments all go to the
// command, so what is left over are options it does not know.
std::string Reason(const CLI::ParseError& e)
{
    const std::string text = e.what();
    if (dynamic_cast<const CLI::ExtrasError*>(&e))
        return "unknown option " + text.substr(text.find(": ") + 2);
    if (const std::size_t required = text.find(": 1 required ");
        dynamic_cast<const CLI::ArgumentMismatch*>(&e) && required != std::string::npos)
        return "option " + text.substr(0, required) + " needs a value";
    if (const std::size_t flag = text.find(" was given a disallowed flag override");
        dynamic_cast<const CLI::ArgumentMismatch*>(&e) && flag != std::string::npos)
        return "option --" + text.substr(0, flag) + " takes no value";
    return text;
}
} // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    ParsedCommandLine line;
    CLI::App root("zephyra", "zephyra");
    root.set_help_flag(); // the help is ours: PrintHelp and PrintOverview
    root.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    root.add_flag(std::string(HELP_NAMES), line.help);
    root.add_flag("--version", line.version);
    root.add_flag(std::string(QUIET_NAMES), line.quiet);
    root.require_subcommand(0, 1);

    std::vector<Declared> declared;
    declared.reserve(Subcommands().size());
    for (const Subcommand& c : Subcommands()) {
        declared.push_back({&c, root.add_subcommand(std::string(c.name)), {}});
        Declare(*declared.back().app, c, declared.back().positional);
    }
    // A word before any command that names none is reported as an unknown command, unless it is
    // the value of an option that belongs after a command ("zephyra --points 100 compute").
    const auto first = std::find_if(arguments.begin(), arguments.end(),
                                    [](const std::string& a) { return a.empty() || a[0] != '-'; });
    if (first != arguments.end() && !FindSubcommand(*first)) {
        const std::string& before = first == arguments.begin() ? std::string() : *(first - 1);
        if (!before.empty() && root.get_option_no_throw(before) == nullptr)
            line.error = "option " + before + " goes after the command it belongs to";
        else
            line.error = "unknown command '" + *first + "' (see 'zephyra help')";
        return line;
    }

    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        root.parse(reversed);
    } catch (const CLI::ParseError& e) {
        for (const Declared& d : declared)
            if (d.app->parsed())
                line.command = d.command;
        line.error = Reason(e);
        return line;
    }
    for (Declared& d : declared) {
        if (!d.app->parsed())
            continue;
        line.command = d.command;
        line.help = d.app->get_option("--help")->count() > 0;
        line.quiet = line.quiet || d.app->get_option("--quiet")->count() > 0;
        line.arguments = Collect(*d.app, std::move(d.positional));
    }
    return line;
}

} // namespace zephyra::cli
