#!/usr/bin/env python3
"""Writes a corpus of layouts and exports each one with the given kestrion binary.

    export-corpus.py KESTRION OUTDIR

Run it with the binary before and after a change and compare the two folders
(`cmp` per file): the pictures must be identical. Layouts cover every kind,
quarter turns, mirrors, zooms from 10 to 1600 %, textures, accessories, the drawing
preferences on and off, and canvases filled by one object over others. The binary's
own library folders are used. Crowded layouts of hundreds of objects stacked over one
another, some of them thin or tiny, check that what is hidden stays hidden and what
shows stays exact.
"""
import itertools
import os
import pathlib
import subprocess
import sys

VEHICLES = ["Fourgon_L2H2_Dessus_XY_5000_.jpg", "Fourgon_L3H2_Gauche_XZ_4000_.jpg",
            "Fourgon_L2H2_Arriere_YZ_5000_.bmp"]
TEXTURES = ["Parquet chene.jpg", "Carrelage blanc.bmp", "Moquette grise.gif"]
ACCESSORIES = ["Couchage_Lit double_190_140_XY_.jpg", "Cuisine_Evier_40_35_XY_.bmp",
               "Assise_Siege pivotant_60_55_XY_.gif"]
ZOOMS = ["10", "25", "50", "75", "100", "150", "300", "800", "1600"]


def record(kind, x, y, h, w, n, textured, lock):
    """One object's eight lines: kind, x, y, height cm, width cm, fill, lock, extra; the
    fill and the extra follow from the kind and n."""
    fill, extra = str(n % 16), "0"
    if kind == 1 and textured:
        fill = TEXTURES[n % len(TEXTURES)]
    if kind == 9:
        fill, extra = ACCESSORIES[n % len(ACCESSORIES)], str(n % 4)
    if kind == 5:
        extra = str(n % 4)
    if kind == 3:
        extra = ["Lit", "Évier à gauche", "Rangement", "12,5 cm"][n % 4]
    return [str(kind), f"{x:g}", f"{y:g}", f"{h:g}", f"{w:g}", fill, lock, extra]


def objects(seed):
    rows = []
    for k in range(14):
        n = seed * 31 + k * 7
        x, y = 20 + (n * 37) % 400 + (0.5 if k % 3 == 0 else 0), 15 + (n * 53) % 220
        h, w = 10 + (n * 13) % 120, 15 + (n * 17) % 150
        kind = [1, 2, 3, 4, 5, 0, 9, 1][k % 8]
        if kind == 4:
            h = 0 if k % 2 else h
        rows.append(record(kind, x, y, h, w, n, k % 2, str(k % 2)))
    return rows


# Objects that fill a window-sized canvas at the zooms below, from beyond its top-left
# corner: a colour rectangle, a textured one and an accessory at each quarter turn.
COVERS = ([["1", "-40", "-40", "420", "640", "6", "0", "0"],
           ["1", "-45.5", "-40", "430", "650", TEXTURES[0], "1", "0"]]
          + [["9", "-40", "-42", "450", "660", ACCESSORIES[t % 3], "0", str(t)] for t in range(4)])
COVER_ZOOMS = ["300", "800", "1600"]


def crowded(seed):
    """Hundreds of objects of every kind stacked over one another, a few of them thin,
    flat or tiny, at positions that fall between pixels."""
    rows = []
    sizes = [0, 0.4, 1, 1.5, 2.5, 3.9]
    for k in range(320):
        n = seed * 131 + k * 29
        kind = [1, 1, 2, 3, 4, 5, 0, 9, 1, 5][k % 10]
        x = -20 + (n * 37) % 520 + [0, 0.25, 0.5, 0.75][k % 4]
        y = -10 + (n * 53) % 270 + [0, 0.5][k % 2]
        h, w = 5 + (n * 13) % 140, 5 + (n * 17) % 170
        if k % 23 == 0:
            w = sizes[n % len(sizes)]
        if k % 29 == 0:
            h = sizes[(n // 7) % len(sizes)]
        rows.append(record(kind, x, y, h, w, n, k % 3 == 1, "0"))
    return rows


CROWDED_ZOOMS = ["25", "100", "300", "1600"]


def layout_text(vehicle, mirror_lr, mirror_tb, zoom, seed, cover=None, rows=None):
    rows = objects(seed) if rows is None else rows
    if cover is not None:  # over the first objects, under the others
        rows.insert(len(rows) // 2, cover)
    lines = ["Kestrion 2", vehicle, str(mirror_lr), str(mirror_tb), str(len(rows)), zoom]
    for r in rows:
        lines.extend(r)
    return "\r\n".join(lines) + "\r\n"


def settings_ini(on):
    v = "1" if on else "0"
    return ("[HKLM]\n" + "".join(f"Software\\Kestrion\\{n}={v}\n"
                                 for n in ("carross", "clicpreplan", "ancrer", "fondblanc"))
            + f"Software\\Kestrion\\larlig={'5' if on else '2'}\n"
            + "Software\\Kestrion\\autozone=1\n")


def main():
    binary, out = pathlib.Path(sys.argv[1]).resolve(), pathlib.Path(sys.argv[2]).resolve()
    out.mkdir(parents=True, exist_ok=True)
    cases = itertools.product(range(len(VEHICLES)), (0, 1), (0, 1), ZOOMS, (False, True))
    for n, (v, lr, tb, zoom, prefs) in enumerate(cases):
        if n % 3:  # a third of the combinations keeps the run short
            continue
        name = f"c{n:03d}"
        home = out / "home" / ("on" if prefs else "off")
        ini = home / "Kestrion" / "Kestrion.ini"
        ini.parent.mkdir(parents=True, exist_ok=True)
        ini.write_text(settings_ini(prefs))
        kla = out / f"{name}.kla"
        kla.write_text(layout_text(VEHICLES[v], lr, tb, zoom, n), encoding="utf-8")
        env = dict(os.environ, XDG_CONFIG_HOME=str(home), QT_QPA_PLATFORM="offscreen",
                   XDG_RUNTIME_DIR="/tmp/runtime-root")
        # Large zooms draw a window-sized part of the plan, as the window shows it.
        canvas = ["--canvas", "1200x800"] if int(zoom) > 300 else []
        export(binary, kla, out, name, canvas, env)
    # A canvas covered by one object: what lies under it must not show through.
    for n, (c, zoom, prefs) in enumerate(itertools.product(range(len(COVERS)), COVER_ZOOMS,
                                                           (False, True))):
        name = f"k{n:03d}"
        home = out / "home" / ("on" if prefs else "off")
        kla = out / f"{name}.kla"
        kla.write_text(layout_text(VEHICLES[n % len(VEHICLES)], n % 2, n // 2 % 2, zoom, n,
                                   COVERS[c]), encoding="utf-8")
        env = dict(os.environ, XDG_CONFIG_HOME=str(home), QT_QPA_PLATFORM="offscreen",
                   XDG_RUNTIME_DIR="/tmp/runtime-root")
        export(binary, kla, out, name, ["--canvas", "1200x800"], env)
    # Crowded layouts: most objects are partly or wholly hidden by later ones.
    for n, (v, zoom, prefs) in enumerate(itertools.product(range(len(VEHICLES)), CROWDED_ZOOMS,
                                                           (False, True))):
        name = f"d{n:03d}"
        home = out / "home" / ("on" if prefs else "off")
        kla = out / f"{name}.kla"
        kla.write_text(layout_text(VEHICLES[v], n % 2, n // 3 % 2, zoom, n, rows=crowded(n)),
                       encoding="utf-8")
        env = dict(os.environ, XDG_CONFIG_HOME=str(home), QT_QPA_PLATFORM="offscreen",
                   XDG_RUNTIME_DIR="/tmp/runtime-root")
        canvas = ["--canvas", "1200x800"] if int(zoom) > 300 else []
        export(binary, kla, out, name, canvas, env)


def export(binary, kla, out, name, canvas, env):
    for ext in ("bmp", "jpg"):
        subprocess.run([str(binary), "--export", str(kla), str(out / f"{name}.{ext}")]
                       + canvas, env=env, check=True, stdout=subprocess.DEVNULL)


if __name__ == "__main__":
    main()
