#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zephyra {

// Codes near `code`: one to three coefficient letters changed by one or two letters each (the
// letter stays printable), nearest first by the sum of the changes. Within one distance the order
// is random from `seed`; at most `perDistance` codes of each distance. The case letter never changes.
[[nodiscard]] std::vector<std::string> VariantCodes(std::string_view code, std::uint64_t seed,
                                                    int perDistance);

} // namespace zephyra
