#pragma once
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

namespace zephyra::testing {

// Answers the modal windows (message boxes, colour choosers, the About box) that open while it
// lives: `answer` runs on each one as soon as its own event loop runs, so a test never waits a
// fixed time for a dialog. Counts the windows answered.
class ModalAnswerer : public QObject {
public:
    explicit ModalAnswerer(std::function<void(QWidget*)> answer);
    ~ModalAnswerer() override;
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    [[nodiscard]] int Count() const { return count_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(QWidget*)> answer_;
    int count_ = 0;
};

// What the last message box said, how many there were, and the button pressed in each.
class BoxAnswerer {
public:
    explicit BoxAnswerer(int standardButton);
    [[nodiscard]] int Count() const { return answerer_.Count(); }
    [[nodiscard]] const QString& Title() const { return title_; }
    [[nodiscard]] const QString& Text() const { return text_; }

private:
    QString title_;
    QString text_;
    ModalAnswerer answerer_;
};

} // namespace zephyra::testing
