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

#include <algorithm>

namespace zephyra {

namespace {
constexpr double SCREEN_PIXELS_PER_INCH = 96.0;
} // namespace

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
    // The painter's origin is the top-left corner of the printable area.
    PaintPage(painter, printer.pageLayout().paintRectPixels(printer.resolution()).size(),
              printer.resolution());
}

void CZephyraView::PaintPage(QPainter& painter, const QSize& page, int dotsPerInch)
{
    const AttractorRef hold = document_.current();
    if (!hold)
        return;
    printRect_ = FitToWindow({0, 0, page.width(), page.height()}, width(), height());
    // A point covers on paper what a screen pixel covers on the screen; at the printer's own
    // resolution it would be a dot too small to see. No printout needs more for its picture.
    const double scale =
        std::min(std::min(1.0, SCREEN_PIXELS_PER_INCH / std::max(1, dotsPerInch)),
                 ImageScaleWithin(printRect_.Width(), printRect_.Height(), LARGEST_POINT_PICTURE_BYTES));
    const int imageWidth = std::max(1, static_cast<int>(printRect_.Width() * scale));
    const int imageHeight = std::max(1, static_cast<int>(printRect_.Height() * scale));
    Picture image(imageWidth, imageHeight);
    const ViewFlags flags{false, false, document_.viewBlackWhite(), document_.viewDefaultColors()};
    PrintPoints(*hold, document_.buffer(), flags, document_.defaults(), image,
                {0, 0, imageWidth, imageHeight});
    // Each picture pixel becomes a square of dots, not a blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(printRect_.left, printRect_.top, printRect_.Width(), printRect_.Height()),
                      ToQImage(image));
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
