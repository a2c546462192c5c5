#include "CPanel.h"

#include "CZephyraDoc.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "PanelImages.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>

namespace zephyra {
namespace {

constexpr int TITLE_HEIGHT = 20;
constexpr int SMALL_IMAGE_SIZE = 16;

} // namespace

CPanel::CPanel(const QString& caption, CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent)
    : QWidget(parent), doc_(doc), caption_(caption), sendCommand_(std::move(sendCommand))
{
}

void CPanel::Build()
{
    titleRow_ = new QWidget(this);
    title_ = new QLabel(caption_, titleRow_);
    title_->setIndent(4);
    closeButton_ = new QToolButton(titleRow_);
    closeButton_->setIcon(PanelCloseIcon());
    closeButton_->setIconSize(QSize(12, 12));
    closeButton_->setAutoRaise(true);
    connect(closeButton_, &QToolButton::clicked, this, [this] { sendCommand_(cmd::ID_PANEL_CLOSE); });

    buttons_ = new QToolBar(this);
    buttons_->setIconSize(QSize(SMALL_IMAGE_SIZE, SMALL_IMAGE_SIZE));
    buttons_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    buttons_->setMovable(false);
    buttons_->setFloatable(false);
    buttons_->setContentsMargins(0, 0, 0, 0);

    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->installEventFilter(this);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this] { ActivateSelection(); });

    SetupButtons();
    AttachImageList();
}

QString CPanel::Title() const
{
    return title_->text();
}

void CPanel::SetTitle(const QString& text)
{
    title_->setText(text);
}

void CPanel::AttachImageList()
{
    tree_->setIconSize(QSize(SMALL_IMAGE_SIZE, SMALL_IMAGE_SIZE));
}

void CPanel::AddButton(int id, const QString& text, int image)
{
    QAction* action = buttons_->addAction(PanelButtonIcon(image), text);
    action->setData(id);
    // The command's own tool tip; the panel's own commands have none, so they show their caption.
    const CommandInfo* command = FindCommand(id);
    const std::string tip = command ? ToolTip(*command) : std::string();
    if (!tip.empty())
        action->setToolTip(QString::fromStdString(tip));
    connect(action, &QAction::triggered, this, [this, id] { SendCommand(id); });
}

void CPanel::AddSeparator()
{
    buttons_->addSeparator();
}

void CPanel::SendCommand(int id)
{
    if (!HandleCommand(id) && sendCommand_)
        sendCommand_(id);
}

int CPanel::PreferredWidth() const
{
    const int entries = static_cast<const QAbstractItemView*>(tree_)->sizeHintForColumn(0) +
                        2 * tree_->frameWidth() + tree_->verticalScrollBar()->sizeHint().width();
    return std::max(buttons_->sizeHint().width(), entries);
}

void CPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int cx = width();
    const int cy = height();
    titleRow_->setGeometry(0, 0, cx, TITLE_HEIGHT);
    title_->setGeometry(0, 0, std::max(0, cx - CLOSE_BUTTON_SPACE), TITLE_HEIGHT);
    closeButton_->setGeometry(std::max(0, cx - CLOSE_BUTTON_SPACE), 0, CLOSE_BUTTON_SPACE, TITLE_HEIGHT);
    buttons_->setGeometry(0, TITLE_HEIGHT, cx, BANDS_HEIGHT - TITLE_HEIGHT);
    tree_->setGeometry(0, BANDS_HEIGHT, cx, std::max(0, cy - BANDS_HEIGHT));
}

bool CPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tree_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ActivateSelection();
            return true;
        }
        OnTreeKeyDown(key);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zephyra
