#include "GlSceneRenderer.h"

#include "Attractor.h"
#include "GlResources.h"
#include "PointBuffer.h"

#include <QMatrix4x4>

#include <QVector4D>
#include <algorithm>
#include <cstdint>

namespace zephyra {

namespace {

constexpr int POINT_ATTRIBUTE = 0;

const char* const VERTEX_SHADER = R"(#version 120
attribute vec4 point;
uniform mat4 positionLinear;
uniform vec4 positionOffset;
uniform mat4 colorLinear;
uniform vec4 colorOffset;
varying vec4 color;
void main()
{
    gl_Position = positionLinear * point + positionOffset;
    color = colorLinear * point + colorOffset;
}
)";

const char* const FRAGMENT_SHADER = R"(#version 120
varying vec4 color;
void main()
{
    gl_FragColor = color;
}
)";

// The twelve cube edges as segments, then the three cross segments from the origin.
constexpr int BOX_VERTICES = 24;
constexpr int CROSS_VERTICES = 6;
constexpr float CROSS_LENGTH = 0.2f;

std::array<Point, BOX_VERTICES + CROSS_VERTICES> LineVertices()
{
    std::array<Point, BOX_VERTICES + CROSS_VERTICES> v{};
    const Point loop[4] = {{-1, -1, -1, 0}, {1, -1, -1, 0}, {1, -1, 1, 0}, {-1, -1, 1, 0}};
    int n = 0;
    for (float y : {-1.0f, 1.0f})
        for (int i = 0; i < 4; ++i) {
            Point a = loop[i], b = loop[(i + 1) % 4];
            a[1] = b[1] = y;
            v[n++] = a;
            v[n++] = b;
        }
    for (const Point& corner : loop) {
        Point top = corner;
        top[1] = 1;
        v[n++] = corner;
        v[n++] = top;
    }
    for (int axis = 0; axis < 3; ++axis) {
        Point end{0, 0, 0, 0};
        end[axis] = CROSS_LENGTH;
        v[n++] = {0, 0, 0, 0};
        v[n++] = end;
    }
    return v;
}

QMatrix4x4 ToQt(const Matrix4& m)
{
    // QMatrix4x4 takes its values row by row.
    QMatrix4x4 q;
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
            q(row, col) = m[col * 4 + row];
    return q;
}

QVector4D ToQt(const Vector4& v)
{
    return {v[0], v[1], v[2], v[3]};
}

} // namespace

GlSceneRenderer::GlSceneRenderer(int chunkPoints) : chunkPoints_(std::max(chunkPoints, 1))
{
    initializeOpenGLFunctions();
    BuildProgram(program_, VERTEX_SHADER, FRAGMENT_SHADER, "point", POINT_ATTRIBUTE);
    const auto lines = LineVertices();
    FillStaticBuffer(lines_, lines.data(), static_cast<int>(sizeof(lines)));
}

GlSceneRenderer::~GlSceneRenderer() = default;

void GlSceneRenderer::Release()
{
    for (QOpenGLBuffer& chunk : points_)
        chunk.destroy();
    points_.clear();
    lines_.destroy();
    program_.removeAllShaders();
    uploaded_ = {};
}

GlSceneRenderer::UploadKey GlSceneRenderer::KeyOf(const PointBuffer& buffer)
{
    UploadKey key;
    key.data = buffer.points.get();
    key.count = buffer.points ? buffer.count : 0;
    if (key.count > 0)
        for (std::size_t i = 0; i < key.samples.size(); ++i)
            key.samples[i] =
                buffer.points[static_cast<std::size_t>(key.count - 1) * i / (key.samples.size() - 1)];
    return key;
}

GLsizeiptr GlSceneRenderer::PointBytes(int count)
{
    return static_cast<GLsizeiptr>(count) * static_cast<GLsizeiptr>(sizeof(Point));
}

void GlSceneRenderer::SyncPoints(const PointBuffer& buffer)
{
    UploadKey key = KeyOf(buffer);
    if (key == uploaded_)
        return;
    const auto chunks = static_cast<std::size_t>((std::int64_t{key.count} + chunkPoints_ - 1) / chunkPoints_);
    while (points_.size() > chunks) {
        points_.back().destroy();
        points_.pop_back();
    }
    while (points_.size() < chunks) {
        points_.emplace_back(QOpenGLBuffer::VertexBuffer);
        points_.back().create();
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    for (std::size_t i = 0; i < chunks; ++i) {
        const int first = static_cast<int>(i) * chunkPoints_;
        points_[i].bind();
        // QOpenGLBuffer::allocate takes an int of bytes, too small for large chunks.
        glBufferData(GL_ARRAY_BUFFER, PointBytes(std::min(chunkPoints_, key.count - first)),
                     buffer.points.get() + first, GL_STATIC_DRAW);
        points_[i].release();
        // A set the GL cannot hold is not drawn, rather than the previous one in its place.
        if (glGetError() == GL_OUT_OF_MEMORY) {
            key.count = 0;
            break;
        }
    }
    uploaded_ = key;
    ++uploads_;
}

void GlSceneRenderer::SetMappings(const Matrix4& scene, const AffineMap& axes, const AffineMap& colors)
{
    // One matrix from the point straight to clip space. Without a 4D turn the axis map only picks
    // coordinates, so folding it into the scene matrix rounds nothing differently.
    program_.setUniformValue("positionLinear", ToQt(Multiply(scene, axes.linear)));
    program_.setUniformValue("positionOffset", ToQt(Transform(scene, axes.offset)));
    program_.setUniformValue("colorLinear", ToQt(colors.linear));
    program_.setUniformValue("colorOffset", ToQt(colors.offset));
}

void GlSceneRenderer::Draw(const SceneInput& scene, const ViewportSize& viewport, float jitterX,
                           float jitterY)
{
    lastDrawn_ = 0;
    glViewport(0, 0, viewport.width, viewport.height);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDisable(GL_BLEND);
    if (!scene.attractor) {
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return;
    }
    const Attractor& a = *scene.attractor;
    const SceneColors colors = ChooseColors(a, scene.flags, *scene.defaults);
    glClearColor(colors.background[0], colors.background[1], colors.background[2], 1.0f);
    glClear(scene.pointsHidden ? GL_DEPTH_BUFFER_BIT : GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const CameraPose pose = CameraPose::Of(a);
    const Matrix4 matrix = SceneMatrix(pose, viewport.Aspect(), jitterX, jitterY);
    const bool ready = scene.buffer && scene.buffer->ready && scene.buffer->points;

    program_.bind();
    if (ready && !scene.pointsHidden) {
        SyncPoints(*scene.buffer);
        const int end =
            std::min(DrawnPointEnd(a.pointsCount, scene.buffer->count, scene.dragging, scene.adaptive),
                     uploaded_.count);
        if (end > FIRST_DRAWN_POINT) {
            SetMappings(matrix, TurnedAxisMapping(a.display, pose),
                        ColorMapping(a.display, colors.foreground, scene.flags.blackWhite));
            program_.enableAttributeArray(POINT_ATTRIBUTE);
            for (int first = FIRST_DRAWN_POINT; first < end;) {
                const int chunk = first / chunkPoints_;
                const int chunkEnd =
                    static_cast<int>(std::min<std::int64_t>(end, std::int64_t{chunk + 1} * chunkPoints_));
                points_[static_cast<std::size_t>(chunk)].bind();
                program_.setAttributeBuffer(POINT_ATTRIBUTE, GL_FLOAT, 0, 4);
                glDrawArrays(GL_POINTS, first - chunk * chunkPoints_, chunkEnd - first);
                points_[static_cast<std::size_t>(chunk)].release();
                first = chunkEnd;
            }
            program_.disableAttributeArray(POINT_ATTRIBUTE);
            lastDrawn_ = end - FIRST_DRAWN_POINT;
        }
    }
    DrawLines(matrix, colors, scene.flags.box, ready && scene.flags.cross);
    program_.release();
}

void GlSceneRenderer::DrawLines(const Matrix4& scene, const SceneColors& colors, bool box, bool cross)
{
    if (!box && !cross)
        return;
    AffineMap position;
    position.linear[0] = position.linear[5] = position.linear[10] = 1.0f;
    position.offset[3] = 1.0f;
    AffineMap color;
    color.offset[3] = 1.0f;
    lines_.bind();
    program_.enableAttributeArray(POINT_ATTRIBUTE);
    program_.setAttributeBuffer(POINT_ATTRIBUTE, GL_FLOAT, 0, 4);
    if (box) {
        color.offset = {colors.box[0], colors.box[1], colors.box[2], 1.0f};
        SetMappings(scene, position, color);
        glDrawArrays(GL_LINES, 0, BOX_VERTICES);
    }
    if (cross)
        for (int axis = 0; axis < 3; ++axis) {
            color.offset = {0.0f, 0.0f, 0.0f, 1.0f};
            color.offset[axis] = 1.0f;
            SetMappings(scene, position, color);
            glDrawArrays(GL_LINES, BOX_VERTICES + 2 * axis, 2);
        }
    program_.disableAttributeArray(POINT_ATTRIBUTE);
    lines_.release();
}

} // namespace zephyra
