#include "DataExchange.h"

#include "NumberText.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>

#include <limits>

namespace zephyra {

void DataExchange::Choice(QComboBox* box, std::int32_t& value)
{
    if (Stopped())
        return;
    if (!saving_)
        box->setCurrentIndex(value >= 0 && value < box->count() ? value : -1);
    else if (box->currentIndex() >= 0) // a list without a selection leaves its target as it was
        value = box->currentIndex();
}

void DataExchange::Number(QLineEdit* edit, float& value)
{
    Number(edit, value, -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::infinity());
}

void DataExchange::Number(QLineEdit* edit, float& value, float min, float max)
{
    if (Stopped())
        return;
    if (!saving_) {
        edit->setText(FormatFloat(value));
        return;
    }
    const std::optional<float> read = ParseFloat(edit->text());
    if (!read)
        Fail(edit, QStringLiteral("Please enter a number."));
    else if (*read < min || *read > max)
        Fail(edit, QStringLiteral("Please enter a number between %1 and %2.")
                       .arg(FormatFloat(min), FormatFloat(max)));
    else
        value = *read;
}

void DataExchange::Integer(QLineEdit* edit, std::int32_t& value)
{
    Integer(edit, value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
}

void DataExchange::Integer(QLineEdit* edit, std::int32_t& value, std::int32_t min, std::int32_t max)
{
    if (Stopped())
        return;
    if (!saving_) {
        edit->setText(QString::number(value));
        return;
    }
    const std::optional<std::int32_t> read = ParseInteger(edit->text());
    if (!read)
        Fail(edit, QStringLiteral("Please enter an integer."));
    else if (*read < min || *read > max)
        Fail(edit, QStringLiteral("Please enter an integer between %1 and %2.").arg(min).arg(max));
    else
        value = *read;
}

void ReportFailure(const ExchangeFailure& failure)
{
    QMessageBox::warning(failure.control->window(), QApplication::applicationDisplayName(), failure.message);
    failure.control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(failure.control))
        edit->selectAll();
}

} // namespace zephyra
