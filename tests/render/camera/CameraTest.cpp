#include "Camera.h"
#include "Attractor.h"
#include "CameraMouse.h"

#include <gtest/gtest.h>

#include <utility>

namespace zephyra {
namespace {

AttractorRef Camera(float yaw, float pitch, float tx = 0.0f, float ty = 0.0f)
{
    AttractorRef a = Attractor::CreateEmpty(AttractorDefaults{});
    a->yaw = yaw;
    a->pitch = pitch;
    a->tx = tx;
    a->ty = ty;
    return a;
}

void ExpectNear(const Vector4& actual, const Vector4& expected, float tolerance = 1e-5f)
{
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "component " << i;
}

TEST(Viewport, IsOnePixelLargerThanTheClientAndNeverEmpty)
{
    const ViewportSize empty = ViewportFor(0, 0);
    EXPECT_EQ(empty.width, 1);
    EXPECT_EQ(empty.height, 1);
    EXPECT_EQ(empty.Aspect(), 1.0f);
    const ViewportSize window = ViewportFor(799, 599);
    EXPECT_EQ(window.width, 800);
    EXPECT_EQ(window.height, 600);
    EXPECT_FLOAT_EQ(window.Aspect(), 800.0f / 600.0f);
}

TEST(ModelView, RestingCameraLooksAtTheCubeFromZoom)
{
    const AttractorRef a = Camera(0, 0);
    const Matrix4 m = ModelView(*a, 0, 0);
    ExpectNear(Transform(m, {0, 0, 0, 1}), {0, 0, -2.5f, 1});
    ExpectNear(Transform(m, {1, 0, 0, 1}), {1, 0, -2.5f, 1});
    ExpectNear(Transform(m, {0, 0, 1, 1}), {0, 0, -1.5f, 1});
}

TEST(ModelView, PitchNinetyTurnsYTowardTheViewerAndZDown)
{
    const AttractorRef a = Camera(0, 90);
    const Matrix4 m = ModelView(*a, 0, 0);
    ExpectNear(Transform(m, {0, 1, 0, 1}), {0, 0, -1.5f, 1});
    ExpectNear(Transform(m, {0, 0, 1, 1}), {0, -1, -2.5f, 1});
}

TEST(ModelView, YawTurnsXAwayFromTheViewerBeforePitch)
{
    // Yaw 90 takes x to -z; pitch 90 then takes -z to -y... applied in that order: Ry first.
    const AttractorRef a = Camera(90, 90);
    const Matrix4 m = ModelView(*a, 0, 0);
    ExpectNear(Transform(m, {1, 0, 0, 1}), {0, 1, -2.5f, 1});
}

TEST(ModelView, TranslationIsInEyeSpaceWhateverTheRotation)
{
    for (const auto& [yaw, pitch] : {std::pair{0.0f, 0.0f}, {37.0f, 123.0f}, {-200.0f, 271.0f}}) {
        const AttractorRef shifted = Camera(yaw, pitch, 0.5f, 0);
        const AttractorRef plain = Camera(yaw, pitch);
        const Vector4 p{0.3f, -0.7f, 0.2f, 1};
        const Vector4 a = Transform(ModelView(*shifted, 0, 0), p), b = Transform(ModelView(*plain, 0, 0), p);
        EXPECT_NEAR(a[0] - b[0], 0.5f, 1e-5f);
        EXPECT_NEAR(a[1] - b[1], 0.0f, 1e-5f);
        EXPECT_NEAR(a[2] - b[2], 0.0f, 1e-5f);
        // On screen: to the right.
        const Vector4 ca = Transform(SceneMatrix(*shifted, 1.0f), p),
                      cb = Transform(SceneMatrix(*plain, 1.0f), p);
        EXPECT_GT(ca[0] / ca[3], cb[0] / cb[3]);
    }
}

TEST(MouseCamera, ControlDragZoomIsBoundedByTenAndTheWheelByEight)
{
    AttractorRef a = Camera(0, 0);
    DragCamera(*a, 0, 5000, true, false);
    EXPECT_EQ(a->zoom, 10.0f);
    WheelZoom(*a, 120);
    EXPECT_EQ(a->zoom, 8.0f);
    WheelZoom(*a, -120 * 100);
    EXPECT_EQ(a->zoom, 8.0f);
    DragCamera(*a, 0, -5000, true, false);
    EXPECT_EQ(a->zoom, 0.25f);
    WheelZoom(*a, 120);
    EXPECT_EQ(a->zoom, 0.25f);
    a->zoom = 2.5f;
    WheelZoom(*a, 120);
    EXPECT_FLOAT_EQ(a->zoom, 2.32f);
}

TEST(MouseCamera, ControlShiftZoomsAndDoesNotPan)
{
    AttractorRef a = Camera(0, 0);
    DragCamera(*a, 40, 100, true, true);
    EXPECT_FLOAT_EQ(a->zoom, 2.8f);
    EXPECT_EQ(a->tx, 0.0f);
    EXPECT_EQ(a->ty, 0.0f);
    EXPECT_EQ(a->yaw, 0.0f);
}

TEST(MouseCamera, ShiftPansWithTheMouse)
{
    AttractorRef a = Camera(0, 0);
    DragCamera(*a, 100, 20, false, true);
    EXPECT_FLOAT_EQ(a->tx, 0.5f);
    EXPECT_FLOAT_EQ(a->ty, -0.1f);
    EXPECT_EQ(a->zoom, 2.5f);
    EXPECT_EQ(a->pitch, 0.0f);
}

TEST(MouseCamera, PitchWrapsOnceEachWay)
{
    AttractorRef a = Camera(0, 359.8f);
    DragCamera(*a, 0, 1, false, false);
    EXPECT_NEAR(a->pitch, 0.2f, 1e-4f);
    DragCamera(*a, 0, -1, false, false);
    EXPECT_NEAR(a->pitch, 359.8f, 1e-4f);
}

TEST(MouseCamera, YawFollowsTheMouseWhetherUpsideDownOrNot)
{
    AttractorRef upright = Camera(0, 0);
    DragCamera(*upright, 10, 0, false, false);
    EXPECT_FLOAT_EQ(upright->yaw, 4.0f);
    AttractorRef upsideDown = Camera(0, 180);
    DragCamera(*upsideDown, 10, 0, false, false);
    EXPECT_FLOAT_EQ(upsideDown->yaw, -4.0f);
    // Yaw is never wrapped.
    AttractorRef spun = Camera(350, 0);
    DragCamera(*spun, 100, 0, false, false);
    EXPECT_FLOAT_EQ(spun->yaw, 390.0f);
}

} // namespace
} // namespace zephyra
