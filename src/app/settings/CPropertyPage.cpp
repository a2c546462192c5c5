#include "CPropertyPage.h"

#include "DataExchange.h"

namespace zephyra {

CPropertyPage::CPropertyPage(QString caption, QWidget* parent) : QWidget(parent), caption_(std::move(caption))
{
}

bool CPropertyPage::UpdateData(bool saveAndValidate)
{
    DataExchange exchange(saveAndValidate);
    DoDataExchange(exchange);
    if (const auto& failure = exchange.Failure()) {
        ReportFailure(*failure);
        return false;
    }
    return true;
}

void CPropertyPage::OnSetActive()
{
    UpdateData(false);
}

bool CPropertyPage::OnKillActive()
{
    return UpdateData(true);
}

bool CPropertyPage::OnApply()
{
    OnOK();
    return true;
}

void CPropertyPage::SetModified(bool modified)
{
    if (modified_ == modified)
        return;
    modified_ = modified;
    emit modifiedChanged(modified);
}

} // namespace zephyra
