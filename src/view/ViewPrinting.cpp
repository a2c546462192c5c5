// Printing of the attractor view: the software renderer draws the page, the Qt dialogs drive it.
#include "CZephyraView.h"

#include "CZephyraDoc.h"
#include "PictureImage.h"
#include "SoftwareRenderer.h"

#include <QImage>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <cmath>

namespace zephyra {

QPrinter& CZephyraView::Printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void CZephyraView::PrintTo(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const AttractorRef hold = document_.current();
    if (!hold)
        return;
    // The painter's origin is the top-left corner of the printable area.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    printRect_ = FitToWindow({0, 0, page.width(), page.height()}, width(), height());
    // No printout needs more for its picture, whatever the printer's resolution.
    const double scale =
        ImageScaleWithin(printRect_.Width(), printRect_.Height(), LARGEST_POINT_PICTURE_BYTES);
    const int imageWidth = std::max(1, static_cast<int>(printRect_.Width() * scale));
    const int imageHeight = std::max(1, static_cast<int>(printRect_.Height() * scale));
    Picture image(imageWidth, imageHeight);
    const ViewFlags flags{false, false, document_.viewBlackWhite, document_.viewDefaultColors};
    PrintPoints(*hold, document_.buffer(), flags, document_.defaults, image, {0, 0, imageWidth, imageHeight});
    const QImage picture = ToQImage(image);
    painter.drawImage(QRect(printRect_.left, printRect_.top, printRect_.Width(), printRect_.Height()),
                      picture);
}

void CZephyraView::Print()
{
    QPrintDialog dialog(&Printer(), this);
    if (dialog.exec() == QDialog::Accepted)
        PrintTo(Printer());
}

void CZephyraView::PrintPreview()
{
    QPrintPreviewDialog preview(&Printer(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintTo(*printer); });
    preview.exec();
}

void CZephyraView::PrintSetup()
{
    QPageSetupDialog dialog(&Printer(), this);
    dialog.exec();
}

} // namespace zephyra
