#pragma once
#include "Attractor.h"
#include "CPageDefaults.h"
#include "DocumentSettings.h"

#include <cstdint>
#include <optional>

namespace zephyra {

// The "Attractor & General" page: copies of the current attractor's display settings, point count
// and field of view, and the general settings in the sheet's copy of the document's settings.
// The field of view and the general settings reach the document at every transfer; the display
// copy and the point count wait for OK or Apply.
class CPageAttractor : public CPageDefaults {
    Q_OBJECT
public:
    CPageAttractor(DocumentSettings& general, AttractorRef current, QWidget* parent = nullptr);

    // The field of view taken by the last transfer; nothing without a current attractor.
    [[nodiscard]] std::optional<float> TakenFov() const;
    // What OK and Apply give the current attractor; nothing without one.
    [[nodiscard]] std::optional<AttractorSettings> Edited() const;
    // The document took the values: the page shows the count it ended with (a run cancelled late
    // keeps fewer points), so that the next Apply does not start that run again.
    void OnApplied();

    std::int32_t points;
    float fov;
    AttractorRef attractor;
    DisplaySettings settingsCopy;
    DocumentSettings* general;

protected:
    void DoDataExchange(DataExchange& exchange) override;

private:
    void OnDefaults();

    QLineEdit* points_;
    QLineEdit* fov_;
    QLineEdit* defaultPoints_;
    QComboBox* antialias_;
    QLineEdit* historyLimit_;
};

} // namespace zephyra
