#!/usr/bin/env python3
"""Writes damaged copies of the gallery's skin as skin databases: mutant-NNNN.skindb.

Each copy damages the style elements of the gallery's control kinds: hostile attribute values, dropped,
duplicated and moved elements, styles renamed onto one another, and now and then cut text. The random
source has a fixed seed, so every run writes the same databases; TAVRIN_MUTATION_SEED replaces it. The
seed is printed and written to OUT_FOLDER/seed.txt for the test that reads the databases.

usage: make_gallery_mutations.py SKIN_FOLDER OUT_FOLDER COUNT
"""
import os
import random
import sys
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "skinpack"))
import skinpack  # noqa: E402

HOSTILE = ["", "#", "-", "0", "-1", "1", "2147483647", "-2147483648", "2147483648", "99999999999999999999",
           "abc", "%s%s%n", "#default", "true", "all", "non", "inactive", "1,2", "1,2,3", "-5,-5,-10,-10",
           "2147483647,2147483647,2147483647,2147483647", ",,,", "rgb(", "#nosuch", "\u5b89", "gallery",
           "edit", "combobox", "spinbutton", "no.such.style", "-30000", "30000"]
ATTRIBUTES = ["left", "top", "right", "bottom", "width", "height", "index", "id", "state", "content",
              "bordercolor", "fillcolor", "textcolor", "borderwidth", "name", "label", "captionheight",
              "minwidth", "minheight", "maxwidth", "maxheight", "iconrect", "editmargin", "downliststyle",
              "marginleft", "margintop", "tabspace", "iconx", "icony", "spinstyle", "spinsize",
              "textoffsetx", "textoffsety", "buseimagebk", "btransparentbk", "scrollbar", "font", "bkcolor",
              "style", "textcolor_dis", "textcolor_ro", "picfile", "paintmode", "interval", "splitwidth"]


def damage(root, rng):
    windows = list(root.find("uiwindow"))
    elements = [e for w in windows for e in w.iter()]
    for _ in range(1 + rng.randrange(6)):
        element = rng.choice(elements)
        kind = rng.randrange(7)
        if kind <= 1:
            names = list(element.attrib) or ATTRIBUTES
            element.set(rng.choice(names), rng.choice(HOSTILE))
        elif kind == 2:
            element.set(rng.choice(ATTRIBUTES), rng.choice(HOSTILE))
        elif kind == 3:
            children = list(element)
            if children:
                element.remove(rng.choice(children))
        elif kind == 4:
            children = list(element)
            if children:
                for _ in range(1 + rng.randrange(8)):
                    element.append(rng.choice(children))
        elif kind == 5:
            target = rng.choice(elements)
            # Never into itself or its own descendants: the document must stay a tree.
            if not any(target is inner for inner in element.iter()):
                target.append(element)
        else:
            window = rng.choice(windows)
            window.set("name", rng.choice(windows).get("name", ""))


def main(argv):
    skin_folder, out_folder, count = argv[0], argv[1], int(argv[2])
    os.makedirs(out_folder, exist_ok=True)
    with open(os.path.join(skin_folder, "main.xml"), "rb") as source:
        text = source.read()
    with open(os.path.join(skin_folder, "scrollbar.png"), "rb") as image:
        png = image.read()
    seed = 20261209
    try:
        seed = int(os.environ.get("TAVRIN_MUTATION_SEED", ""), 0)
    except ValueError:
        pass  # not a number: the script's own seed, as the tests do
    print("gallery mutants: seed %d (TAVRIN_MUTATION_SEED replaces it)" % seed)
    with open(os.path.join(out_folder, "seed.txt"), "w") as seed_file:
        seed_file.write("%d\n" % seed)
    rng = random.Random(seed)
    for number in range(count):
        root = ElementTree.fromstring(text)
        damage(root, rng)
        xml = ElementTree.tostring(root, encoding="utf-8")
        if rng.randrange(8) == 0:
            xml = xml[:rng.randrange(len(xml))] or b"<"
        files = [("gallery\\main.xml", xml), ("gallery\\scrollbar.png", png)]
        with open(os.path.join(out_folder, "mutant-%04d.skindb" % number), "wb") as out:
            out.write(skinpack.build(files, "gallery"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
