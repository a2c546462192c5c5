#include "CodeBox.h"

#include "Attractor.h"
#include "AttractorCase.h"
#include "ExactCoefficientsText.h"
#include "PanelImages.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionComboBox>

#include <functional>

namespace zephyra {

namespace {

// A line edit whose selection survives the loss of focus. It takes Enter itself: left to the
// combo box, one key press would come back from the box to the edit and be reported twice.
class CodeEdit : public QLineEdit {
public:
    CodeEdit(QWidget* parent, std::function<void()> onEnter) : QLineEdit(parent), onEnter_(std::move(onEnter))
    {
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
            onEnter_();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

    void focusOutEvent(QFocusEvent* event) override
    {
        const int start = selectionStart();
        const int length = selectedText().size();
        QLineEdit::focusOutEvent(event);
        if (start >= 0 && length > 0)
            setSelection(start, length);
    }

private:
    std::function<void()> onEnter_;
};

// The mark of a code between the letters: "≈" in the text colour.
QIcon BetweenIcon(const QPalette& palette)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setPixelSize(15);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(palette.color(QPalette::Highlight));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QString(QChar(0x2248)));
    return QIcon(pixmap);
}

} // namespace

CodeBox::CodeBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setLineEdit(new CodeEdit(this, [this] { emit goRequested(); }));
    lineEdit()->setMaxLength(MAX_CODE_LENGTH);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(20);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(24);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // An editable combo box would complete a typed prefix to an older code; codes are typed whole.
    setCompleter(nullptr);
    setToolTip(QString());
    betweenMark_ = lineEdit()->addAction(BetweenIcon(palette()), QLineEdit::TrailingPosition);
    betweenMark_->setVisible(false);
    connect(this, &QComboBox::editTextChanged, this, &CodeBox::FollowText);
}

void CodeBox::ShowCode(const Attractor& attractor)
{
    const QString code = QString::fromStdString(attractor.code);
    const QString exact = QString::fromStdString(ExactCoefficientsText(attractor));
    betweenCode_ = exact.isEmpty() ? QString() : code;
    betweenTip_ =
        "Between the letters: the code shows the nearest ones; the exact values (place:value) are " + exact;
    if (count() == 0 || itemText(0) != code)
        insertItem(0, CaseIcon(attractor.CaseLetter(), 16), code);
    setFocus(Qt::OtherFocusReason);
    setCurrentIndex(0);
    setEditText(code);
    ShowBetweenMark(code);
    // A long code shows its start: the field scrolls only as far as the mark needs, and only when
    // it paints, so it paints once with the cursor at the start.
    lineEdit()->setCursorPosition(0);
    lineEdit()->repaint();
    lineEdit()->setSelection(attractor.position, 1);
}

void CodeBox::FollowText(const QString& text)
{
    ShowBetweenMark(text);
    const char letter = text.isEmpty() ? '\0' : text.front().toLatin1();
    // Typing within a code leaves its case: the image is drawn again only when the letter changes.
    if (letter == textLetter_)
        return;
    textLetter_ = letter;
    textCase_ = DescribeCase(letter) ? CaseIcon(letter, 16) : QIcon();
    update();
}

void CodeBox::ShowBetweenMark(const QString& text)
{
    // A typed code is a code on its letters.
    const bool between = !betweenCode_.isEmpty() && text == betweenCode_;
    betweenMark_->setVisible(between);
    betweenMark_->setToolTip(between ? betweenTip_ : QString());
    setToolTip(between ? betweenTip_ : QString());
}

void CodeBox::initStyleOption(QStyleOptionComboBox* option) const
{
    QComboBox::initStyleOption(option);
    // The edit field leaves room for an image only while the list holds a code.
    option->currentIcon = count() > 0 ? textCase_ : QIcon();
}

} // namespace zephyra
