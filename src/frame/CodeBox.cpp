#include "CodeBox.h"

#include "Attractor.h"
#include "PanelImages.h"

#include <QFocusEvent>
#include <QLineEdit>

namespace zephyra {

namespace {

// A line edit whose selection survives the loss of focus.
class CodeEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusOutEvent(QFocusEvent* event) override {
        const int start = selectionStart();
        const int length = selectedText().size();
        QLineEdit::focusOutEvent(event);
        if (start >= 0 && length > 0)
            setSelection(start, length);
    }
};

} // namespace

CodeBox::CodeBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setLineEdit(new CodeEdit(this));
    lineEdit()->setMaxLength(MAX_CODE_LENGTH);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(20);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(24);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // An editable combo box would complete a typed prefix to an older code; codes are typed whole.
    setCompleter(nullptr);
    setToolTip(QString());
    connect(lineEdit(), &QLineEdit::returnPressed, this, &CodeBox::goRequested);
}

void CodeBox::ShowCode(const Attractor& attractor) {
    const QString code = QString::fromStdString(attractor.code);
    if (count() == 0 || itemText(0) != code)
        insertItem(0, CaseIcon(attractor.CaseLetter(), 16), code);
    setFocus(Qt::OtherFocusReason);
    setCurrentIndex(0);
    setEditText(code);
    lineEdit()->setSelection(attractor.position, 1);
}

} // namespace zephyra
