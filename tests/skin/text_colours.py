"""Text colours of the built layouts: every text drawn on a plain background
reads at WCAG contrast 4.5:1 or better, and the accent (link) colour is kept
for texts that can be clicked."""

# The accent colour that marks a link; text in it must be a Button.
LINK_COLOUR = 0x2F6FED
# WCAG 2 level AA for normal text.
MINIMUM_CONTRAST = 4.5
# Classes that draw their own text; a Button with a picture behind its text
# is drawn on that picture, not on a colour the layout names.
TEXT_CLASSES = {"Label", "Text", "Button", "CheckBox", "Option", "Edit", "RichEdit"}
PICTURE_BACKGROUNDS = ("normalimage", "bkimage")


def colour(text):
    """The RGB part of "#AARRGGBB" or "#RRGGBB"."""
    return int(text.strip().lstrip("#"), 16) & 0xFFFFFF


def relative_luminance(rgb):
    def channel(shift):
        value = ((rgb >> shift) & 0xFF) / 255
        return value / 12.92 if value <= 0.04045 else ((value + 0.055) / 1.055) ** 2.4
    return 0.2126 * channel(16) + 0.7152 * channel(8) + 0.0722 * channel(0)


def contrast(first, second):
    lighter, darker = sorted((relative_luminance(first), relative_luminance(second)), reverse=True)
    return (lighter + 0.05) / (darker + 0.05)


class TextColours:
    def __init__(self, defaults):
        self.defaults = defaults

    def _attributes(self, element):
        merged = dict(self.defaults.get(element.tag, {}))
        merged.update(element.attrib)
        return merged

    def texts(self, root):
        """(element, text colour, background colour or None) of every text
        the layout draws on a colour of its own or of a container."""
        parents = {child: parent for parent in root.iter() for child in parent}
        for element in root.iter():
            attributes = self._attributes(element)
            if element.tag not in TEXT_CLASSES or "textcolor" not in attributes:
                continue
            if any(attributes.get(name) for name in PICTURE_BACKGROUNDS):
                continue
            background, holder = None, element
            while holder is not None and background is None:
                background = holder.get("bkcolor") or self.defaults.get(holder.tag, {}).get("bkcolor")
                holder = parents.get(holder)
            yield element, colour(attributes["textcolor"]), background and colour(background)

    def problems(self, root, where):
        found = []
        for element, text, background in self.texts(root):
            label = element.get("name") or element.get("text") or element.tag
            if text == LINK_COLOUR and element.tag != "Button":
                found.append(f"{where}: {label} is in the link colour but can not be clicked")
            if background is not None and contrast(text, background) < MINIMUM_CONTRAST:
                found.append(f"{where}: {label} reads at {contrast(text, background):.2f}:1 "
                             f"on its background, less than {MINIMUM_CONTRAST}:1")
        return found
