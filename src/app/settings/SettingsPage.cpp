#include "SettingsPage.h"

#include "DataExchange.h"

namespace zephyra {

SettingsPage::SettingsPage(QString caption, QWidget* parent) : QWidget(parent), caption_(std::move(caption))
{
}

bool SettingsPage::UpdateData(bool saveAndValidate)
{
    DataExchange exchange(saveAndValidate);
    DoDataExchange(exchange);
    if (saveAndValidate)
        emit transferred();
    if (const auto& failure = exchange.Failure()) {
        ReportFailure(*failure);
        return false;
    }
    return true;
}

void SettingsPage::OnSetActive()
{
    UpdateData(false);
}

bool SettingsPage::OnKillActive()
{
    return UpdateData(true);
}

void SettingsPage::SetModified(bool modified)
{
    if (modified_ == modified)
        return;
    modified_ = modified;
    emit modifiedChanged(modified);
}

} // namespace zephyra
