#pragma once
#include "Jitter.h"

#include <QOpenGLBuffer>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>

#include <functional>
#include <memory>

namespace zephyra {

// Averages several drawings of the scene in an off-screen floating-point framebuffer, in place of
// the accumulation buffer that a QOpenGLWidget does not have. Use it with its context current.
class GlAccumulator : protected QOpenGLFunctions {
public:
    GlAccumulator();
    ~GlAccumulator();
    GlAccumulator(const GlAccumulator&) = delete;
    GlAccumulator& operator=(const GlAccumulator&) = delete;

    void Release();

    // Runs drawPass once per sample into an ordinary framebuffer of `size` (device pixels) and adds
    // each result times `weight` into the sum. Returns the number of passes drawn.
    int Accumulate(const QSize& size, std::span<const JitterSample> samples, float weight,
                   const std::function<void(const JitterSample&)>& drawPass);
    // Copies the sum, with factor 1, into the framebuffer bound now.
    void Present();
    [[nodiscard]] bool HasResult() const { return sum_ != nullptr; }

private:
    void DrawTexture(GLuint texture, float factor);

    QOpenGLShaderProgram program_;
    QOpenGLBuffer quad_{QOpenGLBuffer::VertexBuffer};
    std::unique_ptr<QOpenGLFramebufferObject> pass_;
    std::unique_ptr<QOpenGLFramebufferObject> sum_;
};

} // namespace zephyra
