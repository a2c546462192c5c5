#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace zephyra {

// The environment variables the per-user folder is found from (empty when unset).
struct ConfigEnvironment {
    std::string xdgConfigHome;
    std::string home;
};

// Where the configuration file is read and written: `--config PATH` when given; else beside the
// executable, named after it with the extension xml, when that file is there and the user may
// write it (a portable install, or the file of an earlier version); else under the same name in the
// per-user folder $XDG_CONFIG_HOME/zephyra-explorer (by default ~/.config/zephyra-explorer). The
// program's folder is never written otherwise: as root it is /usr/bin.
[[nodiscard]] std::filesystem::path
ResolveConfigPath(const std::filesystem::path& executable,
                  const std::optional<std::filesystem::path>& configOption,
                  const ConfigEnvironment& environment);

// The configuration file and, when it went to the per-user folder, the one beside the executable,
// read in its place until the per-user file exists (the first run after an install). The
// remembered dialog choices and recent files sit beside the configuration file the program uses
// without --config, named after it with the extension conf.
struct ConfigLocation {
    std::filesystem::path file;
    std::filesystem::path firstRead; // empty when there is none
    std::filesystem::path choices;
    [[nodiscard]] std::filesystem::path ToRead() const;
};
[[nodiscard]] ConfigLocation ResolveConfigLocation(const std::filesystem::path& executable,
                                                   const std::optional<std::filesystem::path>& configOption,
                                                   const ConfigEnvironment& environment);

// The same for the running program and the process environment.
[[nodiscard]] ConfigLocation DefaultConfigLocation(const std::optional<std::filesystem::path>& configOption);
// The same for the window program "zephyra-explorer" beside the running program.
[[nodiscard]] ConfigLocation
WindowProgramConfigLocation(const std::optional<std::filesystem::path>& configOption);

} // namespace zephyra
