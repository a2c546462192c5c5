#include "CPanelSaved.h"

#include "CZephyraDoc.h"
#include "CommandIds.h"
#include "PanelImages.h"

namespace zephyra {
namespace {

const GroupedListRole SAVED_ROLE{&CZephyraDoc::saved, UH_SAVED_ADDED,       UH_SAVED_RELOADED,
                                 UH_SAVED_REMOVED,    cmd::ID_REMOVE_SAVED, &CZephyraDoc::RemoveSaved};

} // namespace

CPanelSaved::CPanelSaved(CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent)
    : CPanelGrouped(QStringLiteral("Saved Attractors"), SAVED_ROLE, doc, std::move(sendCommand), parent)
{
    Build();
    BuildCaseTree();
}

void CPanelSaved::SetupButtons()
{
    AddButton(cmd::ID_CLEAR_SAVED, QString(), IMAGE_CLEAR);
    AddButton(cmd::ID_OPEN_SAVED, QString(), IMAGE_OPEN);
    AddButton(cmd::ID_FILE_SAVE, QString(), IMAGE_SAVE);
    AddSeparator();
    AddButton(cmd::ID_ADD_TO_SAVED, QStringLiteral("Add"), IMAGE_ADD);
    AddButton(cmd::ID_REMOVE_SAVED, QStringLiteral("Remove"), IMAGE_REMOVE);
}

} // namespace zephyra
