#pragma once
// Helpers of the view tests: a view on screen, mouse events as a person makes them, and
// screenshots to look at.
#include "CZephyraDoc.h"
#include "CZephyraView.h"
#include "DocumentAccess.h"
#include "FakeHost.h"
#include "OrbitFixture.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <memory>

namespace zephyra::testing {

// A document and its view on screen, for the test classes of the view.
class ViewFixture {
protected:
    void StartView(int width, int height, int pointsOnCpu)
    {
        host_ = std::make_unique<FakeHost>();
        doc_ = std::make_unique<CZephyraDoc>(*host_, nullptr, 1);
        // The view hears the document's hints, as the main window passes them on.
        doc_->SetObserver(host_.get());
        host_->receivers.push_back([this](int hint) {
            if (view_)
                view_->OnUpdate(hint);
        });
        Arrange(*doc_).settings.pointsOnCpu = pointsOnCpu;
        Show(HENON_CODE, 20000);
        view_ = std::make_unique<CZephyraView>(*doc_);
        view_->resize(width, height);
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
    }
    void StopView()
    {
        view_.reset();
        doc_.reset();
        host_.reset();
    }
    // A new current attractor with `points` points of its orbit.
    void Show(const char* code, int points)
    {
        Arrange(*doc_).current = Attractor::CreateFromCode(code, doc_->defaults());
        FillOrbit(Arrange(*doc_).buffer, *doc_->current(), points);
    }
    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
              Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QMouseEvent event(type, at, view_->mapToGlobal(at), button, held, keys);
        QCoreApplication::sendEvent(view_.get(), &event);
    }

    std::unique_ptr<FakeHost> host_;
    std::unique_ptr<CZephyraDoc> doc_;
    std::unique_ptr<CZephyraView> view_;
};

// Pixels of a black and white picture that are neither: the marks of antialiasing.
inline int GreyPixels(const QImage& image)
{
    int greys = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int v = qRed(image.pixel(x, y));
            greys += v > 0 && v < 255;
        }
    return greys;
}

// Saves the picture as NAME.png in the folder $ZEPHYRA_SCREENSHOTS names, if it names one.
inline void SaveScreenshot(const QImage& image, const QString& name)
{
    const QByteArray dir = qgetenv("ZEPHYRA_SCREENSHOTS");
    if (!dir.isEmpty())
        image.save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
}

} // namespace zephyra::testing
