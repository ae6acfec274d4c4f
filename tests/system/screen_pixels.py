# What the X display shows, for the system tests of the real window. Two questions:
#   screen_pixels.py pixel X Y           the red, green and blue of one pixel of the screen
#   screen_pixels.py summary X Y W H     of a rectangle: the share of sampled pixels that are not
#                                        black (per cent) and how many colours they hold
import ctypes
import sys

x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XGetImage.restype = ctypes.c_void_p
x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                        ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x.XGetPixel.restype = ctypes.c_ulong
x.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]


def image(left, top, width, height):
    display = x.XOpenDisplay(None)
    return x.XGetImage(display, x.XDefaultRootWindow(display), left, top, width, height, 0xFFFFFFFF, 2)


what, numbers = sys.argv[1], [int(v) for v in sys.argv[2:]]
if what == "pixel":
    p = x.XGetPixel(image(numbers[0], numbers[1], 1, 1), 0, 0)
    print(p >> 16 & 255, p >> 8 & 255, p & 255)
else:
    left, top, width, height = numbers
    picture = image(left, top, width, height)
    samples = [x.XGetPixel(picture, px, py) for py in range(0, height, 4) for px in range(0, width, 4)]
    lit = sum(1 for p in samples if (p >> 16 & 255) + (p >> 8 & 255) + (p & 255) > 48)
    print(lit * 100 // len(samples), len(set(samples)))
