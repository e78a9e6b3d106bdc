"""Reading the layout archive the way the UI library does: layouts under
"skin/", <Include> replaced by the children of the included file's root,
per-class defaults from <Default> entries, picture names resolved against the
layout's folder."""

import posixpath
import re
import struct
import xml.etree.ElementTree as ElementTree
import zipfile

LAYOUT_FOLDER = "skin"

# Attributes whose value names a picture, plainly or as "file='...' ...".
IMAGE_ATTRIBUTES = {
    "bkimage", "normalimage", "hotimage", "pushedimage", "disabledimage",
    "focusedimage", "foreimage", "selectedimage", "selectedhotimage",
    "thumbnormalimage", "thumbhotimage", "thumbpushedimage",
}

_PAIR = re.compile(r"""\s*([\w-]+)\s*=\s*(?:'([^']*)'|"([^"]*)")""")


def parse_attribute_list(text):
    """name='value' pairs of a Default entry or an image attribute."""
    pairs, position = {}, 0
    while position < len(text.rstrip()):
        match = _PAIR.match(text, position)
        if not match:
            raise ValueError(f"unreadable attribute list at {text[position:]!r}")
        pairs[match.group(1)] = match.group(2) if match.group(2) is not None else match.group(3)
        position = match.end()
    return pairs


def image_file(value):
    """The file an image attribute names (plain name or file='...')."""
    if "=" not in value:
        return value.strip()
    return parse_attribute_list(value).get("file", "").strip()


def archive_entry(picture):
    """Archive entry of a picture named by a layout in the layout folder."""
    return posixpath.normpath(posixpath.join(LAYOUT_FOLDER, picture))


def twin_entry(entry):
    """The 200 % twin: "@200" before the extension."""
    stem, dot, extension = entry.rpartition(".")
    return f"{stem}@200.{extension}"


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise ValueError("not a PNG")
    return struct.unpack(">II", data[16:24])


class SkinArchive:
    def __init__(self, path):
        self.zip = zipfile.ZipFile(path)
        self.names = set(self.zip.namelist())

    def layouts(self):
        return sorted(name for name in self.names
                      if name.startswith(LAYOUT_FOLDER + "/") and name.endswith(".xml"))

    def parse(self, entry):
        return ElementTree.fromstring(self.zip.read(entry))

    def picture_size(self, entry):
        return png_size(self.zip.read(entry))

    def expanded(self, layout):
        """The layout's root with every <Include> replaced by the included
        file's root children, as the window is built."""
        root = self.parse(f"{LAYOUT_FOLDER}/{layout}")
        self._expand(root)
        return root

    def _expand(self, element):
        index = 0
        while index < len(element):
            child = element[index]
            if child.tag == "Include":
                included = list(self.parse(archive_entry(child.get("source"))))
                element[index:index + 1] = included
                continue
            self._expand(child)
            index += 1

    def defaults(self):
        """Per-class default attributes and the font sizes of Default.xml."""
        root = self.parse(f"{LAYOUT_FOLDER}/Default.xml")
        classes = {entry.get("name"): parse_attribute_list(entry.get("value"))
                   for entry in root.iter("Default")}
        fonts = {int(font.get("id")): int(font.get("size")) for font in root.iter("Font")}
        return classes, fonts
