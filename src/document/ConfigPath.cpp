#include "ConfigPath.h"

#include <cstdlib>
#include <system_error>

#include <pwd.h>
#include <unistd.h>

namespace zephyra {

namespace {

constexpr const char* USER_FOLDER = "zephyra-explorer";
constexpr const char* FALLBACK_NAME = "zephyra-explorer.xml";
constexpr const char* CHOICES_EXTENSION = ".conf";

std::filesystem::path RunningExecutable()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable;
}

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::filesystem::path UserConfigFolder(const ConfigEnvironment& environment)
{
    // A relative XDG_CONFIG_HOME is to be ignored.
    if (!environment.xdgConfigHome.empty() && std::filesystem::path(environment.xdgConfigHome).is_absolute())
        return environment.xdgConfigHome;
    if (!environment.home.empty())
        return std::filesystem::path(environment.home) / ".config";
    return {};
}

// The executable's path with the extension replaced by "xml" (added when the name has none).
std::filesystem::path BesideExecutable(const std::filesystem::path& executable)
{
    if (executable.empty())
        return {};
    std::filesystem::path path = executable;
    path.replace_extension(".xml");
    return path;
}

constexpr const char* WINDOW_PROGRAM = "zephyra-explorer";

// A file that is there and that the user may write: a portable install the user set up, or the
// file of an earlier version, which wrote into the program's folder.
bool UsableBeside(const std::filesystem::path& beside)
{
    std::error_code error;
    return std::filesystem::exists(beside, error) && access(beside.c_str(), W_OK) == 0;
}

// A service started without HOME still has a home folder in the user database.
std::string HomeFolder()
{
    std::string home = Variable("HOME");
    if (home.empty())
        if (const passwd* user = getpwuid(getuid()); user && user->pw_dir)
            home = user->pw_dir;
    return home;
}

ConfigEnvironment ProcessEnvironment()
{
    return {Variable("XDG_CONFIG_HOME"), HomeFolder()};
}

} // namespace

std::filesystem::path ResolveConfigPath(const std::filesystem::path& executable,
                                        const std::optional<std::filesystem::path>& configOption,
                                        const ConfigEnvironment& environment)
{
    if (configOption)
        return *configOption;
    const std::filesystem::path beside = BesideExecutable(executable);
    if (!beside.empty() && UsableBeside(beside))
        return beside;
    const std::filesystem::path userFolder = UserConfigFolder(environment);
    const std::filesystem::path name = beside.empty() ? FALLBACK_NAME : beside.filename();
    if (userFolder.empty())
        return beside.empty() ? name : beside;
    return userFolder / USER_FOLDER / name;
}

std::filesystem::path ConfigLocation::ToRead() const
{
    std::error_code error;
    return firstRead.empty() || std::filesystem::exists(file, error) ? file : firstRead;
}

ConfigLocation ResolveConfigLocation(const std::filesystem::path& executable,
                                     const std::optional<std::filesystem::path>& configOption,
                                     const ConfigEnvironment& environment)
{
    const std::filesystem::path ownFile = ResolveConfigPath(executable, std::nullopt, environment);
    ConfigLocation location{configOption ? *configOption : ownFile, {}, {}};
    const std::filesystem::path beside = BesideExecutable(executable);
    if (!configOption && location.file != beside)
        location.firstRead = beside;
    location.choices = std::filesystem::path(ownFile).replace_extension(CHOICES_EXTENSION);
    return location;
}

ConfigLocation DefaultConfigLocation(const std::optional<std::filesystem::path>& configOption)
{
    return ResolveConfigLocation(RunningExecutable(), configOption, ProcessEnvironment());
}

ConfigLocation WindowProgramConfigLocation(const std::optional<std::filesystem::path>& configOption)
{
    return ResolveConfigLocation(RunningExecutable().parent_path() / WINDOW_PROGRAM, configOption,
                                 ProcessEnvironment());
}

} // namespace zephyra
