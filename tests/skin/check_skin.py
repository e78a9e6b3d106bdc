"""Checks the packed layout archive: every layout is well-formed and built
from parts that exist, every picture it names is there at 100 % and 200 %,
the controls and menu items the program addresses by name are present, and
the main window's pages, rows and menus fit their sizes.

    python3 check_skin.py SKIN.ZIP
Prints one line per problem and "N passed, N failed" at the end."""

import sys
import xml.etree.ElementTree as ElementTree

from layout_fit import LayoutFit
from skin_archive import (IMAGE_ATTRIBUTES, SkinArchive, archive_entry, image_file,
                          parse_attribute_list, twin_entry)
from text_colours import TextColours

MAIN_WINDOW_SIZE = (719, 620)

# Controls the main window's code finds by name.
MAIN_WINDOW_CONTROLS = """
    LineButton tabUser btnLogin LayoutNickname userNickname btnMenu btnMin btnClose tabMain
    Pic-OCR Screenshot-OCR Licensen-OCR AppPage ScannerPage
    Back tabAddPic titleLogo titleLicense titleIdcardFront addIdcardFront addIdcardFrontI
    IdcardFrontOk titleIdcardBack addIdcardBack addIdcardBackI IdcardBackOk
    LayoutAddPic1 LayoutAddPic2 addFileIcon addFileText xlstip scanAni cancleFiles
    buttonAddPic buttonOCR
    IdCardOCR BankCardOCR DrivingOCR VehicleOCR PassportOCR ReceiptOCR BusinessOCR BanklicenseOCR
    BackResultOK ocrText CopyText DiffText listFiles openOCRFolder
""".split()
# The title bar's buttons with words, drawn side by side in one font.
TITLE_BAR_TEXTS = ["btnLogin", "userNickname", "LineButton"]
# tabMain's pages in order, each known by a control only it holds.
PAGE_MARKERS = ["Pic-OCR", "tabAddPic", "IdCardOCR", None, "ocrText", "listFiles"]
ROW_CONTROLS = ["fileName", "fileSize", "btnDiff"]
MENUS = {
    "main_menu.xml": ["menuSetting", "menuUpdate", "menuAbout"],
    "user_menu.xml": ["menuUserCenter", "menuLogout"],
    "trayicon_menu.xml": ["menuShowMain", "menuSetting", "menuExit"],
}
# Pictures the program sets at run time, named as the layouts name them.
RUNTIME_PICTURES = [
    *(f"../default/images/{kind}_icon.png" for kind in
      "pic idcard bankcard driving vehicle receipt business passport banklicense".split()),
    *(f"../default/images/fileicon{count}.png" for count in range(1, 5)),
    "../default/gif/scan.png", "../default/button/scroll.png",
    "images/xls.png", "images/frame_btn_login.png", "images/arrow.png",
]
# Strips the program cuts with fixed source rectangles: their 100 % sizes.
STRIP_SIZES = {
    "../default/gif/scan.png": (44 * 191, 158),
    "../default/button/scroll.png": (3 * 12, 21),
    "images/frame_btn_login.png": (4 * 15, 16),
}
# The settings dialog: its size and the controls its code finds by name.
SETTINGS_DIALOG = ("dlg_setting.xml", (400, 520), """
    optAutoRun optAutoUpdate optCompressedSize comboMaxSize optUseHighQuality
    optHideWindow optExit HotKey SavePath ChangeDir btnClose
""".split())
# The message dialogs, questions, copying hint and about box: their sizes and
# the controls their code finds by name.
MESSAGE_DIALOGS = {
    "dlg_message.xml": ((380, 180), "caption context infoLogo errorLogo warnLogo btnYes btnClose btnLeft"),
    "dlg_message_exit.xml": ((380, 220), "optHide optExit checkNotRemind btnYes btnClose"),
    "dlg_message_copy.xml": ((380, 180), "NotRemind btnClose"),
    "dlg_message_merge.xml": ((380, 220), "optDefault optMerge checkNotRemind btnClose"),
    "dlg_copyingimage.xml": ((280, 140), "btnClose"),
    "dlg_about.xml": ((380, 270), "LabelVersion LabelUID buttonSite btnClose"),
    "dlg_selectDSM.xml": ((380, 300), "DSMList btnYes btnClose"),
}
# Row of listFiles: the list's width inside its frame, less the scroll bar.
ROW_WIDTH = 640


class Checks:
    def __init__(self, archive):
        self.archive = archive
        self.passed = 0
        self.failures = []

    def expect(self, condition, message):
        if condition:
            self.passed += 1
        else:
            self.failures.append(message)

    def well_formed(self):
        for entry in self.archive.layouts():
            try:
                self.archive.parse(entry)
                self.expect(True, "")
            except ElementTree.ParseError as error:
                self.expect(False, f"{entry} is not well-formed: {error}")

    def window_layouts_include_defaults(self):
        for entry in self.archive.layouts():
            root = self.archive.parse(entry)
            if root.tag == "Window" and root.get("size"):
                sources = [include.get("source") for include in root.findall("Include")]
                self.expect("Default.xml" in sources, f"{entry} does not include Default.xml")

    def includes_exist(self):
        for entry in self.archive.layouts():
            for include in self.archive.parse(entry).iter("Include"):
                target = archive_entry(include.get("source"))
                self.expect(target in self.archive.names, f"{entry} includes missing {target}")

    def pictures_at_both_scales(self):
        named = set(RUNTIME_PICTURES)
        for entry in self.archive.layouts():
            for element in self.archive.parse(entry).iter():
                named.update(self._pictures_of(element.attrib))
                if element.tag == "Default":
                    named.update(self._pictures_of(parse_attribute_list(element.get("value"))))
        for picture in sorted(named):
            entry = archive_entry(picture)
            present = entry in self.archive.names and twin_entry(entry) in self.archive.names
            self.expect(present, f"picture {picture} is not in the archive at 100 % and 200 %")
            if present:
                small = self.archive.picture_size(entry)
                large = self.archive.picture_size(twin_entry(entry))
                self.expect(large == (small[0] * 2, small[1] * 2),
                            f"{twin_entry(entry)} is {large}, not twice {small}")

    @staticmethod
    def _pictures_of(attributes):
        return {image_file(value) for name, value in attributes.items()
                if name in IMAGE_ATTRIBUTES and image_file(value)}

    def strip_sizes(self):
        for picture, size in STRIP_SIZES.items():
            entry = archive_entry(picture)
            if entry in self.archive.names:
                actual = self.archive.picture_size(entry)
                self.expect(actual == size, f"{picture} is {actual}, the program cuts it as {size}")

    def main_window(self):
        root = self.archive.expanded("skin.xml")
        self.expect(root.get("size") == "%d,%d" % MAIN_WINDOW_SIZE, "main window size")
        self.expect(root.get("caption") == "0,0,0,74", "main window caption height")
        self.expect(root.get("trayiconid") == "128", "tray icon id")
        names = {element.get("name") for element in root.iter()}
        for name in MAIN_WINDOW_CONTROLS:
            self.expect(name in names, f"skin.xml has no control {name}")
        fonts = {element.get("font") for element in root.iter()
                 if element.get("name") in TITLE_BAR_TEXTS}
        self.expect(len(fonts) == 1, f"the title bar's {TITLE_BAR_TEXTS} use fonts {fonts}")
        pages = [page for page in root.iter("AnimationTabLayout") if page.get("name") == "tabMain"]
        if pages:
            self.tab_pages(pages[0])

    def tab_pages(self, tabMain):
        self.expect(len(tabMain) == len(PAGE_MARKERS),
                    f"tabMain has {len(tabMain)} pages, not {len(PAGE_MARKERS)}")
        for index, (page, marker) in enumerate(zip(tabMain, PAGE_MARKERS)):
            if marker:
                found = any(element.get("name") == marker for element in page.iter())
                self.expect(found, f"page {index} of tabMain does not hold {marker}")

    def rows_and_menus(self):
        row = self.archive.expanded("file_list_item.xml")
        names = {element.get("name") for element in row.iter()}
        for name in ROW_CONTROLS:
            self.expect(name in names, f"file_list_item.xml has no {name}")
        for menu, items in MENUS.items():
            root = self.archive.expanded(menu)
            names = [element.get("name") for element in root.iter("MenuElement")]
            self.expect(all(item in names for item in items), f"{menu} lacks one of {items}")

    def dialog(self, layout, size, controls):
        """Checks a dialog's size, its named controls and that it fits; its root."""
        root = self.archive.expanded(layout)
        self.expect(root.get("size") == "%d,%d" % size, f"{layout} size")
        names = {element.get("name") for element in root.iter()}
        for name in controls:
            self.expect(name in names, f"{layout} has no control {name}")
        defaults, fonts = self.archive.defaults()
        for problem in LayoutFit(defaults, fonts).check(root, size[0], size[1], layout):
            self.expect(False, problem)
        return root

    def message_dialogs(self):
        for layout, (size, controls) in MESSAGE_DIALOGS.items():
            self.dialog(layout, size, controls.split())

    def settings_dialog(self):
        root = self.dialog(*SETTINGS_DIALOG)
        combo = [element for element in root.iter("Combo") if element.get("name") == "comboMaxSize"]
        items = [item.get("text") for item in combo[0]] if combo else []
        self.expect(items == [f"{{f 微软雅黑 12}}{size}px{{/f}}" for size in (1024, 2048, 4096)],
                    f"comboMaxSize offers {items}")

    def everything_fits(self):
        defaults, fonts = self.archive.defaults()
        self.expect(5 in fonts, "Default.xml has no font 5 for the nickname")
        windows = [("skin.xml", MAIN_WINDOW_SIZE)]
        windows += [(menu, tuple(int(number) for number in
                                 self.archive.parse(f"skin/{menu}").get("size").split(",")))
                    for menu in MENUS]
        row = self.archive.expanded("file_list_item.xml")[0]
        problems = LayoutFit(defaults, fonts).check(row, ROW_WIDTH, int(row.get("height")),
                                                    "file_list_item.xml")
        for layout, (width, height) in windows:
            fit = LayoutFit(defaults, fonts)
            problems += fit.check(self.archive.expanded(layout), width, height, layout)
        for problem in problems:
            self.expect(False, problem)
        self.expect(not problems, "layouts fit")

    def text_colours(self):
        defaults, _ = self.archive.defaults()
        colours = TextColours(defaults)
        for entry in self.archive.layouts():
            root = self.archive.parse(entry)
            if root.tag == "Window" and root.get("size"):
                layout = entry.split("/", 1)[1]
                for problem in colours.problems(self.archive.expanded(layout), layout):
                    self.expect(False, problem)
        self.expect(True, "")


def main(path):
    checks = Checks(SkinArchive(path))
    for check in (checks.well_formed, checks.window_layouts_include_defaults,
                  checks.includes_exist, checks.pictures_at_both_scales, checks.strip_sizes,
                  checks.main_window, checks.rows_and_menus, checks.settings_dialog,
                  checks.message_dialogs, checks.everything_fits, checks.text_colours):
        try:
            check()
        except (ElementTree.ParseError, KeyError, ValueError) as error:
            checks.expect(False, f"{check.__name__} stopped: {error!r}")
    for failure in checks.failures:
        print("FAILED:", failure)
    print(f"{checks.passed} passed, {len(checks.failures)} failed")
    return 1 if checks.failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
