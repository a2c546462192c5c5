#include "GlAccumulator.h"

#include "GlResources.h"

#include <QOpenGLContext>

namespace zephyra {

namespace {

constexpr GLenum FLOAT_RGBA = 0x8814; // GL_RGBA32F
constexpr int CORNER_ATTRIBUTE = 0;

const char* const VERTEX_SHADER = R"(#version 120
attribute vec2 corner;
varying vec2 uv;
void main()
{
    uv = (corner + 1.0) * 0.5;
    gl_Position = vec4(corner, 0.0, 1.0);
}
)";

const char* const FRAGMENT_SHADER = R"(#version 120
uniform sampler2D image;
uniform float factor;
varying vec2 uv;
void main()
{
    gl_FragColor = vec4(texture2D(image, uv).rgb * factor, 1.0);
}
)";

} // namespace

GlAccumulator::GlAccumulator()
{
    initializeOpenGLFunctions();
    BuildProgram(program_, VERTEX_SHADER, FRAGMENT_SHADER, "corner", CORNER_ATTRIBUTE);
    const float corners[] = {-1, -1, 1, -1, -1, 1, 1, 1};
    FillStaticBuffer(quad_, corners, static_cast<int>(sizeof(corners)));
}

GlAccumulator::~GlAccumulator() = default;

void GlAccumulator::Release()
{
    pass_.reset();
    sum_.reset();
    quad_.destroy();
    program_.removeAllShaders();
}

int GlAccumulator::Accumulate(const QSize& size, std::span<const JitterSample> samples, float weight,
                              const std::function<void(const JitterSample&)>& drawPass)
{
    if (!pass_ || pass_->size() != size) {
        pass_ = std::make_unique<QOpenGLFramebufferObject>(size, QOpenGLFramebufferObject::Depth);
        sum_ = std::make_unique<QOpenGLFramebufferObject>(size, QOpenGLFramebufferObject::NoAttachment,
                                                          GL_TEXTURE_2D, FLOAT_RGBA);
    }
    sum_->bind();
    glViewport(0, 0, size.width(), size.height());
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    int passes = 0;
    for (const JitterSample& sample : samples) {
        pass_->bind();
        drawPass(sample);
        sum_->bind();
        glViewport(0, 0, size.width(), size.height());
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        DrawTexture(pass_->texture(), weight);
        glDisable(GL_BLEND);
        ++passes;
    }
    sum_->release();
    return passes;
}

void GlAccumulator::Present()
{
    if (!sum_)
        return;
    glViewport(0, 0, sum_->width(), sum_->height());
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    DrawTexture(sum_->texture(), 1.0f);
}

void GlAccumulator::DrawTexture(GLuint texture, float factor)
{
    program_.bind();
    program_.setUniformValue("image", 0);
    program_.setUniformValue("factor", factor);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    quad_.bind();
    program_.enableAttributeArray(CORNER_ATTRIBUTE);
    program_.setAttributeBuffer(CORNER_ATTRIBUTE, GL_FLOAT, 0, 2);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    program_.disableAttributeArray(CORNER_ATTRIBUTE);
    quad_.release();
    glBindTexture(GL_TEXTURE_2D, 0);
    program_.release();
}

} // namespace zephyra
