#include "GlResources.h"

namespace zephyra {

void BuildProgram(QOpenGLShaderProgram& program, const char* vertexShader, const char* fragmentShader,
                  const char* attribute, int location)
{
    program.addShaderFromSourceCode(QOpenGLShader::Vertex, vertexShader);
    program.addShaderFromSourceCode(QOpenGLShader::Fragment, fragmentShader);
    program.bindAttributeLocation(attribute, location);
    if (!program.link())
        qWarning("Attractor view: shader program failed: %s", qPrintable(program.log()));
}

void FillStaticBuffer(QOpenGLBuffer& buffer, const void* data, int bytes)
{
    buffer.create();
    buffer.bind();
    buffer.allocate(data, bytes);
    buffer.release();
}

} // namespace zephyra
