#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace zephyra {

// Watches the keyboard during a long run on the user-interface thread. While active it pumps
// events at most every ~30 ms, so status texts and the window repaint, and swallows every user
// input except Escape, which it records for the next poll. Closing a main window (Alt+F4, the
// close button) cancels the run as Escape does and is remembered, so the window can close after it.
class EscapeWatch : public QObject {
public:
    void Begin();
    void End();
    [[nodiscard]] bool Active() const { return active_; }
    // Called once per iteration: costs an increment and a test except every 64th call.
    [[nodiscard]] bool Poll();
    // The main window whose closing was held back during the run, once; null when none was.
    [[nodiscard]] QWidget* TakeCloseRequest();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool active_ = false;
    bool escape_ = false;
    QPointer<QWidget> closing_;
    unsigned calls_ = 0;
    QElapsedTimer sincePump_;
};

} // namespace zephyra
