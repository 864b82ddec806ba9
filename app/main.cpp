#include <GL/glew.h>
#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "app/DisplayErrors.h"
#include "app/StandardStreams.h"
#include "app/WindowPlacement.h"
#include "app/XHeldKeys.h"
#include "core/LevelFiles.h"
#include "core/cGame.h"
#include "io/Message.h"

// Before every other static initialiser of the program, the game object's first among them:
// the standard descriptors are taken and SIGPIPE is ignored before anything opens a file.
__attribute__((constructor(101))) static void PrepareProcess() { PrepareStandardStreams(); }

// The one game object: built before main, destroyed at exit.
cGame game;

// The keyboard as the X server sees it, to let go of keys whose release never reached us.
static XHeldKeys held_keys;

static void AppReshape(int w, int h) { game.Reshape(w, h); }
static void AppRender() { game.Render(); }
static void AppKeyboard(unsigned char key, int x, int y) {
  held_keys.Pressed(game, key, false);
  game.ReadKeyboard(key, x, y, true);
}
static void AppKeyboardUp(unsigned char key, int x, int y) {
  held_keys.Released();
  game.ReadKeyboard(key, x, y, false);
}
static void AppSpecialKeys(int key, int x, int y) {
  held_keys.Pressed(game, static_cast<unsigned char>(key), true);
  game.ReadSpecialKeyboard(static_cast<unsigned char>(key), x, y, true);
}
static void AppSpecialKeysUp(int key, int x, int y) {
  held_keys.Released();
  game.ReadSpecialKeyboard(static_cast<unsigned char>(key), x, y, false);
}
static void AppMouse(int button, int state, int x, int y) { game.ReadMouse(button, state, x, y); }
// The game ends when Loop says so: by Escape, game over or victory, or on a next level that
// cannot be played, which is named and ends the process with status 1.
static void AppIdle() {
  held_keys.ReleaseLetGo(game);
  if (game.Loop()) return;
  if (game.level_fault != LEVEL_FAULT_NONE) {
    ReportLevelFault(game.level, game.level_fault, game.level_fault_why);
    std::exit(1);
  }
  std::exit(0);
}

// freeglut's own errors and warnings, in the game's voice. After an error freeglut cannot go on
// (it would crash if this returned), so the program ends here.
static void Complain(const char* fmt, va_list ap) {
  char text[512];
  std::vsnprintf(text, sizeof text, fmt, ap);
  Say(text);
}
static void GlutError(const char* fmt, va_list ap) {
  Complain(fmt, ap);
  std::exit(1);
}

int main(int argc, char** argv) {
  HandleDisplayErrors();
  glutInitErrorFunc(GlutError);
  glutInitWarningFunc(Complain);
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH);

  const WindowPlacement win =
      CenteredWindow(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
  glutInitWindowPosition(win.x, win.y);
  glutInitWindowSize(win.w, win.h);
  glutCreateWindow("Dunmoth");
  // Only physical presses and releases: X11's auto-repeat would break charging.
  if (!held_keys.DropRepeats()) glutIgnoreKeyRepeat(1);

  glutReshapeFunc(AppReshape);
  glutDisplayFunc(AppRender);
  glutKeyboardFunc(AppKeyboard);
  glutKeyboardUpFunc(AppKeyboardUp);
  glutSpecialFunc(AppSpecialKeys);
  glutSpecialUpFunc(AppSpecialKeysUp);
  glutMouseFunc(AppMouse);
  glutIdleFunc(AppIdle);

  const GLenum err = glewInit();
  if (err != GLEW_OK) {
    std::printf("ERROR: %s\n", reinterpret_cast<const char*>(glewGetErrorString(err)));
    std::exit(1);
  }

  if (!game.Init(1)) {
    ReportLevelFault(1, game.level_fault, game.level_fault_why);
    std::exit(1);
  }

  glutMainLoop();
  return 0;
}
