#include "AboutBox.h"

#include "FrameIcons.h"
#include "Version.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zephyra {

void ShowAboutBox(QWidget* parent)
{
    QDialog box(parent);
    box.setObjectName("aboutBox");
    box.setWindowTitle("About Zephyra Explorer");
    auto* icon = new QLabel(&box);
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));
    auto* line = new QLabel(QString("Zephyra Explorer Version ") + VERSION, &box);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addSpacing(12);
    row->addWidget(line, 1, Qt::AlignTop);
    auto* layout = new QVBoxLayout(&box);
    layout->addLayout(row);
    layout->addStretch(1);
    layout->addWidget(buttons);
    // 235 x 170 dialog units: a quarter of the average character width, an eighth of its height.
    const QFontMetrics metrics = box.fontMetrics();
    box.setFixedSize(235 * metrics.averageCharWidth() / 4, 170 * metrics.height() / 8);
    box.exec();
}

} // namespace zephyra
