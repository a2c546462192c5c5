#include "Camera.h"

#include <algorithm>
#include <cmath>

namespace zephyra {

namespace {

Matrix4 Identity()
{
    Matrix4 m{};
    m[0] = m[5] = m[10] = m[15] = 1.0f;
    return m;
}

Matrix4 Translation(float x, float y, float z)
{
    Matrix4 m = Identity();
    m[12] = x;
    m[13] = y;
    m[14] = z;
    return m;
}

Matrix4 RotationX(float degrees)
{
    const float a = degrees * DEGREES_TO_RADIANS;
    const float c = std::cos(a), s = std::sin(a);
    Matrix4 m = Identity();
    m[5] = c;
    m[6] = s;
    m[9] = -s;
    m[10] = c;
    return m;
}

Matrix4 RotationY(float degrees)
{
    const float a = degrees * DEGREES_TO_RADIANS;
    const float c = std::cos(a), s = std::sin(a);
    Matrix4 m = Identity();
    m[0] = c;
    m[2] = -s;
    m[8] = s;
    m[10] = c;
    return m;
}

// The turn of plane (axis, w) by `degrees`.
Matrix4 PlaneTurn(int axis, float degrees)
{
    Matrix4 m = Identity();
    if (degrees == 0.0f)
        return m;
    const float a = degrees * DEGREES_TO_RADIANS;
    const float c = std::cos(a), s = std::sin(a);
    m[axis * 4 + axis] = c; // column `axis`: where the axis goes
    m[axis * 4 + 3] = s;
    m[3 * 4 + axis] = -s;
    m[3 * 4 + 3] = c;
    return m;
}

} // namespace

ViewportSize ViewportFor(int clientWidth, int clientHeight)
{
    return {std::max(clientWidth, 0) + 1, std::max(clientHeight, 0) + 1};
}

Matrix4 Multiply(const Matrix4& a, const Matrix4& b)
{
    Matrix4 r{};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a[k * 4 + row] * b[col * 4 + k];
            r[col * 4 + row] = sum;
        }
    return r;
}

Vector4 Transform(const Matrix4& m, const Vector4& v)
{
    Vector4 r{};
    for (int row = 0; row < 4; ++row)
        r[row] = m[row] * v[0] + m[4 + row] * v[1] + m[8 + row] * v[2] + m[12 + row] * v[3];
    return r;
}

Matrix4 Perspective(float fovDegrees, float aspect)
{
    const float t = std::tan(fovDegrees * DEGREES_TO_RADIANS * 0.5f) * NEAR_PLANE;
    const float b = -t, r = t * aspect, l = -t * aspect;
    const float n = NEAR_PLANE, f = FAR_PLANE;
    Matrix4 m{};
    m[0] = 2 * n / (r - l);
    m[5] = 2 * n / (t - b);
    m[8] = (r + l) / (r - l);
    m[9] = (t + b) / (t - b);
    m[10] = -(f + n) / (f - n);
    m[11] = -1.0f;
    m[14] = -2 * f * n / (f - n);
    return m;
}

Matrix4 ModelView(const Attractor& camera, float jitterX, float jitterY)
{
    const Matrix4 t = Translation(camera.tx + jitterX, camera.ty + jitterY, -camera.zoom);
    return Multiply(Multiply(t, RotationX(camera.pitch)), RotationY(camera.yaw));
}

CameraPose CameraPose::Of(const Attractor& a)
{
    if (a.dimension != 4)
        return {a.fov, a.zoom, a.yaw, a.pitch, a.tx, a.ty};
    return {a.fov, a.zoom, a.yaw, a.pitch, a.tx, a.ty, a.xw, a.yw, a.zw};
}

Matrix4 Turn4DMatrix(const CameraPose& camera)
{
    // Turns of 0 are identities, and multiplying by an identity changes no bit.
    return Multiply(PlaneTurn(2, camera.zw), Multiply(PlaneTurn(1, camera.yw), PlaneTurn(0, camera.xw)));
}

Matrix4 SceneMatrix(const CameraPose& camera, float aspect, float jitterX, float jitterY)
{
    // Multiplied in the order F x T, then x Rx, then x Ry, so that print and screen round alike.
    const Matrix4 t = Translation(camera.tx + jitterX, camera.ty + jitterY, -camera.zoom);
    const Matrix4 ft = Multiply(Perspective(camera.fov, aspect), t);
    return Multiply(Multiply(ft, RotationX(camera.pitch)), RotationY(camera.yaw));
}

} // namespace zephyra
