#pragma once
#include "AttractorList.h"

#include <string>
#include <vector>

#include <pugixml.hpp>

namespace zephyra {

// Favorites merge three ways when two programs share one configuration file: what another program
// added since this one read the file is kept after this program's own list; what this program
// removed stays removed. Records are compared by value: each is read with the `defaults` and
// printed as this program writes it, so that a file written by hand, whose attributes stand in
// another order or spell their numbers otherwise, matches what this program wrote from it.

// The records of every "favorites" element of a configuration document, each printed, in order.
[[nodiscard]] std::vector<std::string> PrintedFavorites(const pugi::xml_document& document,
                                                        const AttractorDefaults& defaults);
// Appends to `favorites` a copy of each record of `onDisk` that is not among `asRead` (each
// record of `asRead` answers for one record of `onDisk`).
void AppendFavoritesAddedElsewhere(pugi::xml_node favorites, const pugi::xml_document& onDisk,
                                   std::vector<std::string> asRead, const AttractorDefaults& defaults);

} // namespace zephyra
