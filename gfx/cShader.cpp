#include "gfx/cShader.h"

#include <cstdio>

#include "io/DataFile.h"

namespace {

struct SlotInfo {
  GLenum type;
  const char* file;
};

// Indexed by ShaderSlot.
const SlotInfo kSlots[SHADER_COUNT] = {
    {GL_VERTEX_SHADER, "Shaders/simple.vert"},
    {GL_GEOMETRY_SHADER, "Shaders/simple.geom"},
    {GL_FRAGMENT_SHADER, "Shaders/simple.frag"},
    {GL_FRAGMENT_SHADER, "Shaders/red.frag"},
    {GL_FRAGMENT_SHADER, "Shaders/ctr.frag"},
    {GL_FRAGMENT_SHADER, "Shaders/fade.frag"},
    {GL_FRAGMENT_SHADER, "Shaders/greyscalefade.frag"},
    {GL_FRAGMENT_SHADER, "Shaders/epileptic.frag"},
};

bool ValidSlot(int i) { return i >= 0 && i < SHADER_COUNT; }

// Every GL 2.0 entry point that cShader calls.
bool HasShaderEntryPoints() {
  return glCreateProgram && glCreateShader && glShaderSource && glCompileShader && glAttachShader &&
         glDetachShader && glLinkProgram && glUseProgram && glGetUniformLocation && glUniform1i &&
         glUniform1f;
}

bool told_no_effects = false;

}  // namespace

std::string ReadTextFile(const char* path, std::string* why) {
  std::string content;
  ReadDataFile(path, SHADER_FILE_LIMIT, &content, why);
  return content;
}

void SetShaderSource(GLuint shader, const std::string& src) {
  const GLchar* shader_source = src.c_str();
  const GLint shader_length = static_cast<GLint>(src.size());
  glShaderSource(shader, 1, &shader_source, &shader_length);
}

void LoadShaderFile(GLuint shader, const char* path) {
  std::string why;
  const std::string src = ReadTextFile(path, &why);
  if (!why.empty())
    std::fprintf(stderr, "Kelvara: cannot read the shader file %s (%s); its effect stays off\n",
                 path, why.c_str());
  SetShaderSource(shader, src);
}

cShader::cShader() {}

cShader::~cShader() {}

void cShader::Init() {
  // Without GL 2.0 entry points there is nothing to create; effects stay off.
  if (!HasShaderEntryPoints()) {
    if (!told_no_effects)
      std::fprintf(stderr, "Kelvara: OpenGL 2.0 is not available; the screen effects are off\n");
    told_no_effects = true;
    return;
  }
  program = glCreateProgram();
  for (int i = 0; i < SHADER_COUNT; ++i) {
    shaders[i] = glCreateShader(kSlots[i].type);
    if (shaders[i] == 0) continue;  // e.g. no geometry shaders in this context
    LoadShaderFile(shaders[i], kSlots[i].file);
    glCompileShader(shaders[i]);
  }
}

void cShader::Attach(int i) {
  if (program == 0 || !ValidSlot(i) || shaders[i] == 0) return;
  glAttachShader(program, shaders[i]);
}

void cShader::Detach(int i) {
  if (program == 0 || !ValidSlot(i) || shaders[i] == 0) return;
  glDetachShader(program, shaders[i]);
}

void cShader::LinkAndUse() {
  if (program == 0) return;
  glLinkProgram(program);
  glUseProgram(program);
}

void cShader::Disable() {
  if (glUseProgram) glUseProgram(0);
}
