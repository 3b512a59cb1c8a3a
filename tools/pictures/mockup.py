#!/usr/bin/env python3
"""Composes a mock-up of the main window from the drawn pictures, to judge
the skin without running the program: the background with every picture at
the place where the program puts it, plus stand-ins for the texts, group
boxes and lists, for several pages side by side.

    python3 mockup.py PICDIR OUT.bmp [PERCENT]    (convert OUT.bmp OUT.png to view)

PERCENT picks the pictures drawn for that display scale (100 unless given);
the stand-ins are drawn at the same scale.
"""

import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import pixel_font as pf  # noqa: E402
from raster import Canvas, bmp_bytes, scaled_length  # noqa: E402

INK = (0, 0, 0)


def load_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    off = struct.unpack_from("<I", data, 10)[0]
    w, h = struct.unpack_from("<ii", data, 18)
    stride = (w * 3 + 3) & ~3
    c = Canvas(w, h)
    for y in range(h):
        row = off + (h - 1 - y) * stride
        for x in range(w):
            b, g, r = data[row + 3 * x: row + 3 * x + 3]
            c.px[y * w + x] = [float(r), float(g), float(b)]
    return c


class Window:
    def __init__(self, picdir, percent=100):
        self.dir = picdir
        self.percent = percent
        self.c = load_bmp(os.path.join(picdir, self.file("background.bmp"))).with_layout(640, 480)
        self.cache = {}

    def file(self, name):
        if self.percent == 100:
            return name
        stem, ext = os.path.splitext(name)
        return "%s_%d%s" % (stem, self.percent, ext)

    def px(self, length):
        return scaled_length(length, self.percent)

    def pic(self, name, x, y):
        if name not in self.cache:
            self.cache[name] = load_bmp(os.path.join(self.dir, self.file(name)))
        self.c.paste(self.cache[name], self.px(x), self.px(y))

    def text(self, s, x, y, h=20):
        # a static text: top-left aligned, like the platform draws it
        pf.draw_text(self.c, x, y + 2, s, INK)

    def group(self, s, x, y, w, h):
        c = self.c
        top = y + 6
        for x0, y0, x1, y1 in ((x, top, x + w, top + 1), (x, y + h - 2, x + w, y + h - 1),
                               (x, top, x + 1, y + h), (x + w - 2, top, x + w - 1, y + h)):
            c.rect(x0, y0, x1, y1, (160, 160, 160))
            c.rect(x0 + 1 if x1 - x0 == 1 else x0, y0 + 1 if y1 - y0 == 1 else y0,
                   x1 + 1 if x1 - x0 == 1 else x1, y1 + 1 if y1 - y0 == 1 else y1, (255, 255, 255))
        tw = pf.text_width(s)
        c.rect(x + 8, y, x + 12 + tw, y + 12, (230, 230, 230))
        pf.draw_text(c, x + 10, y + 1, s, INK)

    def listview(self, x, y, w, h, cols, rows):
        c = self.c
        c.rect(x, y, x + w, y + h, (130, 135, 144))
        c.rect(x + 1, y + 1, x + w - 1, y + h - 1, (255, 255, 255))
        c.rect(x + 1, y + 1, x + w - 1, y + 20, (244, 245, 247))
        c.rect(x + 1, y + 20, x + w - 1, y + 21, (220, 222, 226))
        cx = x + 4
        for title, cw in cols:
            pf.draw_text(c, cx + 2, y + 6, title, INK)
            c.rect(cx + cw - 4, y + 3, cx + cw - 3, y + 18, (220, 222, 226))
            cx += cw
        for i, row in enumerate(rows):
            ry = y + 24 + i * 17
            cx = x + 4
            for j, (cell, cw) in enumerate(zip(row, [cw for _, cw in cols])):
                if isinstance(cell, tuple):
                    self.pic_cell(cell, cx, ry)
                else:
                    pf.draw_text(c, cx + 2, ry + 3, cell, INK)
                cx += cw

    def pic_cell(self, cell, x, y):
        # (strip file, cell size, image index, checked?)
        name, size, index, checked = cell
        key = "strip:" + name
        if key not in self.cache:
            self.cache[key] = load_bmp(os.path.join(self.dir, self.file(name)))
        strip = self.cache[key]
        if checked is not None:
            c = self.c
            c.rect(x + 1, y + 1, x + 14, y + 14, (51, 51, 51))
            c.rect(x + 2, y + 2, x + 13, y + 13, (255, 255, 255))
            if checked:
                for k in range(3, 10):
                    yy = 9 - abs(k - 5) if k > 5 else 6 + (k - 3)
                    c.rect(x + 1 + k, y + 1 + yy, x + 2 + k, y + 2 + yy, (0, 0, 0))
            x += 18
        size = self.px(size)
        x, y = self.px(x), self.px(y)
        for yy in range(size):
            for xx in range(size):
                p = strip.px[yy * strip.w + index * size + xx]
                if p != [255.0, 0.0, 255.0]:
                    self.c.px[(y + yy) * self.c.w + x + xx] = list(p)


def common(win, page, scanning=False):
    names = ["path", "filters", "exceptions", "options", "scan", "clean"]
    for i, n in enumerate(names):
        look = "_on" if i + 1 == page else ("_hover" if i + 1 == 4 and page == 2 else "")
        win.pic("page_%s%s.bmp" % (n, look), 8, 170 + 30 * i)
    win.pic("minimize.bmp", 594, 5)
    win.pic("close_hover.bmp" if page == 6 else "close.bmp", 615, 5)
    win.pic("help.bmp", 529, 51)
    win.pic("about.bmp" if page else "about.bmp", 576, 51)
    win.pic("ornament.bmp", 20, 420)
    win.pic("scan_start_off.bmp" if scanning else "scan_start.bmp", 36, 410)
    win.pic("scan_stop.bmp" if scanning else "scan_stop_off.bmp", 78, 415)
    win.pic("back_off.bmp" if page == 0 else "back.bmp", 310, 420)
    win.pic("next_off.bmp" if page == 6 else ("next_hover.bmp" if page == 1 else "next.bmp"), 390, 420)
    win.pic("separator.bmp", 480, 420)
    win.pic("exit.bmp", 500, 420)


def page_about(win):
    common(win, 0)
    win.pic("about_title.bmp", 410, 100)
    win.pic("about_picture.bmp", 143, 100)
    win.text("Developer:  Velnor Software", 430, 150)
    win.text("Current Version:   " + open(os.path.join(os.path.dirname(__file__), "..", "..", "VERSION")).read().strip(), 430, 180)
    win.text("Home Page:", 430, 210)
    win.text("Support E-mail:", 430, 240)
    pf.draw_text(win.c, 510, 212, "www.velnor.example", (0, 0, 255))
    pf.draw_text(win.c, 510, 242, "help@velnor.example", (0, 0, 255))
    win.pic("about_footer.bmp", 240, 370)


def page_path(win):
    common(win, 1)
    loc = "location_images.bmp"
    win.listview(142, 110, 385, 260, [("", 40), ("Path", 150), ("Total", 90), ("Free", 90)],
                 [[(loc, 16, 1, True), "C:", "40.00 GB", "12.50 GB"],
                  [(loc, 16, 1, False), "D:", "100.00 GB", "81.20 GB"],
                  [(loc, 16, 2, True), "c:\\work\\projects", "", ""]])
    win.pic("add.bmp", 535, 110)
    win.pic("remove_hover.bmp", 535, 150)
    win.pic("default.bmp", 535, 190)


def page_filters(win):
    common(win, 2)
    f = "filter_images.bmp"
    win.listview(142, 110, 385, 260, [("", 40), ("File Name", 90), ("Type", 60), ("Description", 115),
                                      ("Exclude", 60)],
                 [[(f, 13, 1, True), "*.tmp", "Include", "Temporary file", ""],
                  [(f, 13, 1, True), "*.bak", "Include", "Backup file", ""],
                  [(f, 13, 2, False), "ntuser.*", "Exclude", "User profile", "Yes"]])
    win.pic("add_off.bmp", 535, 110)
    win.pic("remove.bmp", 535, 150)
    win.pic("default_hover.bmp", 535, 190)


def page_options(win):
    common(win, 4)
    win.group("Scan Options", 200, 130, 300, 150)
    for i, (cap, on) in enumerate([("Include Read Files", True), ("Include System Files", False),
                                   ("Include Hide Files", True), ("Find All Zero Size Files", False)]):
        y = 150 + 30 * i
        win.pic("check_on.bmp" if on else "check_off.bmp", 220, y)
        win.text(cap, 240, y)
    win.group("File Removeal", 200, 300, 300, 80)
    win.pic("radio_on.bmp", 220, 320)
    win.pic("recycle_bin.bmp", 240, 320)
    win.text("Send Junk Files To The Recycle Bin", 260, 320)
    win.pic("radio_off.bmp", 220, 350)
    win.pic("red_cross.bmp", 240, 350)
    win.text("Delete Junk Files Permanently", 260, 350)
    win.text("The default settings are safe and effective;don't change them unless you know", 150, 90)


def page_scan(win):
    common(win, 5, scanning=True)
    win.listview(142, 97, 470, 210, [("", 30), ("File Name", 100), ("Location", 165), ("Size(Bytes)", 70),
                                     ("Modified", 85)],
                 [[("header_checks.bmp", 13, 0, True), "a.tmp", "c:\\temp\\a.tmp", "1024", "2024-01-02"],
                  [("header_checks.bmp", 13, 0, True), "b.log", "c:\\temp\\b.log", "77", "2024-01-02"]])
    win.group("Scan Status", 200, 310, 350, 85)
    win.text("Total Files: 2", 210, 330)
    win.text("Total  Size: 1.07 KB", 210, 350)
    win.text("Selected Files: 2", 360, 330)
    win.text("Selected  Size: 1.07 KB", 360, 350)
    win.text("Scaning: c:\\temp", 210, 370)


def page_clean(win):
    common(win, 6)
    win.group("Clean Options", 160, 95, 430, 180)
    win.pic("check_on.bmp", 170, 110)
    win.text("Send Junk Files To The Recycle Bin", 200, 110)
    win.text(" 1.07 KB ", 410, 110)
    win.pic("radio_on.bmp", 190, 130)
    win.pic("recycle_bin.bmp", 210, 130)
    win.pic("radio_off.bmp", 250, 130)
    win.pic("red_cross.bmp", 270, 130)
    caps = ["Clean Windows Recycle Bin", "Clean Windows Temp Folder", "Clean Temporary Internet Files Folder",
            "Clean Windows History Folder", "Clean Recent Documents Folder", "Clean Browsers' Cache Folders"]
    for i, cap in enumerate(caps):
        y = 150 + 20 * i
        win.pic("check_on.bmp" if i % 2 == 0 else "check_off.bmp", 170, y)
        win.text(cap, 200, y)
        win.c.rect(450, y, 451, y + 12, (160, 160, 160))
        win.c.rect(451, y, 452, y + 12, (255, 255, 255))
        win.text("0 MB", 480, y)
        win.pic("folder_hover.bmp" if i == 1 else "folder.bmp", 550, y)
    for x in range(300):
        t = x / 300.0
        col = tuple(145 + (230 - 145) * t if k == 0 else (140 + 90 * t if k == 1 else 167 + 63 * t)
                    for k in range(3))
        win.c.rect(160 + x, 290, 161 + x, 310, col)
    pf.draw_text(win.c, 165, 296, "Status: Total amount disk space you gain: 0 MB", (255, 255, 255))
    win.c.rect(160, 318, 460, 325, (200, 200, 200))
    win.c.rect(161, 319, 300, 324, (6, 176, 37))
    win.pic("start_clean.bmp", 495, 285)
    win.group("Cookies Cleaner", 160, 345, 300, 45)
    win.pic("cookies.bmp", 165, 360)


PAGES = [page_about, page_path, page_filters, page_options, page_scan, page_clean]


def main(argv):
    if len(argv) not in (3, 4):
        sys.stderr.write("usage: mockup.py PICDIR OUT.bmp [PERCENT]\n")
        return 2
    picdir, out = argv[1], argv[2]
    percent = int(argv[3]) if len(argv) == 4 else 100
    w, h = scaled_length(640, percent), scaled_length(480, percent)
    cols, gap = 2, 10
    rows = (len(PAGES) + cols - 1) // cols
    sheet = Canvas(cols * w + (cols + 1) * gap, rows * h + (rows + 1) * gap, (70, 74, 80))
    for i, page in enumerate(PAGES):
        win = Window(picdir, percent)
        page(win)
        sheet.paste(win.c, gap + (i % cols) * (w + gap), gap + (i // cols) * (h + gap))
    with open(out, "wb") as f:
        f.write(bmp_bytes(sheet.rgb_rows()))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
