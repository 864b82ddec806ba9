#pragma once
#include <GL/glew.h>
#include <string>
#include <type_traits>

// The shader objects of cShader, with their files under "Shaders/".
enum ShaderSlot {
  SHADER_SIMPLE_VERT = 0,    // "Shaders/simple.vert"  (vertex, never attached)
  SHADER_SIMPLE_GEOM = 1,    // "Shaders/simple.geom"  (geometry, never attached)
  SHADER_SIMPLE_FRAG = 2,    // "Shaders/simple.frag"  (never attached)
  SHADER_RED = 3,            // "Shaders/red.frag"     (never attached)
  SHADER_CTR = 4,            // "Shaders/ctr.frag"     (never attached)
  SHADER_FADE = 5,           // "Shaders/fade.frag"
  SHADER_GREYSCALEFADE = 6,  // "Shaders/greyscalefade.frag"
  SHADER_EPILEPTIC = 7       // "Shaders/epileptic.frag"
};

const int SHADER_COUNT = 8;

// Largest shader file that is read.
const size_t SHADER_FILE_LIMIT = 64 * 1024;

// Whole contents of a text file of at most SHADER_FILE_LIMIT bytes; empty when it cannot be
// read (missing, not a regular file, too large), and then *why, when given, says why.
std::string ReadTextFile(const char* path, std::string* why = nullptr);
// Hands src to GL as the shader's source (one string of explicit length).
void SetShaderSource(GLuint shader, const std::string& src);
// SetShaderSource with the contents of the file at path. A file that cannot be read is named
// on standard error (adding that its effect stays off when it has one) and gives an empty
// source.
void LoadShaderFile(GLuint shader, const char* path, bool has_effect = true);

// One GLSL program and the eight shader objects that can be attached to it. Without the
// OpenGL 2.0 entry points Init says that the screen effects are off, and every operation does
// nothing.
class cShader {
public:
  cShader();
  ~cShader();

  // Creates the program and compiles the eight shaders from their files.
  void Init();
  // Attaches / detaches slot i (a ShaderSlot) to / from the program.
  void Attach(int i);
  void Detach(int i);
  // Links the program, unless the attached shaders are those it was last linked with, and
  // makes it current.
  void LinkAndUse();
  // Back to the fixed pipeline.
  void Disable();

  // Sets a uniform of the program in use; an inactive name sets nothing.
  // int goes through glUniform1i, anything else through glUniform1f.
  template <typename T>
  void SetUniform(const char* name, T value) {
    if (program == 0) return;  // no program: Init did not run or found no GL 2.0
    GLint loc = glGetUniformLocation(program, name);
    if (loc == -1) return;
    if constexpr (std::is_same_v<T, int>)
      glUniform1i(loc, value);
    else
      glUniform1f(loc, static_cast<float>(value));
  }

private:
  // Sets of slots, one bit per ShaderSlot.
  static const unsigned NOTHING_LINKED = ~0u;

  GLuint program = 0;
  GLuint shaders[SHADER_COUNT] = {};
  unsigned attached = 0;             // attached to the program now
  unsigned linked = NOTHING_LINKED;  // attached when the program was last linked
};
