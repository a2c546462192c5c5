#include "CPageDefaults.h"

#include "ColorChannel.h"
#include "ColorSwatch.h"
#include "DataExchange.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zephyra {

namespace {

const QStringList AXIS_ITEMS{"x", "y", "z", "w", "zero"};
const QStringList CHANNEL_ITEMS{"x", "y", "z", "w", "one"};

} // namespace

CPageDefaults::CPageDefaults(QString caption, DisplaySettings& settings, QWidget* parent)
    : CPageDefaults(std::move(caption), &settings, ResetButton::Shown, parent)
{
}

CPageDefaults::CPageDefaults(QString caption, DisplaySettings* settings, ResetButton reset, QWidget* parent)
    : SettingsPage(std::move(caption), parent), settings(settings)
{
    auto* group = new QGroupBox(tr("Attractor"));
    auto* columns = new QHBoxLayout(group);
    leftForm = new QFormLayout;
    rightForm = new QFormLayout;
    columns->addLayout(leftForm);
    columns->addSpacing(fontMetrics().averageCharWidth() * 3);
    columns->addLayout(rightForm);
    columns->addStretch();

    AddColorRow(tr("Color"), "fgColor", &DisplaySettings::fgColor);
    AddColorRow(tr("Background"), "bgColor", &DisplaySettings::bgColor);
    x0_ = AddEdit("x0");
    y0_ = AddEdit("y0");
    z0_ = AddEdit("z0");
    w0_ = AddEdit("w0");
    leftForm->addRow(tr("x0"), x0_);
    leftForm->addRow(tr("y0"), y0_);
    leftForm->addRow(tr("z0"), z0_);
    leftForm->addRow(tr("w0"), w0_);

    coordX_ = AddChoice("coordX", AXIS_ITEMS);
    coordY_ = AddChoice("coordY", AXIS_ITEMS);
    coordZ_ = AddChoice("coordZ", AXIS_ITEMS);
    colorR_ = AddChoice("colorR", CHANNEL_ITEMS);
    colorG_ = AddChoice("colorG", CHANNEL_ITEMS);
    colorB_ = AddChoice("colorB", CHANNEL_ITEMS);
    rightForm->addRow(tr("Coord x"), coordX_);
    rightForm->addRow(tr("Coord y"), coordY_);
    rightForm->addRow(tr("Coord z"), coordZ_);
    rightForm->addRow(tr("Color red"), colorR_);
    rightForm->addRow(tr("Color green"), colorG_);
    rightForm->addRow(tr("Color blue"), colorB_);

    pageLayout = new QVBoxLayout(this);
    pageLayout->addWidget(group);
    buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    if (reset == ResetButton::Shown) {
        auto* resetButton = new QPushButton(tr("Reset to defaults"));
        resetButton->setObjectName("reset");
        buttonRow->addWidget(resetButton);
        connect(resetButton, &QPushButton::clicked, this, &CPageDefaults::OnResetToDefaults);
    }
    pageLayout->addLayout(buttonRow);
    pageLayout->addStretch();
}

void CPageDefaults::DoDataExchange(DataExchange& exchange)
{
    exchange.Choice(coordX_, settings->coordX);
    exchange.Choice(coordY_, settings->coordY);
    exchange.Choice(coordZ_, settings->coordZ);
    exchange.Choice(colorR_, settings->colorR);
    exchange.Choice(colorG_, settings->colorG);
    exchange.Choice(colorB_, settings->colorB);
    exchange.Number(x0_, settings->x0);
    exchange.Number(y0_, settings->y0);
    exchange.Number(z0_, settings->z0);
    exchange.Number(w0_, settings->w0);
}

QLineEdit* CPageDefaults::AddEdit(const char* name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setFixedWidth(FieldWidth());
    connect(edit, &QLineEdit::textEdited, this, [this] { SetModified(true); });
    return edit;
}

QComboBox* CPageDefaults::AddChoice(const char* name, const QStringList& items)
{
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->addItems(items);
    box->setFixedWidth(FieldWidth()); // the same on every page, however wide its neighbours are
    connect(box, &QComboBox::activated, this, [this] { SetModified(true); });
    return box;
}

int CPageDefaults::FieldWidth() const
{
    return fontMetrics().averageCharWidth() * 14;
}

void CPageDefaults::Refresh()
{
    UpdateData(false);
    update();
}

void CPageDefaults::AddColorRow(const QString& label, const char* name, Rgb DisplaySettings::*color)
{
    auto* swatch = new ColorSwatch([this, color] { return settings->*color; });
    swatch->setObjectName(name);
    auto* pick = new QPushButton(tr("Pick"));
    pick->setObjectName(QString::fromLatin1(name) + "Pick");
    connect(swatch, &ColorSwatch::clicked, this, [this, color] { PickColor(color); });
    connect(pick, &QPushButton::clicked, this, [this, color] { PickColor(color); });
    auto* row = new QHBoxLayout;
    row->addWidget(swatch);
    row->addWidget(pick);
    row->addStretch();
    leftForm->addRow(label, row);
}

void CPageDefaults::PickColor(Rgb DisplaySettings::*color)
{
    QColorDialog chooser(ToQColor(settings->*color), this);
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    if (chooser.exec() == QDialog::Accepted)
        settings->*color = FromQColor(chooser.selectedColor());
    emit transferred();
    // A cancelled chooser counts as a change too.
    SetModified(true);
    update();
}

void CPageDefaults::OnResetToDefaults()
{
    *settings = DisplaySettings{};
    emit transferred();
    SetModified(false);
    Refresh();
}

} // namespace zephyra
