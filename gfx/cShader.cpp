#include "gfx/cShader.h"

#include "io/DataFile.h"
#include "io/Message.h"

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

void LoadShaderFile(GLuint shader, const char* path, bool has_effect) {
  std::string why;
  const std::string src = ReadTextFile(path, &why);
  if (!why.empty())
    Say(std::string("cannot read the shader file ") + path + " (" + why + ")" +
        (has_effect ? "; its effect stays off" : ""));
  SetShaderSource(shader, src);
}

cShader::cShader() {}

cShader::~cShader() {}

void cShader::Init() {
  // Without GL 2.0 entry points there is nothing to create; effects stay off.
  if (!HasShaderEntryPoints()) {
    Say("OpenGL 2.0 is not available; the screen effects are off");
    return;
  }
  program = glCreateProgram();
  attached = 0;
  linked = NOTHING_LINKED;
  for (int i = 0; i < SHADER_COUNT; ++i) {
    shaders[i] = glCreateShader(kSlots[i].type);
    if (shaders[i] == 0) continue;  // e.g. no geometry shaders in this context
    LoadShaderFile(shaders[i], kSlots[i].file, i >= SHADER_FADE);
    glCompileShader(shaders[i]);
  }
}

void cShader::Attach(int i) {
  if (program == 0 || !ValidSlot(i) || shaders[i] == 0) return;
  glAttachShader(program, shaders[i]);
  attached |= 1u << i;
}

void cShader::Detach(int i) {
  if (program == 0 || !ValidSlot(i) || shaders[i] == 0) return;
  glDetachShader(program, shaders[i]);
  attached &= ~(1u << i);
}

void cShader::LinkAndUse() {
  if (program == 0) return;
  // Detaching a shader leaves the linked program as it is, so the program only needs linking
  // again when it is used with other shaders than those it was last linked with.
  if (attached != linked) {
    glLinkProgram(program);
    linked = attached;
  }
  glUseProgram(program);
}

void cShader::Disable() {
  if (glUseProgram) glUseProgram(0);
}
