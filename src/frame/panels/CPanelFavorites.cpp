#include "CPanelFavorites.h"

#include "CZephyraDoc.h"
#include "CommandIds.h"
#include "PanelImages.h"

namespace zephyra {
namespace {

const GroupedListRole FAVORITES_ROLE{&CZephyraDoc::favorites, UH_FAVORITE_ADDED,
                                     UH_FAVORITES_RELOADED,   UH_FAVORITE_REMOVED,
                                     cmd::ID_REMOVE_FAVORITE, &CZephyraDoc::RemoveFavorite};

} // namespace

CPanelFavorites::CPanelFavorites(CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent)
    : CPanelGrouped(QStringLiteral("Favorites"), FAVORITES_ROLE, doc, std::move(sendCommand), parent)
{
    Build();
    BuildCaseTree();
}

void CPanelFavorites::SetupButtons()
{
    AddButton(cmd::ID_CLEAR_FAVORITES, QStringLiteral("Clear"), IMAGE_CLEAR);
    AddSeparator();
    AddButton(cmd::ID_ADD_TO_FAVORITES, QStringLiteral("Add"), IMAGE_ADD);
    AddButton(cmd::ID_REMOVE_FAVORITE, QStringLiteral("Remove"), IMAGE_REMOVE);
}

} // namespace zephyra
