#include "CSettingsSheet.h"

#include "CPageAttractor.h"
#include "CZephyraDoc.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zephyra {

CSettingsSheet::CSettingsSheet(CZephyraDoc& document, QWidget* parent)
    : QDialog(parent), document_(document), settings_(document.settings())
{
    setWindowTitle(tr("Settings"));
    tabs_ = new QTabWidget;
    attractorPage_ = new CPageAttractor(settings_, document.current());
    AddPage(attractorPage_);
    DisplaySettings* records[] = {&settings_.defaults.defaults2D, &settings_.defaults.defaults3D,
                                  &settings_.defaults.defaults4D};
    for (int dimension = 2; dimension <= 4; ++dimension)
        AddPage(new CPageDefaults(tr("Defaults %1D").arg(dimension), *records[dimension - 2]));

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply);
    apply_ = buttons->button(QDialogButtonBox::Apply);
    apply_->setEnabled(false);
    connect(buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, this, [this] {
        if (ApplyPages())
            accept();
    });
    connect(apply_, &QPushButton::clicked, this, [this] { (void)ApplyPages(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);

    ShowPage(0);
    connect(tabs_, &QTabWidget::currentChanged, this, &CSettingsSheet::OnPageChanged);
}

void CSettingsSheet::AddPage(SettingsPage* page)
{
    // A tab text takes '&' as a mnemonic mark; the caption shows its ampersand as it is.
    tabs_->addTab(page, QString(page->Caption()).replace('&', "&&"));
    pages_.push_back(page);
    connect(page, &SettingsPage::modifiedChanged, this, &CSettingsSheet::UpdateApplyButton);
    connect(page, &SettingsPage::transferred, this, &CSettingsSheet::OnTransferred);
}

void CSettingsSheet::OnTransferred()
{
    document_.ChangeSettings(settings_, attractorPage_->TakenFov());
}

void CSettingsSheet::OnPageChanged(int index)
{
    // The tab has already moved: put it back while the page being left gives up its values.
    const QSignalBlocker blocker(tabs_);
    tabs_->setCurrentIndex(current_);
    if (!pages_[current_]->OnKillActive())
        return;
    tabs_->setCurrentIndex(index);
    ShowPage(index);
}

void CSettingsSheet::ShowPage(int index)
{
    current_ = index;
    pages_[index]->OnSetActive();
}

bool CSettingsSheet::ApplyPages()
{
    // Every other page was checked when it was left, so only the current one can fail here.
    if (!pages_[current_]->OnKillActive())
        return false;
    document_.ApplySettings(settings_, attractorPage_->Edited());
    attractorPage_->OnApplied();
    for (SettingsPage* page : pages_)
        page->SetModified(false);
    return true;
}

void CSettingsSheet::UpdateApplyButton()
{
    apply_->setEnabled(
        std::any_of(pages_.begin(), pages_.end(), [](auto* page) { return page->IsModified(); }));
}

} // namespace zephyra
