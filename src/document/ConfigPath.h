#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace zephyra {

// The configuration file beside the running executable: its path with the extension replaced by
// "xml" (added when the name has none). Empty when the executable's path cannot be read.
[[nodiscard]] std::string ConfigPathBesideExecutable();

// The same rule applied to a given executable path.
[[nodiscard]] std::string ConfigPathFor(const std::string& executablePath);

// The environment variables the per-user folder is found from (empty when unset).
struct ConfigEnvironment {
    std::string xdgConfigHome;
    std::string home;
};

// Where the configuration file is read and written: `--config PATH` when given; else beside the
// executable when that file exists or its folder is writable (a portable install); else under the
// same name in the per-user folder $XDG_CONFIG_HOME/zephyra-explorer (by default
// ~/.config/zephyra-explorer).
[[nodiscard]] std::filesystem::path
ResolveConfigPath(const std::filesystem::path& executable,
                  const std::optional<std::filesystem::path>& configOption,
                  const ConfigEnvironment& environment);

// The same for the running program and the process environment.
[[nodiscard]] std::filesystem::path
DefaultConfigPath(const std::optional<std::filesystem::path>& configOption);

} // namespace zephyra
