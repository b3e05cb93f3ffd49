"""Picture6: ten floor textures, 44 x 44 each, one per ten stages.

Each texture tiles seamlessly: every pattern repeats at 11, 22 or 44 px and
the noise is made periodic by blurring with wrap-around. The textures are
kept in the middle of the brightness range and low in contrast, so the
outlined boxes and the player stand out on all of them.
"""

import numpy as np

from canvas import Canvas
import palette as P

T = 44


def noise(seed, blur=2, size=T):
    """Periodic noise in [-1, 1], the same for every run (fixed seed)."""
    rng = np.random.RandomState(seed)
    n = rng.uniform(-1, 1, (size, size))
    for _ in range(blur):
        n = (n + np.roll(n, 1, 0) + np.roll(n, -1, 0)
             + np.roll(n, 1, 1) + np.roll(n, -1, 1)) / 5
    n -= n.mean()
    return n / (np.abs(n).max() + 1e-9)


def shade(base, amount):
    """base colour scaled per pixel by (1 + amount)."""
    b = np.array(base, float)
    out = b[None, None, :] * (1 + amount[..., None])
    return np.clip(out, 24, 255).astype(np.uint8)


def grid():
    ys, xs = np.mgrid[0:T, 0:T]
    return xs, ys


def planks(seed=1):
    xs, ys = grid()
    amt = 0.10 * noise(seed, 1) + 0.08 * np.sin(xs * 2 * np.pi / 44 * 3 + ys)
    row = ys // 11
    amt += np.where(row % 2 == 0, 0.04, -0.04)
    img = shade((150, 100, 62), amt)
    seam = (ys % 11 == 10)
    joint = ((xs + (row % 2) * 22) % 44 == 0)
    img[seam | joint] = (92, 58, 40)
    img[(ys % 11 == 0) & ~joint] = (170, 120, 78)
    return img


def flagstones(seed=2):
    xs, ys = grid()
    img = shade((118, 122, 130), 0.10 * noise(seed, 2) + 0.05 * noise(seed + 9, 0))
    quad = (xs // 22) + 2 * (ys // 22)
    for q, t in enumerate((0.05, -0.03, -0.05, 0.03)):
        m = quad == q
        img[m] = np.clip(img[m].astype(int) * (1 + t), 24, 255).astype(np.uint8)
    mortar = (xs % 22 == 21) | (ys % 22 == 21)
    img[mortar] = (80, 82, 92)
    img[((xs % 22 == 0) | (ys % 22 == 0)) & ~mortar] = (140, 144, 152)
    return img


def checker(seed=3):
    xs, ys = grid()
    light = ((xs // 11) + (ys // 11)) % 2 == 0
    img = np.where(light[..., None], shade((196, 176, 136), 0.04 * noise(seed)),
                   shade((168, 146, 108), 0.04 * noise(seed + 1)))
    return img.astype(np.uint8)


def grass(seed=4):
    xs, ys = grid()
    img = shade((78, 138, 62), 0.14 * noise(seed, 1) + 0.06 * noise(seed + 3, 3))
    rng = np.random.RandomState(seed)
    for _ in range(22):
        x, y = rng.randint(0, T, 2)
        img[y % T, x % T] = (120, 180, 84)
        img[(y + 1) % T, x % T] = (58, 108, 50)
    return img


def bricks(seed=5):
    xs, ys = grid()
    img = shade((150, 78, 62), 0.08 * noise(seed, 1))
    row = ys // 11
    mortar = (ys % 11 == 10) | (((xs + (row % 2) * 11) % 22) == 21)
    img[mortar] = (110, 98, 92)
    img[(ys % 11 == 0) & ~mortar] = (170, 98, 80)
    return img


def carpet(seed=6):
    xs, ys = grid()
    img = shade((126, 40, 58), 0.05 * noise(seed, 0))
    d = np.abs(((xs + 11) % 22) - 11) + np.abs(((ys + 11) % 22) - 11)
    img[d == 9] = (176, 120, 60)
    img[d == 3] = (156, 70, 84)
    img[(d == 0)] = (190, 140, 70)
    return img


def tread_plate(seed=7):
    xs, ys = grid()
    img = shade((104, 118, 124), 0.05 * noise(seed, 3))
    u = (xs % 11, ys % 11)
    lug_a = (np.abs(u[0] - u[1]) <= 1) & (u[0] >= 2) & (u[0] <= 5)
    lug_b = (np.abs(u[0] + u[1] - 15) <= 1) & (u[0] >= 6) & (u[0] <= 9)
    img[lug_a | lug_b] = (132, 146, 152)
    img[np.roll(lug_a | lug_b, 1, 0) & ~(lug_a | lug_b)] = (84, 96, 104)
    return img


def sand(seed=8):
    xs, ys = grid()
    ripple = 0.07 * np.sin(2 * np.pi * (ys * 3 + 2 * np.sin(2 * np.pi * xs / 44)) / 44 * 2)
    img = shade((196, 166, 108), ripple + 0.07 * noise(seed, 0))
    return img


def ice_tiles(seed=9):
    xs, ys = grid()
    img = shade((96, 150, 196), 0.06 * noise(seed, 2))
    seam = (xs % 22 == 21) | (ys % 22 == 21)
    img[seam] = (70, 108, 150)
    glint = ((xs % 22) + (ys % 22) == 8) & (xs % 22 < 8)
    img[glint & ~seam] = (150, 196, 230)
    return img


def starry(seed=10):
    xs, ys = grid()
    img = shade((72, 56, 110), 0.10 * noise(seed, 3))
    rng = np.random.RandomState(seed)
    for _ in range(7):
        x, y = rng.randint(0, T, 2)
        img[y, x] = (200, 190, 240)
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            img[(y + dy) % T, (x + dx) % T] = (128, 110, 180)
    return img


TEXTURES = [planks, flagstones, checker, grass, bricks, carpet, tread_plate,
            sand, ice_tiles, starry]


def make_sheet():
    sheet = Canvas(440, 44)
    for t, fn in enumerate(TEXTURES):
        sheet.rgb[:, 44 * t:44 * t + 44] = fn()
    return sheet
