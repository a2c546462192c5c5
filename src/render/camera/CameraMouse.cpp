#include "CameraMouse.h"

#include "Attractor.h"

namespace zephyra {

namespace {

void TurnBy(float& angle, float degrees)
{
    angle += degrees;
    if (angle > 180.0f)
        angle -= 360.0f;
    if (angle < -180.0f)
        angle += 360.0f;
}

} // namespace

void DragCamera(Attractor& camera, int dx, int dy, bool control, bool shift)
{
    const float fx = static_cast<float>(dx), fy = static_cast<float>(dy);
    if (control) {
        camera.zoom += fy * DRAG_ZOOM_RATE;
        if (camera.zoom < ZOOM_LOWEST)
            camera.zoom = ZOOM_LOWEST;
        if (camera.zoom > ZOOM_HIGHEST_DRAG)
            camera.zoom = ZOOM_HIGHEST_DRAG;
    } else if (shift) {
        camera.tx += fx * PAN_RATE;
        camera.ty -= fy * PAN_RATE;
    } else {
        camera.pitch += fy * ROTATION_RATE;
        if (camera.pitch < 0.0f)
            camera.pitch += 360.0f;
        if (camera.pitch > 360.0f)
            camera.pitch -= 360.0f;
        // Upside down, moving right must still turn the picture the way the mouse goes.
        if (camera.pitch < 90.0f || camera.pitch > 270.0f)
            camera.yaw += fx * ROTATION_RATE;
        else
            camera.yaw -= fx * ROTATION_RATE;
    }
}

void TurnCamera4D(Attractor& camera, int dx, int dy, bool control)
{
    const float fx = static_cast<float>(dx) * ROTATION_RATE, fy = static_cast<float>(dy) * ROTATION_RATE;
    if (control) {
        TurnBy(camera.zw, fx);
    } else {
        TurnBy(camera.xw, fx);
        TurnBy(camera.yw, fy);
    }
}

void WheelZoom(Attractor& camera, int delta)
{
    camera.zoom -= static_cast<float>(delta) * WHEEL_ZOOM_RATE;
    if (camera.zoom < ZOOM_LOWEST)
        camera.zoom = ZOOM_LOWEST;
    if (camera.zoom > ZOOM_HIGHEST_WHEEL)
        camera.zoom = ZOOM_HIGHEST_WHEEL;
}

} // namespace zephyra
