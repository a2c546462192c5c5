#pragma once
#include <QObject>
#include <QPointer>

#include <optional>
#include <vector>

class QAction;
class QMenu;

namespace zephyra {

struct MenuNode;

// A handler on the route of commands: the active view, the document, the frame, the application.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // True when this target handled the command; routing stops there.
    [[nodiscard]] virtual bool OnCommand(int id) = 0;
    // The check state of an item this target has an update handler for; nothing otherwise.
    [[nodiscard]] virtual std::optional<bool> CommandChecked(int id) const
    {
        (void)id;
        return std::nullopt;
    }
};

// Routes command ids along the targets in order and keeps every menu item and toolbar button
// that sends a command checked as the update handlers say.
class CommandDispatcher : public QObject {
    Q_OBJECT
public:
    explicit CommandDispatcher(QObject* parent = nullptr) : QObject(parent) {}

    void SetRoute(std::vector<CommandTarget*> targets) { route_ = std::move(targets); }
    // Hands the id to the first target that takes it; false when none did.
    bool Dispatch(int id);
    [[nodiscard]] std::optional<bool> Checked(int id) const;

    // An action that sends `id` when triggered, with the command's prompt as its status tip.
    QAction* CreateAction(int id, const QString& caption, QObject* parent);
    // A menu built from the node's children; its checks are refreshed each time it opens.
    QMenu* BuildMenu(const MenuNode& node, QWidget* parent);
    // Asks the update handlers again for every action made here.
    void UpdateChecks();

signals:
    // After every command routed; lets the window refresh what depends on the document.
    void commandDispatched(int id);

private:
    std::vector<CommandTarget*> route_;
    std::vector<QPointer<QAction>> actions_;
};

// The id an action sends, or 0 for actions that send none.
[[nodiscard]] int CommandId(const QAction* action);

} // namespace zephyra
