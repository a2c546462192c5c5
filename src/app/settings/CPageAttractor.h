#pragma once
#include "Attractor.h"
#include "CPageDefaults.h"

#include <cstdint>

namespace zephyra {

// The "Attractor & General" page: a copy of the current attractor's display settings and its
// point count, which wait for OK or Apply, and the attractor's field of view and the general
// settings, which every transfer writes straight into their owners.
class CPageAttractor : public CPageDefaults {
    Q_OBJECT
public:
    CPageAttractor(CZephyraDoc& document, AttractorRef current, QWidget* parent = nullptr);

    std::int32_t points;
    AttractorRef attractor;
    DisplaySettings settingsCopy;

protected:
    void DoDataExchange(DataExchange& exchange) override;
    void OnOK() override;
    [[nodiscard]] bool OnApply() override;

private:
    // Takes the controls, then gives the attractor the copy and the count (recomputing its points
    // only when the count or the start point changed) and redraws.
    [[nodiscard]] bool ApplyToAttractor();
    void OnDefaults();

    QLineEdit* points_;
    QLineEdit* fov_;
    QLineEdit* defaultPoints_;
    QComboBox* antialias_;
    QLineEdit* historyLimit_;
};

} // namespace zephyra
