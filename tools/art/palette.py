"""Every colour of the art in one place. Change a value and regenerate.

Pure black (0, 0, 0) is the transparent colour, so nothing meant to be seen
may use it: the darkest colour is OUTLINE, which stays non-zero in the
16-bit display format.
"""

OUTLINE = (16, 12, 24)      # dark outline of every sprite
WHITE = (255, 255, 255)


def mix(a, b, t):
    """Blend colour a towards colour b by t (0..1)."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def lighter(c, t=0.35):
    return mix(c, (255, 255, 255), t)


def darker(c, t=0.35):
    return mix(c, (20, 14, 34), t)


# Box wrapping paper per column (kind - 1), colour set 0 and colour set 1.
# Chosen so that no two kinds of a set look alike to colour-blind players
# either: tools/art/colour_vision.py checks them (see assets/README.md).
BOX_COLORS = [
    # pair,          break,          vanish,          step
    [(50, 80, 248), (212, 40, 24), (116, 34, 170), (40, 160, 72),
     # slide,        copy,           solid,           bomb
     (112, 66, 44), (218, 168, 24), (236, 236, 240), (52, 50, 60)],
    [(40, 196, 232), (226, 60, 140), (176, 124, 250), (122, 190, 112),
     (214, 146, 34), (250, 222, 24), (226, 226, 232), (84, 86, 92)],
]

# Ribbon colour for each column (the same in both sets reads as "same kind").
# The solid box makes the walls of most stages, so its ribbon is a quiet grey
# blue that keeps a wall of them calm.
RIBBON = [(250, 236, 120), (255, 246, 220), (255, 214, 250), (255, 236, 120),
          (250, 214, 120), (214, 40, 40), (132, 146, 184), (240, 60, 60)]

# The mark on the front of each box, drawn over the paper.
MARK = (255, 255, 255)
MARK_DARK = (30, 24, 44)

# Editor markers: exact values the editor relies on.
MARKER_BLUE = (0, 0, 255)
MARKER_RED = (255, 0, 0)
MARKER_GREY = (128, 128, 128)
MARKER_EDGE = (255, 255, 255)

# The player character.
SKIN = (255, 206, 160)
SKIN_SHADE = (226, 150, 110)
HAIR = (120, 64, 30)
HAIR_SHADE = (80, 40, 22)
CAP = (228, 44, 52)
CAP_LIGHT = (255, 110, 110)
CAP_SHADE = (160, 24, 40)
SHIRT = (255, 214, 60)
SHIRT_SHADE = (214, 160, 30)
OVERALL = (48, 100, 220)
OVERALL_LIGHT = (100, 150, 250)
OVERALL_SHADE = (30, 60, 150)
SHOE = (110, 60, 36)
SHOE_SHADE = (70, 40, 26)
EYE = (34, 26, 50)
BADGE = (255, 214, 60)
CHEEK = (250, 150, 140)
MOUTH = (150, 40, 50)
SHADOW = (30, 26, 40)

# Exit glow: five brightness steps are blended from dim to bright.
GLOW_SETS = [
    {"dim": (20, 50, 150), "mid": (60, 140, 255), "hot": (210, 240, 255)},
    {"dim": (150, 24, 30), "mid": (255, 90, 60), "hot": (255, 236, 200)},
]

# Explosion.
FIRE = [(255, 252, 210), (255, 230, 90), (255, 160, 40), (230, 80, 30),
        (150, 40, 30)]
SMOKE = [(200, 196, 190), (150, 146, 146), (104, 100, 106), (70, 66, 76)]

# Lettering.
DIGIT_FILL_TOP = (255, 250, 170)
DIGIT_FILL_BOTTOM = (255, 170, 30)
LABEL_FILL_TOP = (200, 240, 255)
LABEL_FILL_BOTTOM = (70, 160, 250)
LOGO_LETTERS = [(255, 90, 90), (255, 190, 50), (90, 220, 110), (80, 170, 255),
                (220, 110, 240)]
BANNER_FILL_TOP = (255, 250, 200)
BANNER_FILL_BOTTOM = (255, 190, 60)
BANNER_RIBBON = (210, 40, 60)
