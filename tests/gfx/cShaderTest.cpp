#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "gfx/cShader.h"
#include "io/Message.h"
#include "support/TestGL.h"

namespace {

const char* const kFiles[SHADER_COUNT] = {"simple.vert",        "simple.geom",   "simple.frag",
                                          "red.frag",           "ctr.frag",      "fade.frag",
                                          "greyscalefade.frag", "epileptic.frag"};

// A working folder holding copies of the shipped shader files under Shaders/.
void FillWithShippedShaders(TempDir& dir) {
  for (const char* f : kFiles) {
    const std::string src =
        ReadTextFile((std::string(KELVARA_SOURCE_DIR) + "/data/Shaders/" + f).c_str());
    ASSERT_FALSE(src.empty()) << f;
    dir.Write(std::string("Shaders/") + f, src);
  }
}

// The program object of s (linked and used once with the fade shader).
GLuint ProgramOf(cShader& s) {
  s.Attach(SHADER_FADE);
  s.LinkAndUse();
  GLint prog = 0;
  glGetIntegerv(GL_CURRENT_PROGRAM, &prog);
  s.Disable();
  s.Detach(SHADER_FADE);
  return static_cast<GLuint>(prog);
}

std::vector<GLuint> Attached(GLuint prog) {
  GLuint names[SHADER_COUNT] = {};
  GLsizei n = 0;
  glGetAttachedShaders(prog, SHADER_COUNT, &n, names);
  return std::vector<GLuint>(names, names + n);
}

std::string InfoLog(GLuint shader) {
  char log[2048] = {};
  glGetShaderInfoLog(shader, sizeof log, nullptr, log);
  return log;
}

void ClearGLErrors() {
  while (glGetError() != GL_NO_ERROR) {
  }
}

// A full-window quad, textured with one texel, as the render pass draws it.
struct Scene {
  GLuint tex = 0;
  explicit Scene(const unsigned char texel[4]) {
    glViewport(0, 0, TestGL::Width(), TestGL::Height());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.05f);
    glActiveTexture(GL_TEXTURE0);
    glGenTextures(1, &tex);
    glBindTexture(GL_TEXTURE_2D, tex);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
  }
  ~Scene() {
    glDisable(GL_TEXTURE_2D);
    glDeleteTextures(1, &tex);
    glColor4f(1, 1, 1, 1);
  }
  // Clears to mid grey and draws the quad with vertex colour (r, g, b).
  void Draw(float r, float g, float b) {
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, tex);
    glColor4f(r, g, b, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(1, 0);
    glVertex2f(1, 0);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(0, 1);
    glEnd();
    glDisable(GL_TEXTURE_2D);
  }
};

// One effect frame as the render pass runs it; returns the centre pixel.
TestGL::Pixel EffectFrame(cShader& s, Scene& scene, int slot, float time, int flatcolor,
                          float r = 1, float g = 1, float b = 1) {
  s.Attach(slot);
  s.LinkAndUse();
  s.SetUniform("time", time);
  s.SetUniform("tex", 0);
  s.SetUniform("flatcolor", flatcolor);
  scene.Draw(r, g, b);
  s.Detach(slot);
  s.Disable();
  return TestGL::ReadPixel(TestGL::Width() / 2, TestGL::Height() / 2);
}

void ExpectPixel(const TestGL::Pixel& p, double r, double g, double b) {
  EXPECT_NEAR(p.r, r, 1.5);
  EXPECT_NEAR(p.g, g, 1.5);
  EXPECT_NEAR(p.b, b, 1.5);
}

}  // namespace

// A program made by Init from copies of the shipped shader files, in a folder of its own.
class ShippedShaders : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(TestGL::Ready());
    FillWithShippedShaders(dir);
    dir.Enter();
    s.Init();
  }
  TempDir dir;
  cShader s;
};

TEST_F(ShippedShaders, ReadableFilesAreNotReported) {
  testing::internal::CaptureStderr();
  cShader again;
  again.Init();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(ShippedShaders, EveryShippedShaderCompiles) {
  const GLuint prog = ProgramOf(s);
  ASSERT_NE(prog, 0u);
  const GLenum types[SHADER_COUNT] = {GL_VERTEX_SHADER,   GL_GEOMETRY_SHADER, GL_FRAGMENT_SHADER,
                                      GL_FRAGMENT_SHADER, GL_FRAGMENT_SHADER, GL_FRAGMENT_SHADER,
                                      GL_FRAGMENT_SHADER, GL_FRAGMENT_SHADER};
  std::vector<GLuint> seen;
  for (int i = 0; i < SHADER_COUNT; ++i) {
    SCOPED_TRACE(kFiles[i]);
    s.Attach(i);
    const std::vector<GLuint> names = Attached(prog);
    ASSERT_EQ(names.size(), 1u);
    const GLuint sh = names[0];
    GLint type = 0, ok = 0, len = 0;
    glGetShaderiv(sh, GL_SHADER_TYPE, &type);
    glGetShaderiv(sh, GL_COMPILE_STATUS, &ok);
    glGetShaderiv(sh, GL_SHADER_SOURCE_LENGTH, &len);
    EXPECT_EQ(static_cast<GLenum>(type), types[i]);
    EXPECT_EQ(ok, GL_TRUE) << InfoLog(sh);
    EXPECT_GT(len, 1);
    for (GLuint other : seen) EXPECT_NE(sh, other);
    seen.push_back(sh);
    s.Detach(i);
    EXPECT_TRUE(Attached(prog).empty());
  }
}

TEST_F(ShippedShaders, SetUniformUsesTheRightSetter) {
  s.Attach(SHADER_FADE);
  s.LinkAndUse();
  GLint prog = 0;
  glGetIntegerv(GL_CURRENT_PROGRAM, &prog);
  ASSERT_NE(prog, 0);
  ClearGLErrors();

  // glUniform1f on an int uniform (or glUniform1i on a float one) is an error,
  // so no error and the stored values show which setter ran.
  s.SetUniform("flatcolor", 1);
  s.SetUniform("tex", 0);
  s.SetUniform("time", 0.5f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  GLint iv = -1;
  GLfloat fv = -1;
  glGetUniformiv(prog, glGetUniformLocation(prog, "flatcolor"), &iv);
  EXPECT_EQ(iv, 1);
  glGetUniformfv(prog, glGetUniformLocation(prog, "time"), &fv);
  EXPECT_FLOAT_EQ(fv, 0.5f);

  // Other arithmetic types go through the float setter.
  s.SetUniform("time", 0.25);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  glGetUniformfv(prog, glGetUniformLocation(prog, "time"), &fv);
  EXPECT_FLOAT_EQ(fv, 0.25f);

  // A name the program does not use sets nothing and raises no error.
  s.SetUniform("no_such_uniform", 7);
  s.SetUniform("no_such_uniform", 7.0f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  glGetUniformiv(prog, glGetUniformLocation(prog, "flatcolor"), &iv);
  EXPECT_EQ(iv, 1);
  glGetUniformfv(prog, glGetUniformLocation(prog, "time"), &fv);
  EXPECT_FLOAT_EQ(fv, 0.25f);

  s.Detach(SHADER_FADE);
  s.Disable();
  glGetIntegerv(GL_CURRENT_PROGRAM, &prog);
  EXPECT_EQ(prog, 0);
  // Disable with nothing in use is harmless.
  s.Disable();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShippedShaders, FadeDarkensToBlack) {
  const unsigned char texel[4] = {200, 100, 50, 255};
  Scene scene(texel);
  // Texel times vertex colour (1, 0.5, 1): (200, 50, 50), scaled by 1 - time.
  ExpectPixel(EffectFrame(s, scene, SHADER_FADE, 0.0f, 0, 1, 0.5f, 1), 200, 50, 50);
  ExpectPixel(EffectFrame(s, scene, SHADER_FADE, 0.5f, 0, 1, 0.5f, 1), 100, 25, 25);
  ExpectPixel(EffectFrame(s, scene, SHADER_FADE, 1.0f, 0, 1, 0.5f, 1), 0, 0, 0);
  // Beyond the ends it stays clamped.
  ExpectPixel(EffectFrame(s, scene, SHADER_FADE, 1.5f, 0, 1, 0.5f, 1), 0, 0, 0);
  ExpectPixel(EffectFrame(s, scene, SHADER_FADE, -0.5f, 0, 1, 0.5f, 1), 200, 50, 50);
  // Flat colour: the vertex colour alone, faded all the same.
  ExpectPixel(EffectFrame(s, scene, SHADER_FADE, 0.5f, 1, 0.2f, 0.6f, 1.0f), 25.5, 76.5, 127.5);
  ExpectPixel(EffectFrame(s, scene, SHADER_FADE, 0.0f, 1, 0.2f, 0.6f, 1.0f), 51, 153, 255);
}

TEST_F(ShippedShaders, GreyscaleFadeGoesGreyThenBlack) {
  const unsigned char texel[4] = {200, 100, 50, 255};
  Scene scene(texel);
  const double grey = 0.299 * 200 + 0.587 * 100 + 0.114 * 50;
  ExpectPixel(EffectFrame(s, scene, SHADER_GREYSCALEFADE, 0.0f, 0), 200, 100, 50);
  ExpectPixel(EffectFrame(s, scene, SHADER_GREYSCALEFADE, 1.0f, 0), grey, grey, grey);
  ExpectPixel(EffectFrame(s, scene, SHADER_GREYSCALEFADE, 1.5f, 0), grey / 2, grey / 2, grey / 2);
  ExpectPixel(EffectFrame(s, scene, SHADER_GREYSCALEFADE, 2.0f, 0), 0, 0, 0);
  // Flat colour: the bars' own colour turns grey.
  const double bar_grey = (0.299 * 1.0 + 0.587 * 0.4) * 255;
  ExpectPixel(EffectFrame(s, scene, SHADER_GREYSCALEFADE, 1.0f, 1, 1.0f, 0.4f, 0.0f), bar_grey,
              bar_grey, bar_grey);
}

TEST_F(ShippedShaders, EffectsKeepTheAlphaTest) {
  // A transparent texel fails the alpha test: the grey background stays.
  const unsigned char clear_texel[4] = {255, 0, 0, 0};
  Scene scene(clear_texel);
  for (int slot : {SHADER_FADE, SHADER_GREYSCALEFADE, SHADER_EPILEPTIC}) {
    SCOPED_TRACE(slot);
    ExpectPixel(EffectFrame(s, scene, slot, 0.3f, 0), 127.5, 127.5, 127.5);
  }
  // With the flat colour the vertex colour's own alpha counts, so the quad shows.
  ExpectPixel(EffectFrame(s, scene, SHADER_FADE, 0.0f, 1, 0.0f, 1.0f, 0.0f), 0, 255, 0);
}

TEST_F(ShippedShaders, EpilepticTintsAtTheGreysOwnLuminanceAndTimeMovesItLittle) {
  const unsigned char texel[4] = {40, 40, 40, 255};
  Scene scene(texel);
  auto luminance = [](const TestGL::Pixel& p) {
    double y = 0;
    for (auto [v, w] : {std::pair{p.r, 0.2126}, {p.g, 0.7152}, {p.b, 0.0722}})
      y += w * std::pow((v / 255.0 + 0.055) / 1.055, 2.4);
    return y;
  };
  // Two values of time that follow each other (0.06, 0.76): colours, each as bright as the grey
  // and no redder, and alike.
  const TestGL::Pixel p = EffectFrame(s, scene, SHADER_EPILEPTIC, 0.06f, 0);
  const TestGL::Pixel q = EffectFrame(s, scene, SHADER_EPILEPTIC, 0.76f, 0);
  for (const TestGL::Pixel& c : {p, q}) {
    EXPECT_NEAR(luminance(c), luminance({40, 40, 40, 255}), 0.003);
    EXPECT_GT(std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}), 15);
    EXPECT_LT(c.r, std::min(c.g, c.b));
  }
  EXPECT_LE(std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b), 6);
}

TEST(cShader, MissingFilesLeaveTheFixedPipeline) {
  ASSERT_TRUE(TestGL::Ready());
  TempDir dir;  // no Shaders folder
  dir.Enter();
  EXPECT_EQ(ReadTextFile("Shaders/fade.frag"), "");
  cShader s;
  ForgetSaidLines();
  testing::internal::CaptureStderr();
  s.Init();
  const std::string err = testing::internal::GetCapturedStderr();
  // One line for each file, naming it and the reason; only the three effects' files say that
  // an effect is lost.
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), SHADER_COUNT) << err;
  for (int i = 0; i < SHADER_COUNT; ++i) {
    const std::string line = std::string("Kelvara: cannot read the shader file Shaders/") +
                             kFiles[i] + " (No such file or directory)" +
                             (i >= SHADER_FADE ? "; its effect stays off\n" : "\n");
    EXPECT_NE(err.find(line), std::string::npos) << line << err;
  }
  const unsigned char texel[4] = {200, 100, 50, 255};
  Scene scene(texel);
  // Linking fails, nothing is installed, the frame is drawn without the effect.
  ExpectPixel(EffectFrame(s, scene, SHADER_FADE, 1.0f, 0), 200, 100, 50);
  GLint prog = -1;
  glGetIntegerv(GL_CURRENT_PROGRAM, &prog);
  EXPECT_EQ(prog, 0);
  ClearGLErrors();
}

TEST(cShader, ReadingIsBoundedToRegularFilesOfAtMost64KiB) {
  TempDir dir;
  const std::string path = dir.Path() + "/a.frag";
  std::string why;
  dir.Write("a.frag", std::string(SHADER_FILE_LIMIT, 'x'));
  EXPECT_EQ(ReadTextFile(path.c_str(), &why).size(), SHADER_FILE_LIMIT);
  EXPECT_EQ(why, "");
  dir.Write("a.frag", std::string(SHADER_FILE_LIMIT + 1, 'x'));
  EXPECT_EQ(ReadTextFile(path.c_str(), &why).size(), 0u);
  EXPECT_NE(why.find("larger than"), std::string::npos) << why;

  // Paths that are not regular files: refused at once, however much they could deliver.
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(symlink("/dev/zero", (dir.Path() + "/zero.frag").c_str()), 0);
  ASSERT_EQ(mkfifo((dir.Path() + "/pipe.frag").c_str(), 0600), 0);
  ASSERT_EQ(mkdir((dir.Path() + "/dir.frag").c_str(), 0700), 0);
  for (const char* name : {"zero.frag", "pipe.frag", "dir.frag"}) {
    SCOPED_TRACE(name);
    why.clear();
    EXPECT_EQ(ReadTextFile((dir.Path() + "/" + name).c_str(), &why), "");
    EXPECT_EQ(why, "not a regular file");
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(cShader, WithoutOpenGL2EveryOperationDoesNothing) {
  ASSERT_TRUE(TestGL::Ready());
  TempDir dir;
  FillWithShippedShaders(dir);
  dir.Enter();
  // A context below OpenGL 2.0 leaves GLEW's entry points for shaders null.
  PFNGLCREATEPROGRAMPROC create_program = __glewCreateProgram;
  PFNGLCREATESHADERPROC create_shader = __glewCreateShader;
  PFNGLGETUNIFORMLOCATIONPROC get_location = __glewGetUniformLocation;
  PFNGLUSEPROGRAMPROC use_program = __glewUseProgram;
  PFNGLLINKPROGRAMPROC link_program = __glewLinkProgram;
  PFNGLATTACHSHADERPROC attach_shader = __glewAttachShader;
  PFNGLDETACHSHADERPROC detach_shader = __glewDetachShader;
  PFNGLUNIFORM1FPROC uniform1f = __glewUniform1f;
  PFNGLUNIFORM1IPROC uniform1i = __glewUniform1i;
  __glewCreateProgram = nullptr;
  __glewCreateShader = nullptr;
  __glewGetUniformLocation = nullptr;
  __glewUseProgram = nullptr;
  __glewLinkProgram = nullptr;
  __glewAttachShader = nullptr;
  __glewDetachShader = nullptr;
  __glewUniform1f = nullptr;
  __glewUniform1i = nullptr;

  ForgetSaidLines();
  testing::internal::CaptureStderr();
  cShader s, level_two;
  s.Init();
  level_two.Init();
  // One frame of the fade as the render pass runs it: nothing is called, nothing breaks.
  s.Attach(SHADER_FADE);
  s.LinkAndUse();
  s.SetUniform("time", 0.5f);
  s.SetUniform("tex", 0);
  s.SetUniform("flatcolor", 1);
  s.Detach(SHADER_FADE);
  s.Disable();
  const std::string err = testing::internal::GetCapturedStderr();

  __glewCreateProgram = create_program;
  __glewCreateShader = create_shader;
  __glewGetUniformLocation = get_location;
  __glewUseProgram = use_program;
  __glewLinkProgram = link_program;
  __glewAttachShader = attach_shader;
  __glewDetachShader = detach_shader;
  __glewUniform1f = uniform1f;
  __glewUniform1i = uniform1i;

  // Said once, however many levels start.
  EXPECT_NE(err.find("OpenGL 2.0"), std::string::npos) << err;
  EXPECT_NE(err.find("screen effects are off"), std::string::npos) << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  GLint prog = -1;
  glGetIntegerv(GL_CURRENT_PROGRAM, &prog);
  EXPECT_EQ(prog, 0);
}

TEST(cShader, ReadTextFileKeepsEveryCharacter) {
  TempDir dir;
  const std::string text = "line one\r\n\tline two  \n\n// end";
  dir.Write("a.txt", text);
  EXPECT_EQ(ReadTextFile((dir.Path() + "/a.txt").c_str()), text);
  EXPECT_EQ(ReadTextFile((dir.Path() + "/none.txt").c_str()), "");
}

TEST_F(ShippedShaders, SecondInitMakesANewProgram) {
  const GLuint first = ProgramOf(s);
  s.Init();
  const GLuint second = ProgramOf(s);
  EXPECT_NE(first, 0u);
  EXPECT_NE(second, 0u);
  EXPECT_NE(first, second);
  EXPECT_TRUE(glIsProgram(first));
  // The new program links and works on its own.
  const unsigned char texel[4] = {200, 100, 50, 255};
  Scene scene(texel);
  ExpectPixel(EffectFrame(s, scene, SHADER_FADE, 0.5f, 0), 100, 50, 25);
}
