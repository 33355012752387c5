"""chute: tack a hanging cloth strip into a chute down to the box, then tip the ball.

The ball drops into a small hammock at the head of a short wooden chute that
runs left across the start view and ends in a shelf: a flat floor tilted
towards the camera, walled at the back and the end, open at the front, under
a grating. Pinned along its top edge just under the shelf's open edge, a
narrow cloth strip hangs face-on to the camera; below it and nearer
the camera stands a box under a grating, with the bubble at its far end.
Nothing moves until the player tips the ball out of the hammock (grab the
cloth under the ball and pull it along the chute). Left hanging, the strip
lets the ball drop past the box. Pulled down the screen into the box and
tacked there, it makes a chute of cloth from the shelf into the box; then a
tip sends the ball along the wood onto the shelf, over its edge onto the
strip and down into the box.

A board stands along the chute's far side, so that a tip too hard drops the
ball back instead of throwing it away, and a roof of bars over the chute's
last stretch drops a ball that the hammock, pulled along the chute, carries up
with it. The shelf slows every ball: one thrown along the chute meets the end
wall and leaves over the open edge at a walk, too slowly to reach the box by
itself, and the grating over the shelf keeps thrown balls from flying out over
the edge. The box's grating keeps out balls lobbed from above, and reaches
back to the shelf over the gap, sloping down with the strip's way in.
"""
from levelkit import (BALL_START, SPACING, Level, bars, board, cross_sections, trough_bottom, trough_end,
                      trough_walls)
from levels import relay

NAME = "chute"
HINT = "Pull the strip's end down into the box, tack, tip the ball."

# The hammock: relay's, smaller; the rows after HAMMOCK_PIN are a flap over
# the chute's head. With a flap one row shorter, a hard yank along the chute
# left the cloth folded over itself.
HAMMOCK_SIZE, HAMMOCK_PIN = 12, 7
HAMMOCK_CORNER = relay.under_the_ball(HAMMOCK_SIZE, HAMMOCK_PIN)

# The course before its quarter turn, along +x from the hammock: the chute's
# wood runs from behind the hammock (HEAD_Y) down to the shelf (SHELF_Y),
# which spans the last SHELF_LENGTH before END_X, 1.6 beyond the hammock's
# pinned row.
END_X = HAMMOCK_CORNER[0] + HAMMOCK_PIN * SPACING + 1.6
HEAD_Y, SHELF_Y = 4.25, 3.6
SHELF_LENGTH = 0.4
# A board along the chute's far side up to this height: a tip too hard throws
# the ball up over that side, and the board drops it back into the chute or
# the hammock (of a grid of 56 tips after the recorded tack, 3 balls were
# lost instead of 8).
BOARD_TOP = 6.4
# A roof of bars over the chute's last ROOF_LENGTH before the shelf, ROOF_CLEAR
# above its floor (and ROOF_HALF_WIDTH to either side of its middle line): a
# ball rolling down the chute passes under it, but one carried up by the
# stretched hammock meets it and drops back. Without it, the camera turned
# along the chute and the hammock pulled slowly along it lifted the ball onto
# the shelf fast enough to leave it into the box, a finish without the tack.
ROOF_LENGTH, ROOF_CLEAR, ROOF_HALF_WIDTH = 0.52, 0.55, 0.62
# Shelf: its floor rises this much to the back wall, so that a ball on it
# rolls off the open edge slowly; walls and grating heights above its floor.
SHELF_TILT, SHELF_WALL, SHELF_GRATING = 0.08, 0.8, 0.6
HALF_WIDTH = 0.55  # the chute's and the box's half width

# The box: its mouth GAP beyond the chute's middle line (towards the camera
# after the turn), DROP below the shelf, BOX_LENGTH long. Its grating starts
# above the shelf's open edge, GRATING_START above the shelf, and slopes down
# to GRATING_END above the box's floor at its closed end.
GAP, DROP, BOX_LENGTH = 1.2, 1.0, 1.3
GRATING_START, GRATING_END = 0.45, 0.8
# The bubble: at the box's closed end, low enough that a ball on the grating
# cannot touch it.
BUBBLE_FROM_END, BUBBLE_LIFT, BUBBLE_RADIUS = 0.45, 0.45, 0.28

# The strip: STRIP_ROWS spheres wide (a little wider than the shelf's open
# edge, so a ball leaving it anywhere lands on the strip), long enough to
# reach past the box's mouth by STRIP_SPARE.
STRIP_ROWS, STRIP_SPARE = 9, 0.8


def build():
    level = Level(NAME, HINT, "assets/levels/" + NAME)
    relay.hammock_grid(level, HAMMOCK_CORNER, HAMMOCK_SIZE, HAMMOCK_PIN)
    mesh = level.mesh
    z = BALL_START[2]
    chute(mesh, z)
    shelf(mesh, z)
    middle_x = END_X - SHELF_LENGTH / 2
    box_y, mouth_z = SHELF_Y - DROP, z - GAP
    box(mesh, middle_x, mouth_z, box_y)
    level.checkpoints = [(middle_x, box_y + BUBBLE_LIFT, mouth_z - BOX_LENGTH + BUBBLE_FROM_END, BUBBLE_RADIUS)]
    strip(level, middle_x, z)
    level.use_tacks(1)
    level.quarter_turn((BALL_START[0], BALL_START[2]), 1)
    return level


def chute(mesh, z):
    """The wooden chute from behind the hammock down to the shelf, closed at
    its head, with the board along its far side and the roof over its end."""
    head_x = HAMMOCK_CORNER[0] - 0.15
    course = [(head_x, z, HEAD_Y, 0.6, 0.8), (END_X - SHELF_LENGTH, z, SHELF_Y, HALF_WIDTH, 0.6)]
    sections = cross_sections(course, 0.35)
    trough_walls(mesh, sections)
    trough_end(mesh, sections, 0, 1)
    board(mesh, sections, BOARD_TOP)
    roof(mesh, course)


def roof(mesh, course):
    """The bars over the chute's last stretch, parallel to its floor."""
    end_x, z = course[-1][:2]
    start_x = end_x - ROOF_LENGTH
    start_y, end_y = trough_bottom(course, start_x), trough_bottom(course, end_x)
    bars(mesh, (start_x, start_y + ROOF_CLEAR, z - ROOF_HALF_WIDTH), (ROOF_LENGTH, end_y - start_y, 0),
         (0, 0, 2 * ROOF_HALF_WIDTH), ((start_x + end_x) / 2, (start_y + end_y) / 2, z))


def shelf(mesh, z):
    """The chute's end: a floor open towards -z (the camera, after the turn),
    walls at +z and at the end, a grating above."""
    start_x, near_z, far_z = END_X - SHELF_LENGTH, z - HALF_WIDTH, z + HALF_WIDTH
    floor, tilt, wall = SHELF_Y, SHELF_Y + SHELF_TILT, SHELF_Y + SHELF_WALL
    inside = (END_X - SHELF_LENGTH / 2, SHELF_Y + 0.4, z)
    mesh.polygon(((start_x, floor, near_z), (END_X, floor, near_z), (END_X, tilt, far_z), (start_x, tilt, far_z)),
                 (END_X - SHELF_LENGTH / 2, SHELF_Y + 1.0, z))
    mesh.polygon(((start_x, tilt, far_z), (END_X, tilt, far_z), (END_X, wall, far_z), (start_x, wall, far_z)), inside)
    mesh.polygon(((END_X, floor, near_z), (END_X, tilt, far_z), (END_X, wall, far_z), (END_X, wall, near_z)), inside)
    bars(mesh, (start_x, SHELF_Y + SHELF_GRATING, near_z), (0, 0, 2 * HALF_WIDTH), (SHELF_LENGTH, 0, 0),
         (END_X - SHELF_LENGTH / 2, SHELF_Y + 0.1, z))


def box(mesh, x, mouth_z, y):
    """The closed box towards -z, solid (a ball can reach it from beside), and
    its grating from above the shelf's open edge. The side walls rise to the
    grating at the mouth, so that a ball coming in fast cannot leave over them."""
    start_z, start_y = BALL_START[2] - HALF_WIDTH, SHELF_Y + GRATING_START
    end_z, end_y = mouth_z - BOX_LENGTH, y + GRATING_END
    grating_at_mouth = start_y + (end_y - start_y) * (mouth_z - start_z) / (end_z - start_z)
    lip = 0.2
    course = [(x, mouth_z, y, HALF_WIDTH, grating_at_mouth - y - lip), (x, end_z, y - 0.05, HALF_WIDTH, GRATING_END - lip)]
    sections = cross_sections(course, lip)
    trough_walls(mesh, sections, solid=True)
    trough_end(mesh, sections, -1, -2, solid=True)
    bars(mesh, (x - HALF_WIDTH - 0.1, start_y, start_z), (2 * HALF_WIDTH + 0.2, 0, 0), (0, end_y - start_y, end_z - start_z),
         (x, y + 0.2, mouth_z - BOX_LENGTH / 2))


def strip(level, x, z):
    """The strip: rows across the shelf's edge, columns towards -z; its last
    column pinned at both ends and in the middle, a little below the shelf, so
    that a ball leaving the shelf drops onto a straight edge (pinned at its
    corners alone, the edge sags between them, and the recorded way finished
    50 of 100 perturbed replays instead of 98). It starts flat and falls to
    hang."""
    columns = int(round((GAP + STRIP_SPARE) / SPACING)) + 1
    pin_z = z - 0.05
    last = columns - 1
    level.grid((x - (STRIP_ROWS - 1) / 2 * SPACING, SHELF_Y - 0.1, pin_z - last * SPACING), STRIP_ROWS, columns,
               [(0, last), (STRIP_ROWS // 2, last), (STRIP_ROWS - 1, last), (0, last)])
