#pragma once
#include "Attractor.h"

#include <array>

namespace zephyra {

// A 4 x 4 matrix stored column by column, as OpenGL takes it.
using Matrix4 = std::array<float, 16>;
using Vector4 = std::array<float, 4>;

constexpr float DEGREES_TO_RADIANS = 0.017453292f;
constexpr float NEAR_PLANE = 0.00001f;
constexpr float FAR_PLANE = 10.0f;

// The drawing area of a view: one pixel more than the client area each way, so an empty client
// still gives a 1 x 1 viewport and aspect 1.
struct ViewportSize {
    int width = 1;
    int height = 1;
    [[nodiscard]] float Aspect() const { return static_cast<float>(width) / static_cast<float>(height); }
};
[[nodiscard]] ViewportSize ViewportFor(int clientWidth, int clientHeight);

[[nodiscard]] Matrix4 Multiply(const Matrix4& a, const Matrix4& b);
[[nodiscard]] Vector4 Transform(const Matrix4& m, const Vector4& v);

// The perspective frustum of the view: vertical field of view in degrees, near 0.00001, far 10.
[[nodiscard]] Matrix4 Perspective(float fovDegrees, float aspect);
// The camera of one picture, copied out of its record so that a worker needs no record. The 4D
// turn (degrees in the planes xw, yw, zw) is that of a 4D case and 0 for any other.
struct CameraPose {
    float fov = DEFAULT_FOV, zoom = DEFAULT_ZOOM, yaw = 0, pitch = 0, tx = 0, ty = 0;
    float xw = 0, yw = 0, zw = 0;
    [[nodiscard]] static CameraPose Of(const Attractor& attractor);
    [[nodiscard]] bool Turns4D() const { return xw != 0.0f || yw != 0.0f || zw != 0.0f; }
    // The angle of the plane of w and axis 0 (x), 1 (y) or 2 (z).
    [[nodiscard]] float& Turn4D(int axis) { return axis == 0 ? xw : axis == 1 ? yw : zw; }
    bool operator==(const CameraPose&) const = default;
};

// The 4D turn of a point (x, y, z, w) before the axis mapping and the 3D camera: xw first, then
// yw, then zw. Each plane turns axis a towards w: a' = a cos t - w sin t, w' = a sin t + w cos t.
// The identity, exactly, when the pose has no 4D turn.
[[nodiscard]] Matrix4 Turn4DMatrix(const CameraPose& camera);

// Translation by (tx + jitterX, ty + jitterY, -zoom), then pitch about x, then yaw about y.
[[nodiscard]] Matrix4 ModelView(const Attractor& camera, float jitterX, float jitterY);
// Projection times model-view: model space straight to clip space.
[[nodiscard]] Matrix4 SceneMatrix(const CameraPose& camera, float aspect, float jitterX = 0.0f,
                                  float jitterY = 0.0f);
[[nodiscard]] inline Matrix4 SceneMatrix(const Attractor& camera, float aspect, float jitterX = 0.0f,
                                         float jitterY = 0.0f)
{
    return SceneMatrix(CameraPose::Of(camera), aspect, jitterX, jitterY);
}

} // namespace zephyra
