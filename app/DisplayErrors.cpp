#include "app/DisplayErrors.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "io/Message.h"

// Last: Xlib's internals, which name the extensions whose requests can fail, come with macros.
#include <X11/Xlibint.h>

namespace {

int ConnectionLost(Display*) {
  Say("the connection to the display was lost");
  _exit(1);
}

int RequestRefused(Display* display, XErrorEvent* error) {
  char why[256], request[256], code[64];
  XGetErrorText(display, error->error_code, why, sizeof why);
  // A request is named, as Xlib names it, by its number, or by its extension and minor number.
  std::snprintf(code, sizeof code, "%d", error->request_code);
  for (_XExtension* ext = display->ext_procs; ext; ext = ext->next)
    if (ext->codes.major_opcode == error->request_code && ext->name)
      std::snprintf(code, sizeof code, "%s.%d", ext->name, error->minor_code);
  XGetErrorDatabaseText(display, "XRequest", code, code, request, sizeof request);
  Say(std::string("the display refused ") + request + ": " + why);
  _exit(1);
}

}  // namespace

void HandleDisplayErrors() {
  XSetIOErrorHandler(ConnectionLost);
  XSetErrorHandler(RequestRefused);
}
