#pragma once
#include <QString>

#include <cstdint>
#include <optional>

class QComboBox;
class QLineEdit;
class QWidget;

namespace zephyra {

// The control whose value failed its check, and the message that tells the user why.
struct ExchangeFailure {
    QWidget* control = nullptr;
    QString message;
};

// One transfer between a page's controls and their targets, in one direction. The first value
// that fails its check ends the transfer: later calls do nothing, earlier ones stay transferred,
// and the failing value itself is not stored.
class DataExchange {
public:
    explicit DataExchange(bool saveAndValidate) : saving_(saveAndValidate) {}

    // A drop-down list and the index of its selected item.
    void Choice(QComboBox* box, std::int32_t& value);
    void Number(QLineEdit* edit, float& value);
    void Number(QLineEdit* edit, float& value, float min, float max);
    void Integer(QLineEdit* edit, std::int32_t& value);
    void Integer(QLineEdit* edit, std::int32_t& value, std::int32_t min, std::int32_t max);

    [[nodiscard]] const std::optional<ExchangeFailure>& Failure() const { return failure_; }

private:
    [[nodiscard]] bool Stopped() const { return failure_.has_value(); }
    void Fail(QWidget* control, QString message) { failure_ = ExchangeFailure{control, std::move(message)}; }

    bool saving_;
    std::optional<ExchangeFailure> failure_;
};

// Shows the failure's message in a warning box, then puts the focus on its control with the
// text selected, ready to be typed over.
void ReportFailure(const ExchangeFailure& failure);

} // namespace zephyra
