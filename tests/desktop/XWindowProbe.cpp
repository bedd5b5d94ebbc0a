// A small X client that looks at the program's windows from outside:
//   XWindowProbe start <title> <program> [args...]  start it, wait until its window is mapped, print "pid ms"
//   XWindowProbe shape <pid> <title>          print "x y width height" then each bounding-shape rectangle
//   XWindowProbe mapped <pid> <title>         exit 0 when such a window is viewable, 1 otherwise
//   XWindowProbe wait <pid> <title> <ms>      wait up to ms for such a window to be viewable
// Windows are found by _NET_WM_PID and WM_NAME anywhere under the root window.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Answer the _NET_WM_PID of Window, or 0.
unsigned long WindowPid(Display* Dpy, Window W)
{
  static const Atom PidAtom = XInternAtom(Dpy, "_NET_WM_PID", False);
  Atom Type = None;
  int Format = 0;
  unsigned long Count = 0;
  unsigned long After = 0;
  unsigned char* Data = nullptr;
  unsigned long Pid = 0;
  if (XGetWindowProperty(Dpy, W, PidAtom, 0, 1, False, XA_CARDINAL, &Type, &Format, &Count, &After, &Data) ==
          Success &&
      Data != nullptr) {
    if (Type == XA_CARDINAL && Format == 32 && Count == 1)
      Pid = *reinterpret_cast<unsigned long*>(Data);
    XFree(Data);
  }
  return Pid;
}

// Answer the WM_NAME of Window, or an empty text.
std::string WindowName(Display* Dpy, Window W)
{
  std::string Name;
  XTextProperty Text;
  if (XGetWMName(Dpy, W, &Text) != 0 && Text.value != nullptr) {
    Name.assign(reinterpret_cast<const char*>(Text.value), Text.nitems);
    XFree(Text.value);
  }
  return Name;
}

// Find under Parent the window of Pid named Title; answer None when there is none.
Window FindWindow(Display* Dpy, Window Parent, unsigned long Pid, const std::string& Title, int Depth = 0)
{
  Window Root = None;
  Window Up = None;
  Window* Children = nullptr;
  unsigned int Count = 0;
  if (XQueryTree(Dpy, Parent, &Root, &Up, &Children, &Count) == 0)
    return None;
  Window Found = None;
  for (unsigned int I = 0; I < Count && Found == None; ++I) {
    if (WindowPid(Dpy, Children[I]) == Pid && WindowName(Dpy, Children[I]) == Title)
      Found = Children[I];
    else if (Depth < 3)
      Found = FindWindow(Dpy, Children[I], Pid, Title, Depth + 1);
  }
  if (Children != nullptr)
    XFree(Children);
  return Found;
}

// Answer whether Window is viewable.
bool Viewable(Display* Dpy, Window W)
{
  XWindowAttributes Attributes;
  return W != None && XGetWindowAttributes(Dpy, W, &Attributes) != 0 && Attributes.map_state == IsViewable;
}

int Start(Display* Dpy, const std::string& Title, char** Argv)
{
  const auto Begin = std::chrono::steady_clock::now();
  const pid_t Child = fork();
  if (Child == 0) {
    // The program's output goes to stderr: stdout carries only the probe's answer.
    dup2(2, 1);
    execv(Argv[0], Argv);
    _exit(127);
  }
  if (Child < 0)
    return 2;
  const auto Limit = Begin + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < Limit) {
    const Window Banner = FindWindow(Dpy, DefaultRootWindow(Dpy), static_cast<unsigned long>(Child), Title);
    if (Viewable(Dpy, Banner)) {
      const auto Ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - Begin);
      std::printf("%d %lld\n", static_cast<int>(Child), static_cast<long long>(Ms.count()));
      return 0;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  std::printf("%d -1\n", static_cast<int>(Child));
  return 1;
}

int Shape(Display* Dpy, unsigned long Pid, const std::string& Title)
{
  const Window W = FindWindow(Dpy, DefaultRootWindow(Dpy), Pid, Title);
  if (W == None)
    return 1;
  XWindowAttributes Attributes;
  XGetWindowAttributes(Dpy, W, &Attributes);
  int X = 0;
  int Y = 0;
  Window Child = None;
  XTranslateCoordinates(Dpy, W, DefaultRootWindow(Dpy), 0, 0, &X, &Y, &Child);
  std::printf("%d %d %d %d\n", X, Y, Attributes.width, Attributes.height);
  int Count = 0;
  int Ordering = 0;
  XRectangle* Rects = XShapeGetRectangles(Dpy, W, ShapeBounding, &Count, &Ordering);
  for (int I = 0; I < Count; ++I)
    std::printf("%d %d %d %d\n", Rects[I].x, Rects[I].y, Rects[I].x + Rects[I].width, Rects[I].y + Rects[I].height);
  if (Rects != nullptr)
    XFree(Rects);
  return 0;
}

} // namespace

int main(int argc, char** argv)
{
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s start <title> <program> | shape <pid> <title> | mapped <pid> <title> | wait <pid> <title> <ms>\n", argv[0]);
    return 2;
  }
  Display* Dpy = XOpenDisplay(nullptr);
  if (Dpy == nullptr) {
    std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
    return 2;
  }
  const std::string Command = argv[1];
  int Result = 2;
  if (Command == "start" && argc >= 4)
    Result = Start(Dpy, argv[2], argv + 3);
  else if (Command == "shape" && argc == 4)
    Result = Shape(Dpy, std::strtoul(argv[2], nullptr, 10), argv[3]);
  else if (Command == "wait" && argc == 5) {
    const auto Limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::atoi(argv[4]));
    const unsigned long Pid = std::strtoul(argv[2], nullptr, 10);
    Result = 1;
    while (Result != 0 && std::chrono::steady_clock::now() < Limit) {
      if (Viewable(Dpy, FindWindow(Dpy, DefaultRootWindow(Dpy), Pid, argv[3])))
        Result = 0;
      else
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  } else if (Command == "mapped" && argc == 4)
    Result = Viewable(Dpy, FindWindow(Dpy, DefaultRootWindow(Dpy), std::strtoul(argv[2], nullptr, 10), argv[3])) ? 0 : 1;
  XCloseDisplay(Dpy);
  return Result;
}
