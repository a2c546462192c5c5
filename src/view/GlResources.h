#pragma once
#include <QOpenGLBuffer>
#include <QOpenGLShaderProgram>

namespace zephyra {

// Compiles and links a program of one vertex and one fragment shader with its single vertex
// attribute at `location`; a failure is logged and leaves the program unlinked (it then draws nothing).
void BuildProgram(QOpenGLShaderProgram& program, const char* vertexShader, const char* fragmentShader,
                  const char* attribute, int location);

// Creates the buffer object and fills it once with `bytes` bytes of static data.
void FillStaticBuffer(QOpenGLBuffer& buffer, const void* data, int bytes);

} // namespace zephyra
