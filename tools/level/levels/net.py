"""net: tack the net out so it catches the ball and tips it into the basket.

The ball drops onto a long wooden slide and rolls away at once, towards the
camera, right and away again, to where the slide ends in mid-air. Below the
end hangs a net, pinned at three corners; its fourth corner, nearest the
camera, hangs loose (folded over itself), and a ball that lands in the net
rolls out there and falls away. Beyond the net's far edge, lower down, waits
a basket with the bubble. Before the ball comes, pull the net's loose side
out and tack it (space): the net catches the ball and, stretched that way,
tips it over its far edge into the basket; if the ball stays, a yank of the
net towards the basket sends it on. The ball takes about five seconds to
reach the net, and the tack has to be in place when it lands. The ball never
goes through the net. The middle of the loose side is striped red: that is
where to take hold. The loose corner itself is left plain, because a tack
there twists the net into a band the ball drops through, and new players
took hold of whatever was striped.
"""
from levelkit import Level, SPACING, cross_sections, trough_end, trough_walls
from levels import hammock

NAME = "net"
HINT = "Early: pull the stripes a bit right and down; tack (space)."

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
# One bubble, at the basket's low end (this far from its end wall), where a
# ball that lands anywhere in the basket comes to rest and touches it. With a
# bubble at each end a ball that landed past the first one stayed in the
# basket for good with the level unfinished.
BUBBLE_FROM_END = 0.5


# The part of the net striped red on the level's cloth: the last rows (from
# this row fraction on), between these column fractions, so the loose side's
# middle and not its corner.
STRIPES_FROM_ROW, STRIPES_COLUMNS = 0.6, (0.3, 0.8)


def build():
    level = build_with_pins(NAME, HINT, [(0, 0), (0, NET_COLS - 1), (NET_ROWS - 1, 0), (NET_ROWS - 1, 0)])
    level.mark_cloth(lambda u, v: v >= STRIPES_FROM_ROW and STRIPES_COLUMNS[0] <= u <= STRIPES_COLUMNS[1])
    return level


def build_with_pins(name, hint, pins, basket=BASKET, slide=SLIDE):
    """The slide, the net held by the four (row, column) pins given, and the
    basket, with its bubble (both in SLIDE's and BASKET's form); one tack."""
    level = Level(name, hint, "assets/levels/" + name)
    half_x, half_z = (NET_ROWS - 1) * SPACING / 2, (NET_COLS - 1) * SPACING / 2
    corner = (NET_CENTRE[0] - half_x, NET_CENTRE[1], NET_CENTRE[2] - half_z)
    level.grid(corner, NET_ROWS, NET_COLS, pins)
    mesh = level.mesh
    sections = cross_sections(slide, LIP)
    trough_walls(mesh, sections)
    trough_end(mesh, sections, 0, 1)
    # Balls thrown past the net reach the basket from below and beside.
    sections = cross_sections(basket, LIP)
    trough_walls(mesh, sections, solid=True)
    trough_end(mesh, sections, 0, 1, solid=True)
    trough_end(mesh, sections, -1, -2, solid=True)
    (_, z0, _, _, _), (_, z1, _, _, _) = basket
    level.checkpoints = hammock.bubbles_along(basket, [z1 - z0 - BUBBLE_FROM_END], BUBBLE_RADIUS)
    level.use_tacks(1)
    return level
