#include "CommandDispatcher.h"

#include "CommandTable.h"
#include "MenuModel.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace zephyra {

namespace {
constexpr const char* COMMAND_PROPERTY = "zephyraCommand";
}

int CommandId(const QAction* action)
{
    return action ? action->property(COMMAND_PROPERTY).toInt() : 0;
}

bool CommandDispatcher::Dispatch(int id)
{
    const bool handled =
        std::any_of(route_.begin(), route_.end(), [id](CommandTarget* t) { return t->OnCommand(id); });
    UpdateChecks();
    emit commandDispatched(id);
    return handled;
}

std::optional<bool> CommandDispatcher::Checked(int id) const
{
    for (const CommandTarget* target : route_)
        if (auto checked = target->CommandChecked(id))
            return checked;
    return std::nullopt;
}

QAction* CommandDispatcher::CreateAction(int id, const QString& caption, QObject* parent)
{
    auto* action = new QAction(caption, parent);
    action->setProperty(COMMAND_PROPERTY, id);
    if (const CommandInfo* command = FindCommand(id))
        action->setStatusTip(QString::fromStdString(StatusPrompt(*command)));
    connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
    std::erase_if(actions_, [](const QPointer<QAction>& a) { return a.isNull(); });
    actions_.emplace_back(action);
    return action;
}

QMenu* CommandDispatcher::BuildMenu(const MenuNode& node, QWidget* parent)
{
    auto* menu = new QMenu(QString::fromUtf8(node.caption), parent);
    for (const MenuNode& child : node.children) {
        if (child.IsSeparator()) {
            menu->addSeparator();
        } else if (child.IsSubmenu()) {
            menu->addMenu(BuildMenu(child, menu));
        } else {
            const CommandInfo* command = FindCommand(child.id);
            const std::string caption = child.caption ? child.caption
                                        : command     ? MenuCaption(*command)
                                                      : std::string();
            menu->addAction(CreateAction(child.id, QString::fromStdString(caption), menu));
        }
    }
    connect(menu, &QMenu::aboutToShow, this, &CommandDispatcher::UpdateChecks);
    return menu;
}

void CommandDispatcher::UpdateChecks()
{
    for (const QPointer<QAction>& action : actions_) {
        if (!action)
            continue;
        const auto checked = Checked(CommandId(action));
        if (checked) {
            action->setCheckable(true);
            action->setChecked(*checked);
        } else if (action->isCheckable() && action->isChecked()) {
            action->setChecked(false);
        }
    }
}

} // namespace zephyra
