// Wrappers of the OpenGL and GLU calls the program makes: each notes its name
// and arguments while a recording runs, then makes the real call into Mesa.
#include <GL/gl.h>
#include <GL/glu.h>

#include "call_trace.h"

namespace {

template <typename... Args>
void NoteCall(const char* name, Args... args) {
    calltrace::Note({name, {double(args)...}});
}

}  // namespace

// WRAP(name, (parameters), arguments...): a void call noted with its scalar arguments.
#define WRAP(name, parameters, ...)           \
    extern "C" void __real_##name parameters; \
    extern "C" void __wrap_##name parameters { \
        NoteCall(#name, __VA_ARGS__);         \
        __real_##name(__VA_ARGS__);           \
    }
#define WRAP0(name)                   \
    extern "C" void __real_##name();  \
    extern "C" void __wrap_##name() { \
        NoteCall(#name);              \
        __real_##name();              \
    }

WRAP0(glEnd)
WRAP0(glFlush)
WRAP0(glLoadIdentity)
WRAP0(glPopMatrix)
WRAP0(glPushMatrix)
WRAP(glBegin, (GLenum mode), mode)
WRAP(glCullFace, (GLenum mode), mode)
WRAP(glDepthFunc, (GLenum func), func)
WRAP(glDisable, (GLenum cap), cap)
WRAP(glEnable, (GLenum cap), cap)
WRAP(glDrawBuffer, (GLenum mode), mode)
WRAP(glFrontFace, (GLenum mode), mode)
WRAP(glMatrixMode, (GLenum mode), mode)
WRAP(glClear, (GLbitfield mask), mask)
WRAP(glClearDepth, (GLclampd depth), depth)
WRAP(glBindTexture, (GLenum target, GLuint texture), target, texture)
WRAP(glBlendFunc, (GLenum source, GLenum destination), source, destination)
WRAP(glHint, (GLenum target, GLenum mode), target, mode)
WRAP(glPixelStorei, (GLenum name, GLint value), name, value)
WRAP(glTexCoord2f, (GLfloat s, GLfloat t), s, t)
WRAP(glColor3f, (GLfloat r, GLfloat g, GLfloat b), r, g, b)
WRAP(glScalef, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
WRAP(glTranslatef, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
WRAP(glVertex3f, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
WRAP(glTexEnvf, (GLenum target, GLenum name, GLfloat value), target, name, value)
WRAP(glTexParameterf, (GLenum target, GLenum name, GLfloat value), target, name, value)
WRAP(glTexParameteri, (GLenum target, GLenum name, GLint value), target, name, value)
WRAP(glClearColor, (GLclampf r, GLclampf g, GLclampf b, GLclampf a), r, g, b, a)
WRAP(glColor4f, (GLfloat r, GLfloat g, GLfloat b, GLfloat a), r, g, b, a)
WRAP(glRotatef, (GLfloat angle, GLfloat x, GLfloat y, GLfloat z), angle, x, y, z)
WRAP(glViewport, (GLint x, GLint y, GLsizei width, GLsizei height), x, y, width, height)
WRAP(gluPerspective, (GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar), fovy, aspect, zNear, zFar)
WRAP(gluLookAt,
     (GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
      GLdouble upX, GLdouble upY, GLdouble upZ),
     eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ)

// Calls with arrays: noted element by element; a pixel pointer only as set or null.
extern "C" void __real_glColor3fv(const GLfloat* v);
extern "C" void __wrap_glColor3fv(const GLfloat* v) {
    NoteCall("glColor3fv", v[0], v[1], v[2]);
    __real_glColor3fv(v);
}

extern "C" void __real_glClipPlane(GLenum plane, const GLdouble* equation);
extern "C" void __wrap_glClipPlane(GLenum plane, const GLdouble* equation) {
    NoteCall("glClipPlane", plane, equation[0], equation[1], equation[2], equation[3]);
    __real_glClipPlane(plane, equation);
}

// Noted with the names Mesa generated, so that later binds can be matched.
extern "C" void __real_glGenTextures(GLsizei n, GLuint* names);
extern "C" void __wrap_glGenTextures(GLsizei n, GLuint* names) {
    __real_glGenTextures(n, names);
    Call call{"glGenTextures", {double(n)}};
    for (GLsizei i = 0; i < n; ++i) call.args.push_back(names[i]);
    calltrace::Note(call);
}

extern "C" void __real_glDeleteTextures(GLsizei n, const GLuint* names);
extern "C" void __wrap_glDeleteTextures(GLsizei n, const GLuint* names) {
    Call call{"glDeleteTextures", {double(n)}};
    for (GLsizei i = 0; i < n; ++i) call.args.push_back(names[i]);
    calltrace::Note(call);
    __real_glDeleteTextures(n, names);
}

extern "C" void __real_glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                                    GLint border, GLenum format, GLenum type, const GLvoid* pixels);
extern "C" void __wrap_glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                                    GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    NoteCall("glTexImage2D", target, level, internalFormat, width, height, border, format, type, pixels != nullptr);
    __real_glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
}
