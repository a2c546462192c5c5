#include "CMainFrame.h"

#include "CodeBox.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "FrameIcons.h"
#include "MenuModel.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <map>

namespace zephyra {

using namespace cmd;

namespace {

// Commands without a string show no tool tip, although Qt would fall back to the button text.
class ToolTipBlocker : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::ToolTip; }
};

// Keys of the accelerator table win over the code box's own editing keys (Ctrl+U, keypad + ...),
// as they would in a window whose accelerators are translated before the focus sees the key.
class AcceleratorPrecedence : public QObject {
public:
    explicit AcceleratorPrecedence(QObject* parent) : QObject(parent)
    {
        for (const Accelerator& accelerator : Accelerators())
            keys_.push_back(QKeySequence(QString::fromLatin1(accelerator.keys)));
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        return std::find(keys_.begin(), keys_.end(), pressed) != keys_.end();
    }

private:
    std::vector<QKeySequence> keys_;
};

// Keypad + and - are Add points and Remove points wherever the focus is in the window. As
// shortcuts they never matched real keys (Qt's X11 key mapping drops the keypad modifier when it
// matches shortcuts), so the code box typed a "+" instead; here they are taken before any widget.
class KeypadAccelerators : public QObject {
public:
    KeypadAccelerators(QWidget& window, CommandDispatcher& dispatcher)
        : QObject(&window), window_(window), dispatcher_(dispatcher)
    {
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const int id = !(key->modifiers() & Qt::KeypadModifier) ? 0
                       : key->key() == Qt::Key_Plus             ? ID_ADD_POINTS
                       : key->key() == Qt::Key_Minus            ? ID_REMOVE_POINTS
                                                                : 0;
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (id == 0 || !widget || widget->window() != &window_)
            return false;
        if (event->type() == QEvent::KeyPress)
            dispatcher_.Dispatch(id);
        return true;
    }

private:
    QWidget& window_;
    CommandDispatcher& dispatcher_;
};

bool IsKeypadKey(const QKeySequence& keys)
{
    return keys.count() == 1 && (keys[0].keyboardModifiers() & Qt::KeypadModifier);
}

void AddButtons(QToolBar& bar, CommandDispatcher& dispatcher, const std::vector<ToolbarButton>& buttons,
                QIcon (*icon)(int))
{
    auto* blocker = new ToolTipBlocker(&bar);
    for (const ToolbarButton& button : buttons) {
        if (button.id == 0) {
            bar.addSeparator();
            continue;
        }
        QAction* action = dispatcher.CreateAction(button.id, button.caption ? button.caption : "", &bar);
        action->setIcon(icon(button.image));
        const CommandInfo* command = FindCommand(button.id);
        const QString tip = command ? QString::fromStdString(ToolTip(*command)) : QString();
        action->setToolTip(tip);
        bar.addAction(action);
        if (tip.isEmpty())
            bar.widgetForAction(action)->installEventFilter(blocker);
    }
}

QToolBar* FixedToolbar(QMainWindow& window, const QString& title, const QString& name)
{
    QToolBar* bar = window.addToolBar(title);
    bar->setObjectName(name);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return bar;
}

} // namespace

void CMainFrame::CreateMenus()
{
    for (const MenuNode& node : MainMenu())
        menuBar()->addMenu(dispatcher_->BuildMenu(node, this));
    QMenu* fileMenu = menuBar()->actions().front()->menu();
    for (QAction* action : fileMenu->actions())
        if (CommandId(action) == ID_FILE_MRU_FIRST)
            recentFilesPlace_ = action;
    connect(fileMenu, &QMenu::aboutToShow, this, [this, fileMenu] { FillRecentFiles(*fileMenu); });
    FillRecentFiles(*fileMenu);
}

void CMainFrame::CreateToolbars()
{
    mainToolbar_ = FixedToolbar(*this, "Toolbar", "mainToolbar");
    mainToolbar_->setIconSize(QSize(22, 20));
    AddButtons(*mainToolbar_, *dispatcher_, MainToolbarButtons(), &ToolbarIcon);
    for (QAction* action : mainToolbar_->actions()) {
        if (CommandId(action) != ID_NEXT)
            continue;
        // The arrow beside "Next" offers the 26 cases; the button itself searches the next one.
        auto* next = qobject_cast<QToolButton*>(mainToolbar_->widgetForAction(action));
        next->setPopupMode(QToolButton::MenuButtonPopup);
        next->setMenu(dispatcher_->BuildMenu(CaseMenu(), next));
    }

    addToolBarBreak();
    configurationToolbar_ = FixedToolbar(*this, "Configuration", "configurationToolbar");
    configurationToolbar_->setIconSize(QSize(16, 15));
    auto* label = new QLabel("Configuration", configurationToolbar_);
    label->setContentsMargins(6, 0, 6, 0);
    configurationToolbar_->addWidget(label);
    codeBox_ = new CodeBox(configurationToolbar_);
    codeBox_->setObjectName("codeBox");
    configurationToolbar_->addWidget(codeBox_);
    AddButtons(*configurationToolbar_, *dispatcher_, ConfigurationToolbarButtons(), &SmallToolbarIcon);
    connect(codeBox_, &CodeBox::goRequested, this, [this] { dispatcher_->Dispatch(ID_OK); });
    // The combo box hands key events to its edit field directly, so both are watched.
    auto* precedence = new AcceleratorPrecedence(codeBox_);
    codeBox_->installEventFilter(precedence);
    codeBox_->lineEdit()->installEventFilter(precedence);
}

void CMainFrame::CreateAccelerators()
{
    std::map<int, QList<QKeySequence>> keysOfCommand;
    for (const Accelerator& accelerator : Accelerators()) {
        const QKeySequence keys(QString::fromLatin1(accelerator.keys));
        if (!IsKeypadKey(keys))
            keysOfCommand[accelerator.id].append(keys);
    }
    qApp->installEventFilter(new KeypadAccelerators(*this, *dispatcher_));
    for (const auto& [id, keys] : keysOfCommand) {
        QAction* action = dispatcher_->CreateAction(id, QString(), this);
        action->setShortcuts(keys);
        addAction(action);
    }
}

void CMainFrame::FillRecentFiles(QMenu& fileMenu)
{
    for (QAction* action : recentFileActions_)
        delete action;
    recentFileActions_.clear();
    const QStringList files = owner_.RecentFiles();
    recentFilesPlace_->setVisible(files.isEmpty());
    recentFilesPlace_->setEnabled(false);
    for (int i = 0; i < files.size(); ++i) {
        QString path = QDir::toNativeSeparators(files[i]);
        path.replace('&', "&&");
        QAction* action = dispatcher_->CreateAction(ID_FILE_MRU_FIRST + i,
                                                    QString("&%1 %2").arg(i + 1).arg(path), &fileMenu);
        fileMenu.insertAction(recentFilesPlace_, action);
        recentFileActions_.push_back(action);
    }
}

void CMainFrame::ShowContextMenu(const QPoint& globalPos)
{
    std::unique_ptr<QMenu> menu(dispatcher_->BuildMenu(ContextMenu(), this));
    menu->exec(globalPos);
}

QMenu* CMainFrame::createPopupMenu()
{
    return dispatcher_->BuildMenu(ToolbarsMenu(), this);
}

} // namespace zephyra
