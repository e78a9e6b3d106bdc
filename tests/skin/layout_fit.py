"""Lays a built layout out the way the UI library's stacks do (fixed sizes,
paddings, child padding, insets, stretch sharing, float positions) and
reports every place where children or texts do not fit their parent."""

from skin_archive import image_file, parse_attribute_list

STACKS = {"VerticalLayout": "vertical", "HorizontalLayout": "horizontal",
          "ListContainerElement": "vertical", "List": "vertical", "Menu": "vertical",
          "MenuElement": "vertical", "TabLayout": "tab", "AnimationTabLayout": "tab"}
NOT_CONTROLS = {"Font", "Default", "Include"}
# Full-width (CJK) characters take about one em; others a little over half.
NARROW_CHARACTER_EM = 0.6
LINE_HEIGHT_EM = 1.3


def numbers(text, count=4):
    values = [int(part) for part in (text or "").split(",") if part.strip()]
    return (values + [0] * count)[:count]


def text_width(text, size):
    return sum(size if ord(character) > 0x2E7F else size * NARROW_CHARACTER_EM
               for character in text)


class LayoutFit:
    def __init__(self, defaults, fonts):
        self.defaults = defaults
        self.fonts = fonts
        self.problems = []

    def check(self, element, width, height, where):
        self._place(element, width, height, where)
        return self.problems

    def _attributes(self, element):
        merged = dict(self.defaults.get(element.tag, {}))
        merged.update(element.attrib)
        return merged

    def _report(self, where, message):
        self.problems.append(f"{where}: {message}")

    def _place(self, element, width, height, where):
        attributes = self._attributes(element)
        label = attributes.get("name") or element.tag
        where = f"{where}/{label}"
        self._check_leaf(attributes, width, height, where)
        kind = STACKS.get(element.tag, "vertical" if element.tag == "Window" else None)
        if kind is None:
            return
        left, top, right, bottom = numbers(attributes.get("inset"))
        inner = (width - left - right, height - top - bottom)
        children = [child for child in element if child.tag not in NOT_CONTROLS]
        flowing = []
        for child in children:
            if self._attributes(child).get("float") == "true":
                self._place_float(child, *inner, where)
            else:
                flowing.append(child)
        if kind == "tab":
            for child in flowing:
                self._place_across(child, inner, where, axis=None)
        else:
            self._place_stack(flowing, inner, int(attributes.get("childpadding", 0)),
                              kind == "vertical", where)

    def _place_float(self, child, width, height, where):
        """Float positions count from the parent's inset corner."""
        left, top, right, bottom = numbers(self._attributes(child).get("pos"))
        if right > width or bottom > height or left < 0 or top < 0:
            self._report(where, f"float {child.get('name')} at {left},{top},{right},{bottom} "
                                f"leaves its {width}x{height} parent")
        self._place(child, right - left, bottom - top, where)

    def _place_stack(self, children, inner, childPadding, vertical, where):
        axis, cross = (1, 0) if vertical else (0, 1)
        shown = [child for child in children if self._attributes(child).get("visible") != "false"]
        used = childPadding * max(len(shown) - 1, 0)
        stretching = 0
        for child in shown:
            size, padding = self._fixed(child, axis)
            used += size + padding
            stretching += size == 0
        if used > inner[axis]:
            self._report(where, f"children need {used} of {inner[axis]} pixels "
                                f"{'down' if vertical else 'across'}")
        share = max(inner[axis] - used, 0) // max(stretching, 1)
        for child in children:
            size, _ = self._fixed(child, axis)
            if size > inner[axis]:
                self._report(where, f"{child.get('name') or child.tag} is {size} pixels, "
                                    f"its parent has {inner[axis]}")
            self._place_across(child, inner, where, axis, size or share)

    def _fixed(self, child, axis):
        attributes = self._attributes(child)
        padding = numbers(attributes.get("padding"))
        size = int(attributes.get("height" if axis else "width", 0))
        return size, padding[axis] + padding[axis + 2]

    def _place_across(self, child, inner, where, axis, along=None):
        """Places CHILD: ALONG pixels on the stack's axis (none for a tab
        page), its fixed or the whole inner size across."""
        attributes = self._attributes(child)
        padding = numbers(attributes.get("padding"))
        size = [int(attributes.get("width", 0)), int(attributes.get("height", 0))]
        for dimension in (0, 1):
            if dimension == axis:
                continue
            room = inner[dimension] - padding[dimension] - padding[dimension + 2]
            if size[dimension] > room:
                self._report(where, f"{child.get('name') or child.tag} is {size[dimension]} "
                                    f"pixels {'high' if dimension else 'wide'}, room for {room}")
            size[dimension] = size[dimension] or room
        if axis is not None:
            size[axis] = along
        self._place(child, size[0], size[1], where)

    def _check_leaf(self, attributes, width, height, where):
        font = int(attributes.get("font", 0))
        if font not in self.fonts:
            self._report(where, f"font {font} is not defined")
            return
        for name, value in attributes.items():
            if name.endswith("image") and "dest=" in value:
                left, top, right, bottom = numbers(parse_attribute_list(value)["dest"])
                if right > width or bottom > height:
                    self._report(where, f"{name} {image_file(value)} drawn at "
                                        f"{left},{top},{right},{bottom} outside {width}x{height}")
        text = attributes.get("text")
        if not text or attributes.get("showhtml") == "true":
            return
        left, top, right, bottom = numbers(attributes.get("textpadding"))
        size = self.fonts[font]
        needed = text_width(text, size)
        if needed > width - left - right:
            self._report(where, f"text {text!r} needs about {needed:.0f} pixels, "
                                f"has {width - left - right}")
        if size * LINE_HEIGHT_EM > height - top - bottom:
            self._report(where, f"text {text!r} of size {size} in {height - top - bottom} "
                                f"pixels of height")
