#pragma once
#include "Camera.h"
#include "Point.h"
#include "SceneInput.h"

#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>

#include <array>
#include <vector>

namespace zephyra {

struct PointBuffer;

// Draws the scene with OpenGL in the current context. The points stay in vertex buffers of at most
// `chunkPoints` points each, uploaded only when the document holds a different point set; axis and
// colour mappings, camera and flags are uniforms. Create, use and Release it with its context current.
class GlSceneRenderer : protected QOpenGLFunctions {
public:
    // Points in one vertex buffer: 1 GiB. Drivers pass sizes of 2^31 bytes or more through an int
    // (Mesa's llvmpipe crashed in a malloc of -2^31), so no GL call sees a larger one.
    static constexpr int CHUNK_POINTS = 1 << 26;

    explicit GlSceneRenderer(int chunkPoints = CHUNK_POINTS);
    ~GlSceneRenderer();
    GlSceneRenderer(const GlSceneRenderer&) = delete;
    GlSceneRenderer& operator=(const GlSceneRenderer&) = delete;

    // Frees the GL objects; the context they belong to must be current.
    void Release();

    // Clears to the background, then draws points 100 to n - 1, box and cross as the flags ask.
    void Draw(const SceneInput& scene, const ViewportSize& viewport, float jitterX = 0.0f,
              float jitterY = 0.0f);

    [[nodiscard]] int LastDrawnPoints() const { return lastDrawn_; }
    [[nodiscard]] int Uploads() const { return uploads_; }
    // Bytes of a vertex buffer of `count` points: more than an int holds from 134 217 728 points on.
    [[nodiscard]] static GLsizeiptr PointBytes(int count);

private:
    // A few points of the set in the vertex buffer: a refilled buffer shows in them without
    // reading the whole set on every frame.
    struct UploadKey {
        const Point* data = nullptr;
        int count = 0;
        std::array<Point, 16> samples{};
        bool operator==(const UploadKey&) const = default;
    };
    [[nodiscard]] static UploadKey KeyOf(const PointBuffer& buffer);
    void SyncPoints(const PointBuffer& buffer);
    void SetMappings(const Matrix4& scene, const AffineMap& axes, const AffineMap& colors);
    void DrawLines(const Matrix4& scene, const SceneColors& colors, bool box, bool cross);

    QOpenGLShaderProgram program_;
    int chunkPoints_;
    std::vector<QOpenGLBuffer> points_; // one per chunk of the uploaded set
    QOpenGLBuffer lines_{QOpenGLBuffer::VertexBuffer};
    UploadKey uploaded_;
    int lastDrawn_ = 0;
    int uploads_ = 0;
};

} // namespace zephyra
