#include "CPanelGallery.h"

#include "AttractorCase.h"
#include "CZephyraDoc.h"
#include "CommandIds.h"
#include "GallerySearch.h"
#include "PanelImages.h"
#include "PointMemory.h"
#include "SearchMemory.h"
#include "SearchTries.h"
#include "StatusTexts.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <optional>
#include <thread>

namespace zephyra {

namespace {
constexpr int FILTERS_HEIGHT = 100;
constexpr int PROGRESS_HEIGHT = 20;
constexpr int PROGRESS_INTERVAL_MS = 250;
constexpr int CELL_WIDTH = CPanelGallery::THUMBNAIL_SIZE + 12;
constexpr int CELL_HEIGHT = CPanelGallery::THUMBNAIL_SIZE + 24;
constexpr int CODES_PER_DISTANCE = 64;

QDoubleSpinBox* SpinBox(QWidget* parent, double value, double top, const QString& tip)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(0.0, top);
    box->setDecimals(2);
    box->setSingleStep(0.05);
    box->setValue(value);
    box->setToolTip(tip);
    box->setKeyboardTracking(false);
    return box;
}

// A field whose value cannot be used turns red, as the dialogs draw their problems in red.
void MarkWrong(QDoubleSpinBox* box, bool wrong)
{
    QPalette palette = box->parentWidget()->palette();
    if (wrong)
        palette.setColor(QPalette::Base, QColor(0xf6, 0xd5, 0xd1));
    box->setPalette(palette);
}

// A variant's caption: where it differs from the code it varies, and how ("9:M→H"); a long code's
// start is the same in all of them.
QString ChangedLetters(const std::string& source, const std::string& code)
{
    QStringList changes;
    for (std::size_t i = 1; i < std::min(source.size(), code.size()); ++i)
        if (source[i] != code[i])
            changes << QString("%1:%2\u2192%3").arg(i).arg(QChar(source[i]), QChar(code[i]));
    return changes.join(' ');
}

// A reversed range marked on both its fields; the problem, or an empty text.
QString ReversedRange(const char* name, QDoubleSpinBox* low, QDoubleSpinBox* high)
{
    const bool reversed = low->value() > high->value();
    MarkWrong(low, reversed);
    MarkWrong(high, reversed);
    if (!reversed)
        return {};
    return QString("%1 is reversed: %2 > %3")
        .arg(name)
        .arg(low->value(), 0, 'f', 2)
        .arg(high->value(), 0, 'f', 2);
}
// A least Kaplan-Yorke dimension above the case's dimension, which no find can reach, marked;
// the problem, or an empty text.
QString UnreachableKaplanYorke(QDoubleSpinBox* box, char letter)
{
    const std::optional<AttractorCase> c = DescribeCase(letter);
    const bool beyond = c && box->value() > c->dimension;
    MarkWrong(box, beyond);
    if (!beyond)
        return {};
    return QString("KY at least %1 is more than case %2 can reach (%3)")
        .arg(box->value(), 0, 'f', 2)
        .arg(QChar(letter))
        .arg(c->dimension);
}
} // namespace

CPanelGallery::CPanelGallery(CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent)
    : CPanel("Gallery", doc, std::move(sendCommand), parent), search_(new GallerySearch(this))
{
    Build();
    Tree()->hide();
    BuildFilters();
    grid_ = new QListWidget(this);
    grid_->setObjectName("galleryGrid");
    grid_->setViewMode(QListView::IconMode);
    grid_->setMovement(QListView::Static);
    grid_->setResizeMode(QListView::Adjust);
    grid_->setUniformItemSizes(true);
    grid_->setIconSize(QSize(THUMBNAIL_SIZE, THUMBNAIL_SIZE));
    grid_->setGridSize(QSize(CELL_WIDTH, CELL_HEIGHT));
    grid_->setSpacing(2);
    grid_->setTextElideMode(Qt::ElideRight);
    grid_->setStyleSheet("QListWidget { background: #101014; color: #d8d8e0; }");
    connect(grid_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ShowFind(item); });
    connect(search_, &GallerySearch::Found, this, &CPanelGallery::AddFind);
    progress_ = new QLabel(this);
    progress_->setObjectName("galleryProgress");
    progress_->setIndent(4);
    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(PROGRESS_INTERVAL_MS);
    connect(progressTimer_, &QTimer::timeout, this, &CPanelGallery::ShowProgress);
    // Two thumbnails side by side, and the scroll bar.
    setMinimumWidth(2 * CELL_WIDTH + 2 * grid_->frameWidth() + 24);
}

CPanelGallery::~CPanelGallery()
{
    search_->Stop();
}

void CPanelGallery::SetupButtons()
{
    AddButton(cmd::ID_GALLERY_MORE, "More", IMAGE_NEXT);
    AddButton(cmd::ID_GALLERY_VARIANTS, "Variants", IMAGE_OPEN);
    AddButton(cmd::ID_ADD_TO_SAVED, "Add", IMAGE_SAVE);
    AddButton(cmd::ID_ADD_TO_FAVORITES, "Favorite", IMAGE_ADD);
}

void CPanelGallery::BuildFilters()
{
    filters_ = new QWidget(this);
    auto* layout = new QGridLayout(filters_);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setVerticalSpacing(1);
    const SearchFilter pleasing = PleasingFilter();
    minLyapunov_ = SpinBox(filters_, pleasing.minLyapunov, 5.0, "Lowest Lyapunov exponent l");
    dimensionLow_ = SpinBox(filters_, pleasing.dimension.low, 2.0, "Lowest correlation dimension f");
    dimensionHigh_ = SpinBox(filters_, pleasing.dimension.high, 2.0, "Highest correlation dimension f");
    fillLow_ = SpinBox(filters_, pleasing.fill.low, 1.0, "Least share of the thumbnail the points reach");
    fillHigh_ = SpinBox(filters_, pleasing.fill.high, 1.0, "Largest share of the thumbnail the points reach");
    layout->addWidget(new QLabel("l at least", filters_), 0, 0);
    layout->addWidget(minLyapunov_, 0, 1);
    layout->addWidget(new QLabel("f within", filters_), 1, 0);
    layout->addWidget(dimensionLow_, 1, 1);
    layout->addWidget(dimensionHigh_, 1, 2);
    layout->addWidget(new QLabel("fill within", filters_), 2, 0);
    layout->addWidget(fillLow_, 2, 1);
    layout->addWidget(fillHigh_, 2, 2);
    // The spectrum filters: 0 leaves the Kaplan-Yorke dimension free (and the spectrum unmeasured).
    hyperchaotic_ = new QCheckBox("hyperchaotic", filters_);
    hyperchaotic_->setToolTip("Two or more positive Lyapunov exponents (measures the spectrum of each find)");
    minKaplanYorke_ = SpinBox(filters_, 0.0, 4.0, "Lowest Kaplan-Yorke dimension (0: any)");
    layout->addWidget(new QLabel("KY at least", filters_), 3, 0);
    layout->addWidget(minKaplanYorke_, 3, 1);
    layout->addWidget(hyperchaotic_, 3, 2);
    for (QDoubleSpinBox* box :
         {minLyapunov_, dimensionLow_, dimensionHigh_, fillLow_, fillHigh_, minKaplanYorke_})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { SearchMore(); });
    connect(hyperchaotic_, &QCheckBox::toggled, this, [this] { SearchMore(); });
}

SearchFilter CPanelGallery::Filter() const
{
    SearchFilter filter;
    filter.minLyapunov = static_cast<float>(minLyapunov_->value());
    filter.dimension = {static_cast<float>(dimensionLow_->value()),
                        static_cast<float>(dimensionHigh_->value())};
    filter.fill = {static_cast<float>(fillLow_->value()), static_cast<float>(fillHigh_->value())};
    filter.hyperchaotic = hyperchaotic_->isChecked();
    if (minKaplanYorke_->value() > 0.0)
        filter.minKaplanYorke = static_cast<float>(minKaplanYorke_->value());
    return filter;
}

bool CPanelGallery::Searching() const
{
    return search_->Searching();
}

QString CPanelGallery::Progress() const
{
    return progress_->text();
}

char CPanelGallery::PageLetter() const
{
    return doc_.current() && doc_.current()->valid ? doc_.current()->CaseLetter() : doc_.caseLetter();
}

void CPanelGallery::ClearPage()
{
    grid_->clear();
    finds_.clear();
}

void CPanelGallery::StartPage(FindSearch::MakeTry makeTry, std::uint64_t seed)
{
    QString problem;
    // Every field is marked, the first problem named.
    for (const QString& found : {ReversedRange("f within", dimensionLow_, dimensionHigh_),
                                 ReversedRange("fill within", fillLow_, fillHigh_),
                                 UnreachableKaplanYorke(minKaplanYorke_, letter_)})
        if (problem.isEmpty())
            problem = found;
    if (!problem.isEmpty()) {
        // Nothing could pass: no search, and no late find of the page before.
        search_->Discard();
        ClearPage();
        progressTimer_->stop();
        progress_->setStyleSheet("QLabel { color: #c0392b; }");
        progress_->setText(problem);
        return;
    }
    ClearPage();
    // Fewer workers when memory is short; one that does not fit tells of it through OutOfMemory.
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const WorkerFit fit =
        FitSearchWorkers(cores, doc_.defaults().defaultPointsCount, THUMBNAIL_SIZE, SystemAvailableMemory());
    const FindSearch::Settings settings{std::max(fit.workers, 1), seed, Filter(), doc_.defaults()};
    search_->Start(settings, std::move(makeTry), PAGE_SIZE, THUMBNAIL_SIZE);
    sinceFind_.start();
    progressTimer_->start();
    progress_->setStyleSheet({});
    ShowProgress();
}

void CPanelGallery::SearchMore()
{
    letter_ = PageLetter();
    source_.clear();
    SetTitle("Gallery: " + QString::fromStdString(CaseText(letter_)));
    StartPage(RandomTries(letter_, doc_.defaults()), TrySeed(RandomGenerator::TimeSeed(), ++batches_));
}

void CPanelGallery::SearchVariants()
{
    if (!doc_.current() || !doc_.current()->valid)
        return;
    letter_ = PageLetter();
    source_ = doc_.current()->code;
    SetTitle("Gallery: variants of " + QString::fromStdString(CaseText(letter_)));
    const std::uint64_t seed = TrySeed(RandomGenerator::TimeSeed(), ++batches_);
    StartPage(VariantTries(*doc_.current(), seed, CODES_PER_DISTANCE, doc_.defaults()), seed);
}

void CPanelGallery::ShowProgress()
{
    const auto found = static_cast<int>(finds_.size());
    const QString tries = QLocale().toString(static_cast<qulonglong>(search_->Tries()));
    if (search_->Running()) {
        if (search_->Searching() && sinceFind_.elapsed() < patience_.count()) {
            // The tries show the work going on while finds are rare.
            progress_->setText(QString("Searching case %1\u2026 %2 of %3 (%4 tries)")
                                   .arg(letter_)
                                   .arg(found)
                                   .arg(PAGE_SIZE)
                                   .arg(tries));
            return;
        }
        // Out of tries, or out of patience; finds already on their way still join the page.
        search_->Stop();
    }
    progressTimer_->stop();
    if (found >= PAGE_SIZE)
        progress_->setText(QString("%1 finds of case %2 after %3 tries").arg(found).arg(letter_).arg(tries));
    else if (search_->OutOfMemory())
        progress_->setText(
            QString("Not enough memory for the points of a try (%1 each)")
                .arg(QLocale().toString(static_cast<qulonglong>(doc_.defaults().defaultPointsCount))));
    else if (found == 0)
        progress_->setText(QString("No finds match these filters after %1 tries").arg(tries));
    else
        progress_->setText(QString("Only %1 finds match these filters after %2 tries").arg(found).arg(tries));
}

void CPanelGallery::AddFind(const Find& find, const QImage& thumbnail)
{
    // In the order of the tries: neighbours come nearest first.
    const auto at = std::upper_bound(finds_.begin(), finds_.end(), find.index,
                                     [](std::uint64_t index, const Find& f) { return index < f.index; });
    const int row = static_cast<int>(at - finds_.begin());
    finds_.insert(at, find);
    const QString caption =
        source_.empty() ? QString::fromStdString(find.code) : ChangedLetters(source_, find.code);
    auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(thumbnail)), caption);
    item->setToolTip(QString::fromStdString(find.code) + QString("\nl = %1  f = %2  fill = %3")
                                                             .arg(find.lyapunov, 0, 'f', 3)
                                                             .arg(find.fractalDim, 0, 'f', 3)
                                                             .arg(find.fill, 0, 'f', 2));
    grid_->insertItem(row, item);
    sinceFind_.start();
    ShowProgress();
}

void CPanelGallery::ShowFind(const QListWidgetItem* item)
{
    const int row = grid_->row(item);
    if (row < 0 || row >= static_cast<int>(finds_.size()))
        return;
    const Find& find = finds_[static_cast<std::size_t>(row)];
    // Already shown: Add and Favorite act on the attractor on screen.
    if (doc_.current() && doc_.current()->code == find.code &&
        doc_.current()->exactCoefficients == find.exactCoefficients)
        return;
    doc_.SetAttractor(MakeAttractor(find, doc_.defaults()), SA_NO_SEARCH | SA_ADD_HISTORY);
}

bool CPanelGallery::HandleCommand(int id)
{
    switch (id) {
    case cmd::ID_GALLERY_MORE:
        SearchMore();
        return true;
    case cmd::ID_GALLERY_VARIANTS:
        SearchVariants();
        return true;
    case cmd::ID_ADD_TO_SAVED:
    case cmd::ID_ADD_TO_FAVORITES:
        // The selected thumbnail becomes current first; the document then keeps it.
        if (const QListWidgetItem* item = grid_->currentItem())
            ShowFind(item);
        return false;
    default:
        return false;
    }
}

void CPanelGallery::OnUpdate(int)
{
    if (isVisible() && PageLetter() != letter_)
        SearchMore();
}

void CPanelGallery::resizeEvent(QResizeEvent* event)
{
    CPanel::resizeEvent(event);
    filters_->setGeometry(0, BANDS_HEIGHT, width(), FILTERS_HEIGHT);
    progress_->setGeometry(0, BANDS_HEIGHT + FILTERS_HEIGHT, width(), PROGRESS_HEIGHT);
    const int top = BANDS_HEIGHT + FILTERS_HEIGHT + PROGRESS_HEIGHT;
    grid_->setGeometry(0, top, width(), std::max(0, height() - top));
}

void CPanelGallery::showEvent(QShowEvent* event)
{
    CPanel::showEvent(event);
    if (finds_.size() < PAGE_SIZE || PageLetter() != letter_)
        SearchMore();
}

void CPanelGallery::hideEvent(QHideEvent* event)
{
    search_->Stop();
    CPanel::hideEvent(event);
}

} // namespace zephyra
