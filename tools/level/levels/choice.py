"""choice: a net loose along a whole side, and only one tack.

Level net's slide, net and basket, but the net is pinned at two
corners only, both on the side away from the camera (-z), and the player holds
a single tack. Left alone, the net drops the ball at once. Tacked near either
loose corner, it twists and pours the ball out sideways; tacked out from the
middle of its loose side, a little towards the slide's end, it catches the
ball and tips it over its far edge into the basket. One tack, so the player
has to choose the spot.
"""
from levelkit import Level, SPACING, cross_sections, trough_end, trough_walls

NAME = "choice"
HINT = "One tack for a whole loose side: choose the spot."

# The slide (levelkit's troughs); the first point lies just behind the ball's
# drop point, the last is the end in mid-air.
SLIDE = [
    (-3.6, -3.0, 4.05, 0.6, 0.8),
    (-1.0, -3.0, 3.85, 0.6, 0.8),
    (-0.5, -3.8, 3.75, 0.55, 0.6),
    (-0.6, -5.9, 3.57, 0.55, 0.6),
    (-1.2, -6.5, 3.48, 0.55, 0.6),
    (-2.4, -6.5, 3.40, 0.55, 0.6),
]
LIP = 0.35
# The net: rows along x from its far edge, columns along z; pinned at three
# corners, the fourth (last row, last column: nearest the camera) loose.
NET_ROWS, NET_COLS = 16, 16
NET_CENTRE = (-3.4, 2.6, -6.5)
# The basket: a short closed trough along z below the net's far edge.
BASKET = [
    (-5.3, -8.0, 0.9, 0.75, 0.75),
    (-5.3, -5.0, 0.6, 0.75, 0.75),
]
BUBBLE_RADIUS = 0.47
BUBBLE_LIFT = 0.7


def build():
    level = Level(NAME, HINT, "assets/levels/" + NAME)
    half_x, half_z = (NET_ROWS - 1) * SPACING / 2, (NET_COLS - 1) * SPACING / 2
    corner = (NET_CENTRE[0] - half_x, NET_CENTRE[1], NET_CENTRE[2] - half_z)
    level.grid(corner, NET_ROWS, NET_COLS, [(0, 0), (NET_ROWS - 1, 0), (0, 0), (NET_ROWS - 1, 0)])
    mesh = level.mesh
    for course in (SLIDE, BASKET):
        sections = cross_sections(course, LIP)
        trough_walls(mesh, sections)
        trough_end(mesh, sections, 0, 1)
    trough_end(mesh, cross_sections(BASKET, LIP), -1, -2)
    (x, z0, y0, _, _), (_, z1, y1, _, _) = BASKET
    level.checkpoints = [(x, y0 + (y1 - y0) * f + BUBBLE_LIFT, z0 + (z1 - z0) * f, BUBBLE_RADIUS) for f in (0.3, 0.7)]
    level.use_tacks(1)
    return level
