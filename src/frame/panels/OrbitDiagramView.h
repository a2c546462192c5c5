#pragma once
#include "LatestJob.h"
#include "OrbitDiagram.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

namespace zephyra {

// The orbit diagram of the Parameter Map panel, one column a widget pixel: computed on a worker
// while it is shown, anew whenever the system, the axis or the size change. A cross marks the
// attractor's own value.
class OrbitDiagramView : public QWidget {
    Q_OBJECT
public:
    explicit OrbitDiagramView(QWidget* parent = nullptr);
    ~OrbitDiagramView() override;

    // Asks for the diagram of `system` over `x` (a copy: the worker never sees the document); it is
    // computed once the widget is shown.
    void Show(const ParameterSystem& system, const ParameterAxis& x);
    // Moves the cross without computing anew.
    void SetMark(const std::optional<double>& mark);
    void Clear();

    // The diagram shown (with the coordinate's fitted range); only meaningful once Finished.
    [[nodiscard]] const DiagramSettings& Settings() const { return drawn_; }
    [[nodiscard]] bool Finished() const { return finished_; }

signals:
    void DiagramShown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Diagram {
        DiagramSettings settings;
        std::vector<std::uint32_t> counts;
    };
    // Starts the worker for the diagram asked when it is shown and not yet made at this size.
    void StartWhenShown();
    void Accept(Diagram diagram);
    void Redraw();

    ParameterSystem system_;
    ParameterAxis axis_;
    bool asked_ = false;
    bool finished_ = false;
    DiagramSettings drawn_;
    std::vector<std::uint32_t> counts_;
    std::optional<double> mark_;
    QImage picture_;
    LatestJob<Diagram> job_; // last: its threads end before the fields they deliver to
};

} // namespace zephyra
