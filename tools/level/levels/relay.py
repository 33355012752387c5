"""relay: two cloths, the ball handed from the first to the second.

The ball drops into a small hammock whose free flap hangs on the left of the
start view. Below the flap, lower down, hangs a second hammock of the same
shape, and beyond its flap the channel with the bubbles. Pull the first cloth
towards its flap and the ball rolls out and drops into the second; a board
beyond the second cloth's pinned edge stops a ball thrown too hard and drops
it in. Then pull the second cloth the same way: the ball rolls out under the
board, down its flap into the channel, which turns and runs past the bubbles.
"""
from levelkit import BALL_START, Level, SPACING
from levels import hammock

NAME = "relay"
HINT = "Pull the ball left into the lower cloth, then left again."

# Both cloths: SIZE x SIZE spheres, rows along x; the hammock is rows 0 to
# PIN_ROW, pinned at its four corners, and the rows after it are the flap.
SIZE, PIN_ROW = 19, 12
# The first cloth centres its hammock under the ball; the second lies this
# much lower, its first row at SECOND_X, under the first one's flap.
DROP = 1.8
SECOND_X = -1.89
# The board: GAP beyond the second cloth's pinned row, from CLEAR above that
# cloth up to BOARD_TOP.
GAP, CLEAR, BOARD_TOP = 0.3, 0.7, 6.5
# The first level's course, moved on under the second cloth's flap, with a
# narrower catching stretch and no board of its own.
COURSE_SHIFT = (1.4, -1.8)
COURSE_WIDTH = 1.9


def hammock_grid(level, corner, size=SIZE, pin_row=PIN_ROW):
    """A size x size cloth pinned at the corners of its rows 0 and pin_row;
    the rows after pin_row are its flap."""
    level.grid(corner, size, size, [(0, 0), (0, size - 1), (pin_row, 0), (pin_row, size - 1)])


def under_the_ball(size=SIZE, pin_row=PIN_ROW):
    """The corner of a hammock_grid whose hammock is centred under the ball's drop point."""
    return (BALL_START[0] - pin_row / 2 * SPACING, hammock.CLOTH_Y, BALL_START[2] - (size - 1) / 2 * SPACING)


def build():
    level = Level(NAME, HINT, "assets/levels/" + NAME)
    x0, y, z0 = under_the_ball()
    hammock_grid(level, (x0, y, z0))
    hammock_grid(level, (SECOND_X, y - DROP, z0))
    board_x = SECOND_X + PIN_ROW * SPACING + GAP
    z1 = z0 + (SIZE - 1) * SPACING
    low = y - DROP + CLEAR
    level.mesh.slab(((board_x, low, z0 - 0.3), (board_x, low, z1 + 0.3), (board_x, BOARD_TOP, z1 + 0.3),
                     (board_x, BOARD_TOP, z0 - 0.3)), (board_x - 1.0, low, BALL_START[2]))
    dx, dy = COURSE_SHIFT
    course = [(x + dx, z, h + dy, min(w, COURSE_WIDTH), rim) for x, z, h, w, rim in hammock.COURSE]
    hammock.add_course(level, course, None)
    z = course[-1][1]
    level.checkpoints = [(x + dx, hammock.trough_bottom(course, x + dx) + hammock.CHECKPOINT_LIFT, z,
                          hammock.CHECKPOINT_RADIUS) for x in hammock.CHECKPOINT_XS]
    level.quarter_turn((BALL_START[0], BALL_START[2]))
    level.use_tacks(3)
    return level
