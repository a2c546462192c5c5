#pragma once

namespace zephyra {

class Attractor;

// Mouse rates and bounds of the camera, in single precision.
constexpr float ROTATION_RATE = 0.4f;      // degrees per pixel
constexpr float PAN_RATE = 0.005f;         // model units per pixel
constexpr float DRAG_ZOOM_RATE = 0.003f;   // model units per pixel, with Control
constexpr float WHEEL_ZOOM_RATE = 0.0015f; // model units per wheel unit (120 a notch)
constexpr float ZOOM_LOWEST = 0.25f;
constexpr float ZOOM_HIGHEST_DRAG = 10.0f;
constexpr float ZOOM_HIGHEST_WHEEL = 8.0f;

// One mouse move of dx, dy logical pixels with the left button held: Control (with or without
// Shift) moves the eye, Shift alone pans, no modifier rotates.
void DragCamera(Attractor& camera, int dx, int dy, bool control, bool shift);
// One mouse move with the middle button held, for 4D cases: horizontal turns the plane xw and
// vertical yw, or with Control horizontal turns zw. Angles stay within -180..180 degrees.
void TurnCamera4D(Attractor& camera, int dx, int dy, bool control);
// One wheel event with its signed delta.
void WheelZoom(Attractor& camera, int delta);

} // namespace zephyra
