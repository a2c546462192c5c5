#pragma once
#include <QComboBox>

namespace zephyra {

class Attractor;

// The editable code box: every code shown, newest first, without two equal neighbours, each
// with the image of its case. The edit field takes at most one longest code and keeps its
// selection visible when the focus leaves it, so the coefficient at `position` stays marked. The
// image beside the edit field is that of the case its text names, also of a typed or refused code.
// An attractor between the letters shows its nearest code with a mark at the field's end, and the
// exact values in the tooltip, while the text is that code.
class CodeBox : public QComboBox {
    Q_OBJECT
public:
    explicit CodeBox(QWidget* parent = nullptr);

    void ShowCode(const Attractor& attractor);
    // The mark of an attractor between the letters (hidden otherwise).
    [[nodiscard]] QAction* BetweenMark() const { return betweenMark_; }

signals:
    // Enter in the edit field: the same as Go.
    void goRequested();

protected:
    void initStyleOption(QStyleOptionComboBox* option) const override;

private:
    void FollowText(const QString& text);
    void ShowBetweenMark(const QString& text);

    // The image of the case the text names, beside the edit field.
    QIcon textCase_;
    char textLetter_ = '\0';
    QAction* betweenMark_ = nullptr;
    QString betweenCode_; // the code shown with exact values; empty when there are none
    QString betweenTip_;
};

} // namespace zephyra
