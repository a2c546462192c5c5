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
// The camera of one picture, copied out of its record so that a worker needs no record.
struct CameraPose {
    float fov = DEFAULT_FOV, zoom = DEFAULT_ZOOM, yaw = 0, pitch = 0, tx = 0, ty = 0;
    [[nodiscard]] static CameraPose Of(const Attractor& attractor);
    bool operator==(const CameraPose&) const = default;
};

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
