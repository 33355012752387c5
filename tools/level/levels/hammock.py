"""Level 1, hammock: pull the cloth towards you and the ball rolls out.

The course, as the start camera shows it: the ball drops into a hammock of
cloth pinned at four points, its two far corners and two points on its sides;
the near part of the cloth, towards the camera, is a free flap that hangs
over the edge. Below the flap lies a wide trough. Grab the cloth by the ball
or the flap and pull it towards you (down the screen): the hammock's near
side gives, the ball rolls over it and down the flap into the trough. The
trough narrows into a channel that turns to the right and runs away from the
camera past the four bubbles; a V-shaped channel brings the ball to its middle
line, so a ball in it cannot miss a bubble. The channel's far end is closed,
so a ball that has run the course stays there while the finish screen shows;
a ball that leaves the course anywhere falls away and the run starts again
within a few seconds.

Its files keep the places and the form the game has always read them in.
"""
from levelkit import (Level, SPACING, STIFFNESS, TACK_SLOTS, board, cross_sections,
                      trough_bottom, trough_end, trough_walls, upright)

NAME = "hammock"
HINT = "Grab under the ball, pull it quickly down the screen."

# Cloth: one grid; the ball drops at (-3, 7, -3). Rows run along x from
# CLOTH_X0; the hammock is rows 0 to PIN_ROW, centred under the drop point,
# and the rows after it are the flap.
CLOTH_X0, CLOTH_Z0 = -4.3, -5.0
ROWS, COLS = 29, 27
PIN_ROW = 18
CLOTH_Y = 5.0

# The course: the first stretch, under the flap, is wide enough to catch a
# ball that leaves the cloth anywhere on its near side; it runs down towards
# -z, narrows while it turns, and the channel runs down along -x to its
# closed end.
COURSE = [
    (-0.4, -0.3, 2.2, 1.9, 1.0),
    (-0.4, -5.0, 1.4, 1.9, 1.0),
    (-0.6, -6.6, 1.0, 1.1, 0.7),
    (-1.3, -7.8, 0.7, 0.7, 0.5),
    (-2.4, -8.4, 0.45, 0.55, 0.45),
    (-3.5, -8.5, 0.2, 0.55, 0.45),
    (-10.0, -8.5, -1.2, 0.55, 0.45),
]
LIP = 0.35
# Above the near side of the catching stretch stands a board up to this
# height: a ball flung towards the camera hits it and drops into the trough.
BOARD_TOP = 5.5
# The channel's low end is closed by a wall this much higher than its lips, so
# that a player sees where the course stops.
END_WALL = 0.6

# Checkpoints on the channel's middle line, in the order the ball meets them:
# x, and the radius; each sits CHECKPOINT_LIFT above the channel's bottom,
# clear of its walls and lips (a bubble cutting through them would show
# under the course), and still reaches a ball anywhere in the channel.
CHECKPOINT_XS = [-4.0, -5.6, -7.2, -8.8]
CHECKPOINT_RADIUS = 0.5
CHECKPOINT_LIFT = 0.7


def add_cloth(level):
    level.grid((CLOTH_X0, CLOTH_Y, CLOTH_Z0), ROWS, COLS,
               [(0, 0), (0, COLS - 1), (PIN_ROW, 0), (PIN_ROW, COLS - 1)], SPACING, STIFFNESS)


def add_course(level, course, board_top=BOARD_TOP, lip=LIP):
    """The trough along course with the board over its catching stretch (up
    to board_top; none if that is None), both ends closed and a wall at the
    low end. Returns the trough's cross sections."""
    mesh = level.mesh
    sections = cross_sections(course, lip)
    trough_walls(mesh, sections)
    if board_top is not None:
        board(mesh, sections, board_top)
    # Both ends are closed: a ball that lands at the high end runs down the
    # trough, and one that has passed the last bubble stops at the low end.
    trough_end(mesh, sections, 0, 1)
    trough_end(mesh, sections, -1, -2)
    lips = sections[-1][2]
    upright(mesh, lips[0], lips[1], lips[0][1] + END_WALL, sections[-2][0])
    return sections


def bubbles_along(course, distances, radius=CHECKPOINT_RADIUS):
    """Checkpoints on the last stretch's middle line, at these distances from its start."""
    (x0, z0, y0, _, _), (x1, z1, y1, _, _) = course[-2][:5], course[-1][:5]
    length = ((x1 - x0) ** 2 + (z1 - z0) ** 2) ** 0.5
    bubbles = []
    for d in distances:
        f = d / length
        bubbles.append((x0 + (x1 - x0) * f, y0 + (y1 - y0) * f + CHECKPOINT_LIFT, z0 + (z1 - z0) * f, radius))
    return bubbles


def build():
    level = Level(NAME, HINT, "assets/models")
    level.comment = "Quilt Rush level 1, made by tools/level/make_level.py"
    add_cloth(level)
    add_course(level, COURSE)
    z = COURSE[-1][1]
    level.checkpoints = [(x, trough_bottom(COURSE, x) + CHECKPOINT_LIFT, z, CHECKPOINT_RADIUS) for x in CHECKPOINT_XS]
    level.tacks = TACK_SLOTS[:3]
    return level
