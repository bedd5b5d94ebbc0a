// Read the screen from outside the program:
//   XPeek pixel X Y            print the colour at (X, Y) as RRGGBB
//   XPeek count X Y W H RRGGBB print how many pixels of the rectangle have the colour
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

unsigned long RgbAt(XImage* Image, int X, int Y)
{
  const unsigned long Pixel = XGetPixel(Image, X, Y);
  const auto Channel = [&](unsigned long Mask) {
    int Shift = 0;
    while (Mask && !(Mask & 1)) {
      Mask >>= 1;
      ++Shift;
    }
    return (Pixel >> Shift) & 0xFF;
  };
  return Channel(Image->red_mask) << 16 | Channel(Image->green_mask) << 8 | Channel(Image->blue_mask);
}

} // namespace

int main(int argc, char** argv)
{
  const bool Pixel = argc == 4 && std::strcmp(argv[1], "pixel") == 0;
  const bool Count = argc == 7 && std::strcmp(argv[1], "count") == 0;
  if (!Pixel && !Count) {
    std::fprintf(stderr, "usage: XPeek pixel X Y | count X Y W H RRGGBB\n");
    return 2;
  }
  Display* Dpy = XOpenDisplay(nullptr);
  if (Dpy == nullptr) {
    std::fprintf(stderr, "XPeek: cannot open the display\n");
    return 2;
  }
  const int X = std::atoi(argv[2]), Y = std::atoi(argv[3]);
  const int W = Count ? std::atoi(argv[4]) : 1, H = Count ? std::atoi(argv[5]) : 1;
  XImage* Image = XGetImage(Dpy, DefaultRootWindow(Dpy), X, Y, unsigned(W), unsigned(H), AllPlanes, ZPixmap);
  if (Image == nullptr) {
    std::fprintf(stderr, "XPeek: cannot read the screen there\n");
    return 1;
  }
  if (Pixel) {
    std::printf("%06lX\n", RgbAt(Image, 0, 0));
  } else {
    const unsigned long Wanted = std::strtoul(argv[6], nullptr, 16);
    long Matches = 0;
    for (int j = 0; j < H; ++j)
      for (int i = 0; i < W; ++i)
        Matches += RgbAt(Image, i, j) == Wanted;
    std::printf("%ld\n", Matches);
  }
  XDestroyImage(Image);
  XCloseDisplay(Dpy);
  return 0;
}
