#!/usr/bin/python3
"""Draws every image of the user interface into res/image/ and the logo into
cfg/image/. The results are committed; run this again after changing a
drawing:  /usr/bin/python3 scripts/drawimages.py

Icons are drawn four times larger and scaled down, which smooths their edges.
The power-flow segments under res/image/mimic/ are GIFs of the size of the
line they show (segment_box), which the device page places at that box's
corner over the background, so that a frame of one segment repaints only that
segment; an active segment is an animated GIF whose dashes move in the
direction of the flow, an idle one a single grey frame of the same size.
"""

import math
import os
from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
IMAGE = os.path.join(ROOT, "res", "image")
MIMIC = os.path.join(IMAGE, "mimic")
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

BLUE = (19, 136, 255)          # linked, normal
SELECTED = (17, 123, 236)      # selected footer button
GREY = (143, 151, 169)         # not linked
DARK = (74, 85, 104)           # plain icons
GREEN = (26, 229, 150)
RED = (253, 50, 59)
ORANGE = (255, 159, 28)
WHITE = (255, 255, 255)
IDLE_LINE = (200, 206, 216)
FLOW_BASE = (166, 208, 255)

SS = 4  # supersampling factor


class Canvas:
    """An RGBA drawing at SS times the final size; coordinates are given in
    final pixels."""

    def __init__(self, w, h, unit=1.0):
        self.w, self.h, self.unit = w, h, unit
        self.img = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.img)

    def s(self, v):
        """Final (or unit) coordinates to drawing pixels; points may be pairs."""
        flat = []
        for x in v:
            flat += list(x) if isinstance(x, tuple) else [x]
        return [round(x * SS * self.unit) for x in flat]

    def rect(self, box, fill=None, outline=None, width=1, radius=0):
        self.d.rounded_rectangle(self.s(box), radius * SS, fill=fill,
                                 outline=outline, width=round(width * SS * self.unit))

    def ellipse(self, box, fill=None, outline=None, width=1):
        self.d.ellipse(self.s(box), fill=fill, outline=outline,
                       width=round(width * SS * self.unit))

    def line(self, pts, fill, width):
        self.d.line(self.s(pts), fill=fill, width=round(width * SS * self.unit), joint="curve")
        r = width / 2
        for x, y in (pts[:2], pts[-2:]):
            self.ellipse((x - r, y - r, x + r, y + r), fill=fill)

    def arc(self, box, start, end, fill, width):
        self.d.arc(self.s(box), start, end, fill=fill, width=round(width * SS * self.unit))

    def polygon(self, pts, fill):
        self.d.polygon(self.s(pts), fill=fill)

    def text(self, xy, text, size, fill):
        font = ImageFont.truetype(FONT_BOLD, round(size * SS * self.unit))
        self.d.text(self.s(xy), text, font=font, fill=fill, anchor="mm")

    def result(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)

    def save(self, path):
        self.result().save(path)


# --- glyphs of the footer, header and history buttons (32 x 32 units) -------

def glyph_device(c, col):
    c.rect((8, 3, 24, 29), outline=col, width=2.2, radius=2.5)
    c.rect((11, 7, 21, 12), fill=col, radius=1)
    for y in (17, 21):
        c.line((12, y, 20, y), col, 1.6)
    c.ellipse((14.5, 24, 17.5, 27), fill=col)


def glyph_clock(c, col):
    c.ellipse((4, 4, 28, 28), outline=col, width=2.4)
    c.line((16, 9, 16, 16, 21, 19), col, 2.4)


def glyph_power(c, col):
    c.arc((5, 6, 27, 28), -60, 240, col, 2.6)
    c.line((16, 3, 16, 15), col, 2.6)


def glyph_gear(c, col):
    pts = []
    for i in range(16):
        a = i * math.pi / 8 - math.pi / 16
        r = 13 if i % 2 == 0 else 10
        for da in (-0.16, 0.16):
            pts.append((16 + r * math.cos(a + da), 16 + r * math.sin(a + da)))
    c.polygon(pts, col)
    c.d.ellipse(c.s((11.5, 11.5, 20.5, 20.5)), fill=(0, 0, 0, 0))


def glyph_history(c, col):
    c.line((5, 4, 5, 27, 28, 27), col, 2.2)
    c.rect((9, 17, 13, 24), fill=col, radius=0.8)
    c.rect((15, 11, 19, 24), fill=col, radius=0.8)
    c.rect((21, 6, 25, 24), fill=col, radius=0.8)


def glyph_bell(c, col):
    c.d.chord(c.s((7, 5, 25, 27)), 180, 360, fill=col)
    c.rect((7, 15.5, 25, 22), fill=col)
    c.rect((4, 21, 28, 24), fill=col, radius=1.5)
    c.ellipse((13, 23.5, 19, 29.5), fill=col)
    c.ellipse((14.5, 2.5, 17.5, 5.5), fill=col)


def glyph_search(c, col):
    c.ellipse((4, 4, 21, 21), outline=col, width=2.8)
    c.line((19, 19, 27, 27), col, 3.6)


def glyph_print(c, col):
    c.rect((9, 3, 23, 11), outline=col, width=2)
    c.rect((3, 10, 29, 22), fill=col, radius=2.5)
    c.rect((9, 17, 23, 29), fill=WHITE, outline=col, width=2)
    c.line((12, 22, 20, 22), col, 1.5)
    c.line((12, 25.5, 20, 25.5), col, 1.5)
    c.ellipse((23.5, 12.5, 26, 15), fill=WHITE)


def glyph_minimize(c, col):
    c.line((4, 16, 28, 16), col, 3)


def glyph_close(c, col):
    c.line((6, 6, 26, 26), col, 3)
    c.line((26, 6, 6, 26), col, 3)


def icon(name, glyph, col, size=32):
    c = Canvas(size, size, size / 32.0)
    glyph(c, col)
    c.save(os.path.join(IMAGE, name))


# --- message and status images ----------------------------------------------

def round_badge(name, size, fill, symbol):
    c = Canvas(size, size)
    c.ellipse((1, 1, size - 1, size - 1), fill=fill)
    c.text((size / 2, size / 2 + size * 0.02), symbol, round(size * 0.58), WHITE)
    c.save(os.path.join(IMAGE, name))


def warning_badge(name, size):
    c = Canvas(size, size)
    m = size * 0.04
    c.d.polygon(c.s((size / 2, m + 1, size - m, size - m - 2, m, size - m - 2)),
                fill=ORANGE)
    c.d.line(c.s((size / 2, m + 1, size - m, size - m - 2, m, size - m - 2, size / 2, m + 1)),
             fill=ORANGE, width=round(size * 0.08 * SS), joint="curve")
    c.text((size / 2, size * 0.6), "!", round(size * 0.52), WHITE)
    c.save(os.path.join(IMAGE, name))


def link_badge(name, fill, broken):
    size = 24
    c = Canvas(size, size)
    c.ellipse((0.5, 0.5, 23.5, 23.5), fill=fill)
    # a plug: two prongs, a body and a cable
    c.rect((8.5, 4, 10.5, 8.5), fill=WHITE)
    c.rect((13.5, 4, 15.5, 8.5), fill=WHITE)
    c.rect((7, 8, 17, 13.5), fill=WHITE, radius=2)
    if broken:
        c.line((12, 13, 12, 15), WHITE, 2)
        c.line((12, 18, 12, 20.5), WHITE, 2)
        c.line((6, 19, 18, 7), fill, 2.2)
    else:
        c.line((12, 13, 12, 20.5), WHITE, 2)
    c.save(os.path.join(IMAGE, name))


def ups_picture(name, online):
    w, h = 120, 168
    c = Canvas(w, h)
    body = (60, 68, 82) if online else (150, 156, 168)
    front = (84, 94, 112) if online else (176, 182, 192)
    c.rect((14, 6, 106, 162), fill=body, radius=10)
    c.rect((20, 12, 100, 156), fill=front, radius=7)
    # display
    screen = (26, 229, 150) if online else (120, 126, 138)
    c.rect((30, 26, 90, 58), fill=(28, 34, 44), radius=4)
    if online:
        c.line((36, 42, 44, 34, 52, 42, 60, 50, 68, 42, 76, 34, 84, 42), screen, 2.4)
    else:
        c.line((36, 42, 84, 42), screen, 2.4)
    # buttons and LEDs
    c.ellipse((34, 70, 46, 82), fill=GREEN if online else GREY)
    c.ellipse((54, 70, 66, 82), fill=(230, 233, 238) if online else (200, 204, 212))
    c.ellipse((74, 70, 86, 82), fill=(230, 233, 238) if online else (200, 204, 212))
    # vents
    for y in range(98, 146, 8):
        c.rect((32, y, 88, y + 3), fill=body, radius=1.5)
    c.rect((24, 160, 42, 165), fill=(40, 44, 52), radius=1.5)
    c.rect((78, 160, 96, 165), fill=(40, 44, 52), radius=1.5)
    c.save(os.path.join(IMAGE, name))


def app_icon():
    frames = []
    for size in (16, 24, 32, 48, 64, 128, 256):
        c = Canvas(size, size, size / 32.0)
        c.rect((1, 1, 31, 31), fill=SELECTED, radius=7)
        c.polygon(((18, 4), (8, 18), (15, 18), (13, 28), (24, 13), (17, 13), (19, 4)), WHITE)
        frames.append(c.result())
    frames[-1].save(os.path.join(IMAGE, "Ambrel.ico"),
                    sizes=[f.size for f in frames], append_images=frames[:-1])
    frames[3].save(os.path.join(IMAGE, "Ambrel.png"))
    return frames[-1]


def logo(mark):
    w, h = 220, 64
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    img.alpha_composite(mark.resize((56, 56), Image.LANCZOS), (4, 4))
    d = ImageDraw.Draw(img)
    d.text((70, 32), "Ambrel", font=ImageFont.truetype(FONT_BOLD, 34),
           fill=(40, 48, 62), anchor="lm")
    out = os.path.join(ROOT, "cfg", "image")
    os.makedirs(out, exist_ok=True)
    img.save(os.path.join(out, "logo.png"))


# --- power-flow picture -----------------------------------------------------

MIMIC_W, MIMIC_H = 820, 250
LINE = 6
MAIN_Y, BYPASS_Y = 135, 45
JOIN_IN, JOIN_OUT, MID = 150, 670, 410
INPUT_RIGHT, UPS_LEFT, UPS_RIGHT, LOAD_LEFT = 96, 360, 460, 724
UPS_BOTTOM, BATT_TOP = 175, 200

# segment: list of straight runs, each (x0, y0, x1, y1) in the flow direction
SEGMENTS = {
    "partInputToUPS": [(INPUT_RIGHT, MAIN_Y, UPS_LEFT, MAIN_Y)],
    "partInputToBypass": [(JOIN_IN, MAIN_Y, JOIN_IN, BYPASS_Y)],
    "partBypassLeft": [(JOIN_IN, BYPASS_Y, MID - 18, BYPASS_Y)],
    "partBypassRight": [(MID + 18, BYPASS_Y, JOIN_OUT, BYPASS_Y)],
    "partBypassToLoad": [(JOIN_OUT, BYPASS_Y, JOIN_OUT, MAIN_Y)],
    "partUPSToLoad": [(UPS_RIGHT, MAIN_Y, LOAD_LEFT, MAIN_Y)],
    "partBatt": [(MID, UPS_BOTTOM, MID, BATT_TOP)],
}
TRANSPARENT = (255, 0, 255)
PERIOD, DASH, FRAMES = 24, 12, 8


def run_box(run, half):
    x0, y0, x1, y1 = run
    return (min(x0, x1) - half, min(y0, y1) - half, max(x0, x1) + half, max(y0, y1) + half)


def segment_box(runs):
    """The pixels a segment covers in the picture, (left, top, right, bottom)
    inclusive; qml/DevDataMimicPage.qml places each segment at its corner."""
    boxes = [run_box(run, LINE // 2) for run in runs]
    return (min(b[0] for b in boxes), min(b[1] for b in boxes),
            max(b[2] for b in boxes), max(b[3] for b in boxes))


def segment_frame(runs, shift, active):
    """One frame at the segment's size: the line, and when active the dashes
    moved `shift` pixels along the flow."""
    left, top, right, bottom = segment_box(runs)
    img = Image.new("RGB", (right - left + 1, bottom - top + 1), TRANSPARENT)
    d = ImageDraw.Draw(img)
    half = LINE // 2

    def fill(box, colour):
        d.rectangle((box[0] - left, box[1] - top, box[2] - left, box[3] - top), fill=colour)

    for run in runs:
        fill(run_box(run, half), FLOW_BASE if active else IDLE_LINE)
    if active:
        for x0, y0, x1, y1 in runs:
            length = abs(x1 - x0) + abs(y1 - y0)
            dx, dy = (x1 > x0) - (x1 < x0), (y1 > y0) - (y1 < y0)
            pos = shift - PERIOD
            while pos < length:
                a, b = max(pos, 0), min(pos + DASH, length)
                if b > a:
                    fill(run_box((x0 + dx * a, y0 + dy * a, x0 + dx * (b - 1),
                                  y0 + dy * (b - 1)), half), BLUE)
                pos += PERIOD
    return img.quantize(colors=8, method=Image.MEDIANCUT)


def save_gif(path, frames, duration=80):
    """Saves palette frames with the magenta key, where a frame has it, as the
    transparent colour; a segment that its line fills has none."""
    first = frames[0]
    pal = first.getpalette()[:3 * 256]
    key = next((i for i in range(len(pal) // 3)
                if tuple(pal[3 * i:3 * i + 3]) == TRANSPARENT), None)
    keyed = {} if key is None else {"transparency": key}
    if len(frames) == 1:
        first.save(path, **keyed)
        return
    first.save(path, save_all=True, append_images=frames[1:], duration=duration, loop=0,
               disposal=2, optimize=False, **keyed)


def mimic_segments():
    for name, runs in SEGMENTS.items():
        save_gif(os.path.join(MIMIC, name + ".gif"), [segment_frame(runs, 0, False)])
    active = {
        "partInputToUPSOn": SEGMENTS["partInputToUPS"],
        "partInputToBypassOn": SEGMENTS["partInputToBypass"],
        "partBypassLeftOn": SEGMENTS["partBypassLeft"],
        "partBypassRightOn": SEGMENTS["partBypassRight"],
        "partBypassToLoadOn": SEGMENTS["partBypassToLoad"],
        "partUPSToLoadOn": SEGMENTS["partUPSToLoad"],
        "partBattCharge": SEGMENTS["partBatt"],
        "partBattDischarge": [tuple(SEGMENTS["partBatt"][0][i] for i in (2, 3, 0, 1))],
    }
    for name, runs in active.items():
        frames = [segment_frame(runs, i * PERIOD // FRAMES, True) for i in range(FRAMES)]
        save_gif(os.path.join(MIMIC, name + ".gif"), frames)


def battery_frame(bars, charging):
    """A battery of 60 x 38 pixels, drawn on white, with `bars` of four lit."""
    img = Image.new("RGB", (60, 38), WHITE)
    d = ImageDraw.Draw(img)
    d.rectangle((2, 4, 53, 35), outline=DARK, width=3)
    d.rectangle((54, 13, 58, 26), fill=DARK)
    for i in range(4):
        x = 7 + i * 12
        lit = i < bars
        d.rectangle((x, 9, x + 9, 30), fill=(GREEN if charging else BLUE) if lit else (232, 235, 240))
    return img


def mimic_battery():
    battery_frame(4, False).save(os.path.join(MIMIC, "battery.png"))
    frames = [battery_frame(n, True).quantize(colors=8) for n in (1, 2, 3, 4, 4)]
    frames[0].save(os.path.join(MIMIC, "battCharging.gif"), save_all=True,
                   append_images=frames[1:], duration=[300, 300, 300, 500, 300], loop=0)


def mimic_background():
    """The parts that never change: the mains input, the UPS, the static
    bypass switch and the load."""
    c = Canvas(MIMIC_W, MIMIC_H)
    # mains input: a round socket with a sine wave
    c.ellipse((24, MAIN_Y - 36, 96, MAIN_Y + 36), fill=(236, 243, 252), outline=DARK, width=3)
    pts = []
    for i in range(41):
        x = 38 + i * 44 / 40
        pts += [x, MAIN_Y - 12 * math.sin(i * 2 * math.pi / 40)]
    c.line(pts, DARK, 3.2)
    # UPS: a box with an AC/DC mark
    c.rect((UPS_LEFT, MAIN_Y - 40, UPS_RIGHT, UPS_BOTTOM), fill=(236, 243, 252), outline=DARK,
           width=3, radius=8)
    c.line((UPS_LEFT + 14, UPS_BOTTOM - 14, UPS_RIGHT - 14, MAIN_Y - 26), DARK, 2)
    pts = []
    for i in range(21):
        x = UPS_LEFT + 16 + i * 30 / 20
        pts += [x, MAIN_Y - 18 - 7 * math.sin(i * 2 * math.pi / 20)]
    c.line(pts, DARK, 2.6)
    c.line((UPS_RIGHT - 46, MAIN_Y + 18, UPS_RIGHT - 16, MAIN_Y + 18), DARK, 2.6)
    for x in range(UPS_RIGHT - 46, UPS_RIGHT - 14, 9):
        c.line((x, MAIN_Y + 26, x + 4, MAIN_Y + 26), DARK, 2.6)
    # static bypass switch
    c.rect((MID - 18, BYPASS_Y - 13, MID + 18, BYPASS_Y + 13), fill=(236, 243, 252), outline=DARK,
           width=2.5, radius=4)
    c.polygon(((MID - 8, BYPASS_Y - 7), (MID - 8, BYPASS_Y + 7), (MID + 6, BYPASS_Y)), DARK)
    c.line((MID + 8, BYPASS_Y - 7, MID + 8, BYPASS_Y + 7), DARK, 2.5)
    # load: a monitor on a stand
    c.rect((LOAD_LEFT, MAIN_Y - 32, LOAD_LEFT + 76, MAIN_Y + 18), fill=(236, 243, 252),
           outline=DARK, width=3, radius=5)
    c.rect((LOAD_LEFT + 30, MAIN_Y + 18, LOAD_LEFT + 46, MAIN_Y + 28), fill=DARK)
    c.rect((LOAD_LEFT + 18, MAIN_Y + 27, LOAD_LEFT + 58, MAIN_Y + 32), fill=DARK, radius=2)
    c.save(os.path.join(MIMIC, "background.png"))


def main():
    os.makedirs(MIMIC, exist_ok=True)
    glyphs = {"device": glyph_device, "scheduleTask": glyph_clock, "upsControl": glyph_power,
              "settings": glyph_gear, "history": glyph_history}
    for name, glyph in glyphs.items():
        icon(name + ".png", glyph, DARK)
        icon(name + "Clicked.png", glyph, SELECTED)
    icon("alarm.png", glyph_bell, DARK)
    icon("search.png", glyph_search, DARK, 24)
    icon("print.png", glyph_print, DARK, 24)
    icon("minimize.png", glyph_minimize, WHITE, 16)
    icon("close.png", glyph_close, WHITE, 16)
    round_badge("information.png", 48, BLUE, "i")
    round_badge("question.png", 48, BLUE, "?")
    warning_badge("warning.png", 48)
    link_badge("devOnline.png", GREEN, False)
    link_badge("devOffline.png", GREY, True)
    ups_picture("upsOnline.png", True)
    ups_picture("upsOffline.png", False)
    logo(app_icon())
    mimic_background()
    mimic_segments()
    mimic_battery()


if __name__ == "__main__":
    main()
