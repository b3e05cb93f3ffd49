"""Picture1: the player character, every animation.

The figure is drawn from a pose: where the feet, hands, body and head are,
which way it faces and which face it pulls. Each animation is a list of
poses. Cells are 89 x 80; the board cell the figure stands on spans
x 32-55 and y 44-67 of the cell, so the figure is centred on x 43.5 and its
soles touch y 67.

The figure is short and round: standing, walking and pushing it reaches no
higher than y 34, 10 px into the row above, so a box standing there stays
in sight. Only the cheer's raised arms and jumps go higher.
"""

import math

import numpy as np

from canvas import Canvas
import palette as P

CELL_W, CELL_H = 89, 80
CX = 43.5           # middle of the board cell inside the sprite cell
GROUND = 67         # last row of the board cell: where the soles are
TOP = 34            # highest row of the figure outside the cheer
LEG = 7             # from the soles to the hips
BODY_H = 11         # shirt and overall bib
NECK = 7            # head centre above the top of the body
HEAD_RX, HEAD_RY = 10, 8.5
HAND_Y = GROUND - 9   # hands hanging at rest
FIG_W = 88          # even width, so a mirrored figure keeps its centre

DOWN, LEFT, RIGHT, UP = 0, 1, 2, 3


def pose(facing, **kw):
    p = dict(facing=facing, lift=0, bob=0, lean=(0, 0), feet=((0, 0), (0, 0)),
             hands=None, face="smile", shadow=True, crouch=0)
    p.update(kw)
    return p


# ---- parts -------------------------------------------------------------

def _shoe(c, x, y, wide=3.5):
    c.paint(c.ellipse(x, y, wide, 2.5), P.SHOE, light=P.lighter(P.SHOE, 0.3),
            shade=P.SHOE_SHADE, rim=1)


def _leg(c, x_top, y_top, x_foot, y_foot, far=False):
    m = c.line([(x_top, y_top), (x_foot, y_foot - 2)], 5)
    c.paint(m, P.OVERALL if not far else P.OVERALL_SHADE,
            shade=P.OVERALL_SHADE if not far else P.darker(P.OVERALL_SHADE, 0.2),
            rim=1)


def _arm(c, shoulder, hand, far=False):
    """A bare arm with a short sleeve at the shoulder and a round hand."""
    skin = P.SKIN if not far else P.SKIN_SHADE
    c.paint(c.line([shoulder, hand], 3), skin)
    sx, sy = shoulder
    hx, hy = hand
    n = max(1.0, ((hx - sx) ** 2 + (hy - sy) ** 2) ** 0.5)
    cx, cy = sx + (hx - sx) / n * 2, sy + (hy - sy) / n * 2
    c.paint(c.ellipse(cx, cy, 3, 3), P.SHIRT if not far else P.SHIRT_SHADE,
            shade=P.SHIRT_SHADE, rim=1)
    c.paint(c.ellipse(hx, hy, 2.5, 2.5), skin)


def _body_front(c, x, y, back=False):
    b = BODY_H
    shirt = c.rounded(x - 8.5, y, x + 8.5, y + b, 4)
    c.paint(shirt, P.SHIRT, light=P.lighter(P.SHIRT, 0.4), shade=P.SHIRT_SHADE)
    bib = c.rounded(x - 6.5, y + 4, x + 6.5, y + b, 2) & shirt
    c.paint(bib, P.OVERALL, light=P.OVERALL_LIGHT, shade=P.OVERALL_SHADE,
            rim=1)
    if back:
        c.fill(c.line([(x - 6, y + 1), (x + 5, y + 6)], 2)
               | c.line([(x + 5, y + 1), (x - 6, y + 6)], 2), P.OVERALL)
    else:
        c.fill(c.rect(x - 6, y + 1, x - 5, y + 4) | c.rect(x + 5, y + 1, x + 6, y + 4),
               P.OVERALL)
        c.fill(c.rect(x - 5, y + 5, x - 4, y + 6) | c.rect(x + 4, y + 5, x + 5, y + 6),
               (255, 220, 90))                             # buttons
        c.fill(c.rect(x - 2, y + 7, x + 2, y + 8), P.OVERALL_SHADE)  # pocket
    c.fill(c.rect(x - 8, y + b, x + 8, y + b) & shirt, P.OUTLINE)


def _body_side(c, x, y, facing):
    s = 1 if facing == RIGHT else -1
    shirt = c.rounded(x - 6.5, y, x + 6.5, y + BODY_H, 4)
    c.paint(shirt, P.SHIRT, light=P.lighter(P.SHIRT, 0.4), shade=P.SHIRT_SHADE)
    bib = c.rounded(x - 6.5, y + 4, x + 6.5, y + BODY_H, 2) & shirt
    c.paint(bib, P.OVERALL, light=P.OVERALL_LIGHT, shade=P.OVERALL_SHADE, rim=1)
    c.fill(c.rect(x + s * 3 - 1, y + 1, x + s * 3, y + 4), P.OVERALL)


def _head(c, x, y, facing, face):
    """Head centred on (x, y): face, hair and the red cap."""
    head = c.ellipse(x, y, HEAD_RX, HEAD_RY)
    c.paint(head, P.SKIN, light=P.lighter(P.SKIN, 0.4), shade=P.SKIN_SHADE)
    dome = c.ellipse(x, y - 2, HEAD_RX + 1, 6.5) & c.rect(0, 0, 200, y - 2)
    if facing == UP:
        hair = c.ellipse(x, y + 1, HEAD_RX, HEAD_RY) & c.rect(0, y - 3, 200, y + 7)
        c.paint(hair, P.HAIR, light=P.lighter(P.HAIR, 0.25), shade=P.HAIR_SHADE)
        c.paint(dome, P.CAP, light=P.CAP_LIGHT, shade=P.CAP_SHADE)
        c.fill(c.rect(x - 3, y - 4, x + 2, y - 3), P.CAP_SHADE)    # strap
        return
    if facing == DOWN:
        fringe = c.ellipse(x, y - 1, HEAD_RX, 4) & c.rect(0, y - 3, 200, y - 1)
        c.paint(fringe, P.HAIR, shade=P.HAIR_SHADE, rim=1)
        c.paint(dome, P.CAP, light=P.CAP_LIGHT, shade=P.CAP_SHADE)
        brim = c.ellipse(x, y - 2, HEAD_RX - 0.5, 2.5) & c.rect(0, y - 2, 200, 200)
        c.paint(brim, P.CAP_SHADE, light=P.CAP, rim=1)
        c.fill(c.rect(x - 1, y - 7, x + 1, y - 5), P.BADGE)         # badge
        _face_front(c, x, y, face)
        return
    s = 1 if facing == RIGHT else -1
    back_hair = c.ellipse(x - s * 7, y + 1, 5, 7) & head
    c.paint(back_hair, P.HAIR, shade=P.HAIR_SHADE, rim=1)
    c.paint(dome, P.CAP, light=P.CAP_LIGHT, shade=P.CAP_SHADE)
    brim = c.ellipse(x + s * 9, y - 2, 6.5, 2)
    c.paint(brim, P.CAP_SHADE, light=P.CAP, rim=1)
    ear = c.ellipse(x - s * 1.5, y + 2, 1.5, 2)
    c.paint(ear, P.SKIN, shade=P.SKIN_SHADE, rim=1)
    _face_side(c, x, y, s, face)


def _eyes(c, pts, face):
    for ex, ey in pts:
        if face in ("dizzy",):
            c.fill(c.line([(ex - 1, ey - 1), (ex + 1, ey + 1)], 1)
                   | c.line([(ex - 1, ey + 1), (ex + 1, ey - 1)], 1), P.EYE)
        elif face in ("grin", "shut"):
            c.fill(c.line([(ex - 1, ey + 1), (ex, ey - 1), (ex + 1, ey + 1)], 1),
                   P.EYE)
        else:
            c.fill(c.rect(ex - 1, ey - 1, ex, ey + 1), P.EYE)
            c.fill(c.rect(ex - 1, ey - 1, ex - 1, ey - 1), (255, 255, 255))


def _face_front(c, x, y, face):
    _eyes(c, [(x - 3.5, y + 1), (x + 4.5, y + 1)], face)
    c.fill(c.rect(x - 8, y + 3, x - 6, y + 4) | c.rect(x + 6, y + 3, x + 8, y + 4),
           P.CHEEK)
    if face in ("open", "grin"):
        c.paint(c.ellipse(x, y + 5, 2.5, 2), P.MOUTH, outline=P.OUTLINE)
    elif face in ("sad", "dizzy"):
        c.fill(c.line([(x - 2, y + 6), (x, y + 5), (x + 2, y + 6)], 1), P.OUTLINE)
    else:
        c.fill(c.line([(x - 2, y + 4), (x, y + 5), (x + 2, y + 4)], 1), P.OUTLINE)


def _face_side(c, x, y, s, face):
    _eyes(c, [(x + s * 5 + (0 if s > 0 else 1), y + 1)], face)
    c.fill(c.rect(x + s * 3, y + 3, x + s * 4, y + 4), P.CHEEK)
    mx = x + s * 8
    if face in ("open", "grin"):
        c.fill(c.rect(min(mx, mx - s * 2), y + 4, max(mx, mx - s * 2), y + 5),
               P.MOUTH)
    else:
        c.fill(c.rect(min(mx, mx - s), y + 5, max(mx, mx - s), y + 5), P.OUTLINE)


# ---- the figure ---------------------------------------------------------

def draw_figure(p):
    c = Canvas(FIG_W, CELL_H)
    f = p["facing"]
    if f == LEFT:
        m = draw_figure(dict(_mirror(p), facing=RIGHT))
        m.rgb = m.rgb[:, ::-1].copy()
        return m

    lift, bob, crouch = p["lift"], p["bob"], p["crouch"]
    lx, ly = p["lean"]
    ground = GROUND - lift
    hip_y = ground - LEG + crouch
    body_y = hip_y - BODY_H + 1 + bob + ly
    body_x = CX + lx * 0.6
    head_x, head_y = CX + lx, body_y - NECK + ly * 0.5

    if p["shadow"]:
        w = 9 - min(4, lift // 2)
        c.paint(c.ellipse(CX, GROUND - 1.5, w, 2), P.SHADOW, outline=None)

    feet = p["feet"]
    if f in (DOWN, UP):
        shoulders = ((body_x - 7.5, body_y + 3), (body_x + 7.5, body_y + 3))
        hands = p["hands"] or ((body_x - 10, body_y + 9), (body_x + 10, body_y + 9))
        for i, sx in enumerate((-3.5, 3.5)):
            fx = CX + sx + feet[i][0]
            fy = ground - feet[i][1]
            _leg(c, CX + sx, hip_y, fx, fy)
            _shoe(c, fx, fy - 2)
        _body_front(c, body_x, body_y, back=(f == UP))
        if f == UP:
            for sh, hd in zip(shoulders, hands):
                _arm(c, sh, hd)
            _head(c, head_x, head_y, f, p["face"])
        else:
            _head(c, head_x, head_y, f, p["face"])
            for sh, hd in zip(shoulders, hands):
                _arm(c, sh, hd)
        return c

    # Side view (facing right): far arm and leg first, darker.
    hands = p["hands"] or ((body_x - 2, body_y + 9), (body_x + 2, body_y + 9))
    shoulder = (body_x, body_y + 3)
    _arm(c, (shoulder[0] + 1, shoulder[1] - 1), hands[0], far=True)
    for i in (0, 1):
        fx = CX + feet[i][0]
        fy = ground - feet[i][1]
        _leg(c, CX + (i - 0.5), hip_y, fx, fy, far=(i == 0))
        _shoe(c, fx + 1.5, fy - 2, wide=4)
    _body_side(c, body_x, body_y, RIGHT)
    _head(c, head_x, head_y, RIGHT, p["face"])
    _arm(c, shoulder, hands[1])
    return c


# ---- animations ------------------------------------------------------------

def walk_pose(d, f):
    """Frame f (0-9) of the walk towards direction d."""
    a = 2 * math.pi * f / 10
    s, co = math.sin(a), math.cos(a)
    bob = 1 if abs(s) > 0.8 else 0          # lowest at the full stride
    if d in (DOWN, UP):
        feet = ((0, round(max(0, s) * 3)), (0, round(max(0, -s) * 3)))
        swing = round(s * 4) * (1 if d == DOWN else -1)
        hands = ((CX - 10, HAND_Y + swing), (CX + 10, HAND_Y - swing))
        return pose(d, bob=bob, feet=feet, hands=hands)
    stride = round(s * 6)
    lift_front = round(max(0, co) * 2 * (1 - abs(s)))
    lift_back = round(max(0, -co) * 2 * (1 - abs(s)))
    feet = ((-stride, lift_back), (stride, lift_front))
    hands = ((CX + 5 * s, HAND_Y - 1), (CX - 6 * s, HAND_Y))
    p = pose(RIGHT, bob=bob, feet=feet, hands=hands)
    return _mirror(p) if d == LEFT else p


def _mirror(p):
    """A right-facing pose turned to face left (draw_figure mirrors it back)."""
    q = dict(p, facing=LEFT)
    q["lean"] = (-p["lean"][0], p["lean"][1])
    q["feet"] = tuple((-dx, dy) for dx, dy in p["feet"])
    if p["hands"] is not None:
        q["hands"] = tuple((FIG_W - 1 - x, y) for x, y in p["hands"])
    return q


PUSH_LEAN = [0, 1, 2, 3, 3, 3, 2]
PUSH_REACH = [0.3, 0.7, 1, 1, 1, 1, 1]
PUSH_STEP = [0, 0, 1, 3, 4, 2, 1]


def push_pose(d, f):
    """Frame f (0-6) of pushing towards direction d: lean in, arms out."""
    lean, reach, step = PUSH_LEAN[f], PUSH_REACH[f], PUSH_STEP[f]
    if d == DOWN:
        # Leaning over the box below: hands reach down onto its far side.
        hy = HAND_Y + reach * 4 + lean * 0.5
        hands = ((CX - 10 + reach * 5, hy), (CX + 10 - reach * 5, hy))
        return pose(DOWN, lean=(0, lean), hands=hands, face="grin",
                    feet=((0, step // 2), (0, 0)))
    if d == UP:
        # Seen from behind: elbows out, hands up against the box ahead, knees
        # bent to shove (leaning in would lift the head into the row above).
        hy = HAND_Y - reach * (HAND_Y - TOP - 3) + (3 - lean) * 0.5
        hands = ((CX - 10 + reach, hy), (CX + 10 - reach, hy))
        return pose(UP, crouch=lean // 2, hands=hands,
                    feet=((0, 0), (0, step // 2)))
    hx = CX + 6 + reach * 6 + lean
    hands = ((hx, HAND_Y - 3), (hx + 1, HAND_Y - 2))
    feet = ((-3 - step, 0), (3, 0))
    p = pose(RIGHT, lean=(lean + 1, 0), hands=hands, feet=feet, face="grin")
    return _mirror(p) if d == LEFT else p


CHEER_LIFT = [0, 0, 4, 8, 9, 6, 0, 0, 3, 5, 2, 0]
CHEER_CROUCH = [2, 3, 0, 0, 0, 0, 3, 1, 0, 0, 0, 0]


def cheer_pose(f):
    """Frame f (0-11): arms up, two little jumps, then holding the pose."""
    up = f >= 1
    lift, crouch = CHEER_LIFT[f], CHEER_CROUCH[f]
    by = GROUND - LEG - BODY_H + 1 - lift + crouch    # top of the body
    if up:
        wave = 1 if f % 2 else 0
        hands = ((CX - 13, by - 13 - wave), (CX + 13, by - 13 - (1 - wave)))
    else:
        hands = ((CX - 11, by + 5), (CX + 11, by + 5))
    feet = ((0, 2), (0, 2)) if lift > 5 else ((0, 0), (0, 0))
    return pose(DOWN, lift=lift, crouch=crouch, hands=hands, feet=feet,
                face="grin" if f >= 2 else "open")


def collapse_frame(f):
    """Frame f (0-5) of giving up: slump, sag to the knees, fall over."""
    def shoulder(crouch, bob):
        return GROUND - LEG - BODY_H + 4 + crouch + bob

    if f == 0:
        y = shoulder(0, 1) + 2
        return draw_figure(pose(DOWN, face="sad", bob=1,
                                hands=((CX - 9, y), (CX + 9, y))))
    if f == 1:
        y = shoulder(3, 1)
        return draw_figure(pose(DOWN, face="sad", crouch=3, bob=1,
                                hands=((CX - 8, y), (CX + 8, y))))
    if f == 2:
        y = shoulder(5, 2) + 1
        return draw_figure(pose(DOWN, face="dizzy", crouch=5, bob=2,
                                hands=((CX - 10, y), (CX + 10, y))))
    crouch = 5 if f == 3 else 4
    y = shoulder(crouch, 0) - 8
    fig = draw_figure(pose(DOWN, face="dizzy", crouch=crouch, shadow=False,
                           hands=((CX - 12, y), (CX + 12, y))))
    angle = {3: 35, 4: 70, 5: 90}[f]
    return _topple(fig, angle)


def _topple(fig, angle):
    """Tip the figure over sideways around its feet, nearest-pixel."""
    from PIL import Image
    img = fig.image()
    rot = img.rotate(angle, resample=Image.NEAREST, center=(CX, GROUND - 2))
    out = Canvas(FIG_W, CELL_H)
    out.paint(out.ellipse(CX - angle / 9, GROUND - 1.5, 12, 2), P.SHADOW,
              outline=None)
    arr = np.asarray(rot).copy()
    # Lying on the floor: keep the soles on the ground line.
    rows = np.nonzero(arr.any(axis=(1, 2)))[0]
    drop = GROUND - rows.max() if len(rows) else 0
    arr = np.roll(arr, drop, axis=0)
    out.blit(arr, 0, 0)
    return out


def make_sheet():
    sheet = Canvas(640, 1280)

    def put(fig, col, row):
        sheet.blit(fig, 89 * col, 80 * row)

    for d in range(4):
        for f in range(10):
            put(draw_figure(walk_pose(d, f)), f % 5, 2 * d + f // 5)
        for f in range(7):
            put(draw_figure(push_pose(d, f)), f, 8 + d)
        put(draw_figure(pose(d)), d, 15)
    for f in range(6):
        put(collapse_frame(f), f, 12)
    for f in range(12):
        put(draw_figure(cheer_pose(f)), f % 6, 13 + f // 6)
    return sheet
