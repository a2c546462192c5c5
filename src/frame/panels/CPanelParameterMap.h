#pragma once
#include "CPanel.h"
#include "ParameterSystem.h"

class QComboBox;
class QLabel;
class QTabWidget;

namespace zephyra {

class OrbitDiagramView;
class ParameterMapView;
struct ParameterAxis;

// The Parameter Map: the Lyapunov map of the attractor shown over two of its coefficients, chosen
// by place and letter, and on a second tab the orbit diagram over the first of them. The map fills
// from coarse to fine on a worker and starts anew when another attractor, another choice or a zoom
// or pan asks for another map; an attractor that differs only in the two values keeps the map and
// moves its cross. A click shows the attractor at that point, with the exact values, at the head of
// History; Export writes the map as a PNG that carries its record.
class CPanelParameterMap : public CPanel {
    Q_OBJECT
public:
    CPanelParameterMap(CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent);
    ~CPanelParameterMap() override;

    void OnUpdate(int hint) override;

    [[nodiscard]] ParameterMapView* Map() const { return map_; }
    [[nodiscard]] OrbitDiagramView* Diagram() const { return diagram_; }
    [[nodiscard]] QComboBox* Across() const { return across_; }
    [[nodiscard]] QComboBox* Upwards() const { return upwards_; }
    [[nodiscard]] QTabWidget* Tabs() const { return tabs_; }
    // What the line under the map says.
    [[nodiscard]] QString Line() const;
    // Writes the whole map shown as a PNG with its record; an empty text on success, else why not.
    [[nodiscard]] QString ExportMap(const QString& path);

protected:
    void SetupButtons() override;
    bool HandleCommand(int id) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Takes up the document's current attractor: a new map when anything but the two chosen
    // values changed (or `anew`), else only the cross moves.
    void Follow(bool anew);
    // The choices of the attractor's coefficients, keeping the places chosen when the case stays.
    void FillChoices();
    // A coefficient chosen in one of the boxes.
    void Choose(bool acrossChanged);
    void ShowMap(const ParameterAxis& x, const ParameterAxis& y);
    void ShowMarks();
    void OpenAt(double x, double y);
    void ExportWithDialog();
    void SayState();
    void Say(const QString& text);

    ParameterMapView* map_ = nullptr;
    OrbitDiagramView* diagram_ = nullptr;
    QWidget* body_ = nullptr;
    QComboBox* across_ = nullptr;
    QComboBox* upwards_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QLabel* line_ = nullptr;
    // The attractor the map is of, with the two chosen coefficients left out; empty before one.
    ParameterSystem mapped_;
    char letter_ = 0; // the case the choices are of
    bool filling_ = false;
};

} // namespace zephyra
