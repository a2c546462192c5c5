#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QMessageBox>

namespace zephyra::testing {

ModalAnswerer::ModalAnswerer(std::function<void(QWidget*)> answer) : answer_(std::move(answer))
{
    qApp->installEventFilter(this);
}

ModalAnswerer::~ModalAnswerer()
{
    qApp->removeEventFilter(this);
}

bool ModalAnswerer::eventFilter(QObject* watched, QEvent* event)
{
    auto* window = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::Show && window && window->isWindow() && window->isModal()) {
        // Queued, so it runs inside the window's own event loop once that has started.
        QMetaObject::invokeMethod(
            this,
            [this, shown = QPointer<QWidget>(window)] {
                if (shown && shown->isVisible()) {
                    ++count_;
                    answer_(shown);
                }
            },
            Qt::QueuedConnection);
    }
    return false;
}

BoxAnswerer::BoxAnswerer(int standardButton)
    : answerer_([this, standardButton](QWidget* window) {
          auto* box = qobject_cast<QMessageBox*>(window);
          if (!box)
              return;
          title_ = box->windowTitle();
          text_ = box->text();
          if (QAbstractButton* button = box->button(static_cast<QMessageBox::StandardButton>(standardButton)))
              button->click();
          else
              box->reject();
      })
{
}

} // namespace zephyra::testing
