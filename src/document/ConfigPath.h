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
// executable, named after it with the extension xml, when that file exists or its folder is writable (a
// portable install); else under the same name in the per-user folder $XDG_CONFIG_HOME/zephyra-explorer (by
// default
// ~/.config/zephyra-explorer).
[[nodiscard]] std::filesystem::path
ResolveConfigPath(const std::filesystem::path& executable,
                  const std::optional<std::filesystem::path>& configOption,
                  const ConfigEnvironment& environment);

// The same for the running program and the process environment.
[[nodiscard]] std::filesystem::path
DefaultConfigPath(const std::optional<std::filesystem::path>& configOption);

} // namespace zephyra
