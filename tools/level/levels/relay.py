"""relay: two cloths, the ball handed from the first to the second.

The second level's layout (the hammock turned so its flap hangs on the left
of the start view), but where its trough was stands a wooden funnel with a
second, small cloth at its bottom: a cup pinned at its four corners, its end
towards the start camera a free flap that hangs out through a gap in the
funnel over a channel. Pull the first cloth as on the second level and the
ball lands in the funnel and rolls into the cup; then pull the cup towards
the gap and the ball rolls over its lip and down its flap into the channel,
which runs on past the camera's feet and behind it with the bubbles. A wall
beside the channel keeps a ball thrown from the first cloth out of it, but
not every throw: a hard yank can still send the ball past the cup into the
channel.
"""
from levelkit import BALL_START, Level, add, cross_sections, trough_end, trough_walls
from levels import hammock

NAME = "relay"
HINT = "Two cloths: drop the ball in the cup, then tip it out."

# The cup: rows along x from its far side, columns along z; pinned at the four
# corners of its first CUP_ROWS rows, the rows after them are the flap.
CUP_CORNER = (-4.4, 1.6, 1.0)
CUP_ROWS, CUP_COLS, FLAP_ROWS = 12, 12, 7
# The funnel round the cup: its rim (x from, x to, z from, z to, height) and
# how far above the cup's pinned square its faces end.
RIM = (-5.8, -1.9, -0.2, 3.6, 3.1)
FUNNEL_GAP = 0.12
# On the cup's flap side the funnel stops at this height: the ball leaves
# through the gap below it.
GAP_TOP = 3.1
# The channel: from under the cup's flap on past the camera's feet.
COURSE = [
    (-2.4, 1.6, 0.9, 1.0, 0.8),
    (0.2, 1.6, 0.6, 0.9, 0.7),
    (1.4, 1.6, 0.4, 0.6, 0.5),
    (8.5, 1.6, -1.1, 0.55, 0.45),
]
# The wall between the first cloth and the channel.
GUARD = ((-2.2, -0.3), (1.2, -0.3), 0.0, 4.6)
BUBBLE_DISTANCES = [0.8, 2.4, 4.0, 5.6]


def build():
    level = Level(NAME, HINT, "assets/levels/" + NAME)
    hammock.add_cloth(level)
    level.quarter_turn((BALL_START[0], BALL_START[2]))
    spacing = 4.0 / 27.0
    rows = CUP_ROWS + FLAP_ROWS
    level.grid(CUP_CORNER, rows, CUP_COLS,
               [(0, 0), (0, CUP_COLS - 1), (CUP_ROWS - 1, 0), (CUP_ROWS - 1, CUP_COLS - 1)])
    mesh = level.mesh
    # The funnel: from its rim down to just above the cup's pinned square.
    cx0, cy, cz0 = CUP_CORNER
    cx1, cz1 = cx0 + (CUP_ROWS - 1) * spacing, cz0 + (CUP_COLS - 1) * spacing
    low = cy + FUNNEL_GAP
    x0, x1, z0, z1, top = RIM
    inner = [(cx0, low, cz0), (cx0, low, cz1), (cx1, low, cz1), (cx1, low, cz0)]
    outer = [(x0, top, z0), (x0, top, z1), (x1, top, z1), (x1, top, z0)]
    centre = ((cx0 + cx1) / 2, cy + 2.0, (cz0 + cz1) / 2)
    for k in range(4):
        a, b = inner[k], inner[(k + 1) % 4]
        c, d = outer[(k + 1) % 4], outer[k]
        if k == 2:  # the flap side: a wall from the rim down to GAP_TOP only
            mesh.slab((d, c, (c[0], GAP_TOP + 0.01, c[2]), (d[0], GAP_TOP + 0.01, d[2])), centre)
            continue
        mesh.quad(a, b, c, d, centre)
    (ga, gb, bottom, gtop) = GUARD
    mesh.slab(((ga[0], bottom, ga[1]), (gb[0], bottom, gb[1]), (gb[0], gtop, gb[1]), (ga[0], gtop, ga[1])),
              (ga[0], bottom, ga[1] + 1.0))
    sections = cross_sections(COURSE, hammock.LIP)
    trough_walls(mesh, sections)
    trough_end(mesh, sections, 0, 1)
    trough_end(mesh, sections, -1, -2)
    lips = sections[-1][2]
    tops = [add(lip, (0.0, hammock.END_WALL, 0.0)) for lip in lips]
    mesh.quad(lips[0], lips[1], tops[1], tops[0], sections[-2][0])
    level.checkpoints = hammock.bubbles_along(COURSE, BUBBLE_DISTANCES)
    level.use_tacks(3)
    return level
